#pragma once

#include <string>

namespace orvan {

// A path value with "/" separators, written relative to a base file when it was given relative.
// `verbatim` is set when the text was kept as given because it is not a relative path.
class FilePath {
 public:
  enum Kind {
    PATH_RELATIVE = 0,           // shorter than 2 characters, or none of the below
    PATH_DRIVE = 1,              // "C:..."
    PATH_ROOTED = 2,             // "/..."
    PATH_NETWORK = 3,            // "//..."
    PATH_EXPLICIT_RELATIVE = 4,  // "./..." or "../..."
    PATH_VARIABLE = 5            // "%VAR%..."
  };

  FilePath() : verbatim(false) {}
  // Normalised; verbatim false.
  explicit FilePath(const std::string& text) : path(Normalise(text)), verbatim(false) {}

  static int PathKind(const std::string& text);
  // "\" to "/", "dir/.." removed, "/./" to "/", doubled "/" merged except a leading "//" and
  // after ":".
  static std::string Normalise(const std::string& text);
  // The text up to its last separator, plus "/"; "/" alone when it has none.
  static std::string DirectoryOf(const std::string& text);
  static bool IsRelative(const std::string& text);

  // Sets the path from text: relative texts are taken against the directory of base.
  void SetPath(const std::string& base, const std::string& text);
  void SetPath(const FilePath& base, const std::string& text) { SetPath(base.path, text); }
  // The text to write for this path, relative to the directory of base where possible.
  std::string MakeRelative(const std::string& base) const;
  std::string MakeRelative(const FilePath& base) const { return MakeRelative(base.path); }

  const std::string& Text() const { return path; }
  bool Verbatim() const { return verbatim; }
  bool Empty() const { return path.empty(); }

 private:
  std::string path;
  bool verbatim;
};

}  // namespace orvan
