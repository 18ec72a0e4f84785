#include "vessant_image/file_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace vessant_image {

namespace {

bool SameContent(const std::string& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string existing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return existing == text;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string* error) {
  if (SameContent(path, text)) return true;
  std::string pattern = Folder(path) + "/.vessant-image.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    *error = "cannot create a temporary file beside " + path + ": " + std::strerror(errno);
    return false;
  }
  const char* data = text.data();
  std::size_t left = text.size();
  bool ok = true;
  while (ok && left > 0) {
    const ssize_t n = write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) {
      data += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  // mkstemp makes the file private; the result is an ordinary build output.
  ok = ok && fchmod(fd, 0644) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(name.data(), path.c_str()) == 0) return true;
  *error = "cannot write " + path + ": " + std::strerror(errno);
  unlink(name.data());
  return false;
}

}  // namespace vessant_image
