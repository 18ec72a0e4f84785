#include "vessant_image/file_output.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "orvan/staged_file.h"

namespace vessant_image {

namespace {

bool SameContent(const std::string& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string existing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return existing == text;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string* error) {
  if (SameContent(path, text)) return true;
  orvan::StagedFile file(path);
  if (!file.Open(nullptr)) {
    *error = "cannot create a temporary file beside " + path + ": " + std::strerror(errno);
    return false;
  }
  return file.Write(text.data(), text.size(), error) && file.Commit(error);
}

}  // namespace vessant_image
