#include "orvan/file_path.h"

#include <cctype>

namespace orvan {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

int FilePath::PathKind(const std::string& text) {
  if (text.size() < 2) return PATH_RELATIVE;
  if (text[1] == ':') return PATH_DRIVE;
  if (text[0] == '/') return text[1] == '/' ? PATH_NETWORK : PATH_ROOTED;
  if (text[0] == '.') return PATH_EXPLICIT_RELATIVE;
  if (text[0] == '%') return PATH_VARIABLE;
  return PATH_RELATIVE;
}

std::string FilePath::Normalise(const std::string& source) {
  std::string text(source);
  for (char& c : text) {
    if (c == '\\') c = '/';
  }

  // "name/.." goes, with the name; dots and separators alone before ".." keep it. The separator
  // after the ".." goes too: left doubled it would survive after a drive (":/") or at the start,
  // and a second ".." would then climb out of the wrong directory.
  std::string::size_type dots = text.size() < 2 ? std::string::npos : text.find("..", 1);
  while (dots != std::string::npos) {
    std::string::size_type i = dots;
    bool found = false;
    while (i > 0) {
      --i;
      const char c = text[i];
      if (c != '.' && !IsSeparator(c)) {
        found = true;
        break;
      }
    }
    if (found) {
      std::string::size_type start = 0;
      for (std::string::size_type j = i; j > 0; --j) {
        if (IsSeparator(text[j - 1])) {
          start = j;
          break;
        }
      }
      std::string::size_type end = dots + 2;
      if (end < text.size() && text[end] == '/') ++end;
      text.erase(start, end - start);
      dots = text.find("..", start);
    } else {
      dots = text.find("..", dots + 2);
    }
  }

  for (std::string::size_type at = text.find("/./"); at != std::string::npos; at = text.find("/./", at)) {
    text.replace(at, 3, "/");
  }

  // A leading "//" survives, and so does "://".
  std::string::size_type i = 2;
  while (i < text.size()) {
    if (text[i] == '/' && text[i - 1] == '/' && text[i - 2] != ':') {
      text.erase(i, 1);
    } else {
      ++i;
    }
  }
  return text;
}

std::string FilePath::DirectoryOf(const std::string& text) {
  const std::string::size_type separator = text.find_last_of("/\\");
  if (separator == std::string::npos) return "/";
  return text.substr(0, separator) + "/";
}

bool FilePath::IsRelative(const std::string& text) {
  if (text.empty()) return false;
  if (text.find_first_of("\n\t\b\"?<>|") != std::string::npos) return false;
  const int kind = PathKind(text);
  return kind == PATH_RELATIVE || kind == PATH_EXPLICIT_RELATIVE;
}

void FilePath::SetPath(const std::string& base, const std::string& text) {
  const std::string normalised = Normalise(text);
  if (IsRelative(normalised)) {
    path = Normalise(DirectoryOf(base) + normalised);
    verbatim = false;
  } else {
    path = normalised;
    verbatim = true;
  }
}

std::string FilePath::MakeRelative(const std::string& base) const {
  if (verbatim) return path;

  const std::string dir = DirectoryOf(base);
  std::string::size_type common = 0;
  while (common < path.size() && common < dir.size() &&
         std::tolower(static_cast<unsigned char>(path[common])) ==
             std::tolower(static_cast<unsigned char>(dir[common]))) {
    ++common;
  }
  const std::string::size_type slash = common == 0 ? std::string::npos : dir.find_last_of("/\\", common - 1);

  std::string result;
  if (slash == std::string::npos) {
    const int kind = PathKind(path);
    result = (kind == PATH_RELATIVE || kind == PATH_EXPLICIT_RELATIVE) ? Normalise(dir + path) : path;
  } else {
    result = path.substr(slash + 1);
    bool inSeparatorRun = false;
    for (std::string::size_type i = slash + 1; i < dir.size(); ++i) {
      if (IsSeparator(dir[i])) {
        if (!inSeparatorRun) result = "../" + result;
        inSeparatorRun = true;
      } else {
        inSeparatorRun = false;
      }
    }
    if (!result.empty() && result[0] != '.') result = "./" + result;
  }
  return result.empty() ? path : result;
}

}  // namespace orvan
