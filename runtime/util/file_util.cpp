#include "orvan/file_util.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "orvan/error_report.h"

namespace orvan {

bool OpenFile(const char* filename_, const char* mode, std::fstream& stream) {
  ORVAN_ASSERT(filename_);
  // Paths keep "/" on this platform: the original turned it into "\".
  const std::string name(filename_);
  std::ios::openmode openMode = std::ios::openmode();
  if (mode != nullptr && std::strchr(mode, 'r') != nullptr) openMode |= std::ios::in;
  if (mode != nullptr && std::strchr(mode, 'w') != nullptr) openMode |= std::ios::out;
  stream.open(name.c_str(), openMode);
  if (!stream.is_open()) {
    ShowError("Unable to open file(%s)", name.c_str());
    return false;
  }
  stream.setf(std::ios::fixed, std::ios::floatfield);
  stream.precision(6);
  return true;
}

bool FileExists(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

std::string FileNameOf(const std::string& path) {
  const std::string::size_type separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string ExpandEnvironmentVariables(const char* text) {
  std::string result = text != nullptr ? text : "";
  for (int substitutions = 0; substitutions < kMaxEnvironmentSubstitutions; ++substitutions) {
    const std::string::size_type first = result.find('%');
    if (first == std::string::npos) break;
    const std::string::size_type second = result.find('%', first + 1);
    if (second == std::string::npos) break;
    const std::string name = result.substr(first + 1, second - first - 1);
    const char* value = std::getenv(name.c_str());
    const std::string replacement = value != nullptr ? value : "";
    if (result.size() - (second + 1 - first) + replacement.size() > kMaxExpandedLength) break;
    result.replace(first, second + 1 - first, replacement);
  }
  return result;
}

}  // namespace orvan
