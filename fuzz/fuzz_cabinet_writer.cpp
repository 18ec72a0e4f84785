// The packer's cabinet writer against the player's reader: files made from the input (names and
// contents split at zero bytes) are written as a cabinet and unpacked by libmspack to the same
// bytes; names the writer refuses are never written.
#include <sys/stat.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "control/acquisition/cabinet_extractor.h"
#include "fuzz/fuzz_scratch.h"
#include "orvan/log_sink.h"
#include "tools/vessant_pack/cabinet_writer.h"

namespace {

using fuzz::Scratch;

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (orvan::SetLogSink([](orvan::LogKind, const std::string&) {}), true);
  (void)quiet;
  // Plain names, so the unpacked path is the name; contents repeat a piece to span blocks.
  std::vector<std::pair<std::string, std::string>> files;
  vessant::CabinetWriter writer;
  std::string error;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  while (at < text.size() && files.size() < 8) {
    std::size_t end = text.find('\0', at);
    if (end == std::string::npos) end = text.size();
    std::string piece = text.substr(at, end - at);
    at = end + 1;
    std::string name = "f" + std::to_string(files.size());
    std::string contents;
    for (std::size_t i = 0; i < (piece.size() % 5) + 1; ++i) contents += piece;
    bool plain = !piece.empty() && piece.size() < 40;
    for (unsigned char c : piece) plain = plain && std::isalnum(c);
    if (plain) name += piece;
    if (!writer.Add(name, contents, &error)) continue;
    files.emplace_back(name, contents);
  }
  std::string cabinet;
  if (!writer.Build(&cabinet, &error)) std::abort();

  const std::string path = Scratch() + "/in.cab";
  const std::string out = Scratch() + "/out/";
  std::ofstream(path, std::ios::binary).write(cabinet.data(), static_cast<std::streamsize>(cabinet.size()));
  mkdir(out.c_str(), 0700);
  const vessant::ExtractionResult result = vessant::CabinetExtractor::Extract(path, out);
  const bool safeNames = [&] {
    for (const auto& [name, contents] : files)
      if (vessant::CabinetExtractor::SafeEntryPath(name) != name) return false;
    return true;
  }();
  if (safeNames && !files.empty()) {
    if (!result.ok) std::abort();
    for (const auto& [name, contents] : files)
      if (ReadWhole(out + name) != contents) std::abort();
  }
  fuzz::RemoveTree(out);
  return 0;
}
