// Cabinet unpacking through libarchive's cabinet reader: a malformed cabinet unpacks all or nothing, never
// writes outside the target folder, and never crashes.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "control/acquisition/cabinet_extractor.h"
#include "fuzz/fuzz_scratch.h"
#include "orvan/log_sink.h"

namespace {

using fuzz::Scratch;

// The names directly inside a folder.
int CountEntries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return -1;
  int count = 0;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") ++count;
  }
  closedir(dir);
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = (orvan::SetLogSink([](orvan::LogKind, const std::string&) {}), true);
  (void)quiet;
  const std::string cabinet = Scratch() + "/in.cab";
  const std::string out = Scratch() + "/out";
  FILE* file = std::fopen(cabinet.c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  fuzz::RemoveTree(out);
  if (mkdir(out.c_str(), 0700) != 0) std::abort();

  const vessant::ExtractionResult result = vessant::CabinetExtractor::Extract(cabinet, out);
  // Only the cabinet and the target folder are beside each other; nothing escaped.
  if (CountEntries(Scratch()) != 2) std::abort();
  const int written = CountEntries(out);
  if (!result.ok && written != 0) std::abort();
  for (const std::string& path : result.files) {
    if (path.rfind(out + "/", 0) != 0 || path.find("/../") != std::string::npos) std::abort();
  }
  return 0;
}
