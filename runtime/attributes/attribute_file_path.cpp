#include "orvan/attribute_file_path.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <unistd.h>

#include "orvan/text_codec.h"

namespace orvan {

namespace {

constexpr const char kNoPath[] = "(None)";

}  // namespace

OrvanAttributeFilePathClass::OrvanAttributeFilePathClass(FilePath* basePath_, CallbackMethodCallerBase* callback_,
                                                         const AttributeName& name_, FilePath* path_,
                                                         bool noneWhenEmpty_)
    : OrvanAttributeBase(callback_, name_, false), path(path_), basePath(basePath_), noneWhenEmpty(noneWhenEmpty_) {}

std::ostream& OrvanAttributeFilePathClass::WriteValue(std::ostream& os) const {
  if (path == nullptr) return os;
  if (noneWhenEmpty && path->Empty()) return os << kNoPath;
  const std::string relative = basePath != nullptr ? path->MakeRelative(*basePath) : path->MakeRelative(std::string());
  return os << LiteralTextLine(relative);
}

std::istream& OrvanAttributeFilePathClass::ReadValue(std::istream& is) {
  std::string text;
  ReadTextLine(is, text, true);
  if (path != nullptr) {
    if (text == kNoPath) text.clear();
    if (basePath != nullptr) {
      path->SetPath(*basePath, text);
    } else {
      path->SetPath(std::string(), text);
    }
    NotifyChanged();
  }
  return is;
}

OrvanAttributeCWDRelativePath::OrvanAttributeCWDRelativePath(CallbackMethodCallerBase* callback_,
                                                             const AttributeName& name_, FilePath* path_,
                                                             bool noneWhenEmpty_)
    : OrvanAttributeFilePathClass(nullptr, callback_, name_, path_, noneWhenEmpty_) {
  basePath = &workingDirectory;
}

void OrvanAttributeCWDRelativePath::TakeWorkingDirectory() const {
  char* cwd = getcwd(nullptr, 0);
  workingDirectory = FilePath(std::string(cwd != nullptr ? cwd : ".") + "/");
  std::free(cwd);
}

std::ostream& OrvanAttributeCWDRelativePath::WriteValue(std::ostream& os) const {
  TakeWorkingDirectory();
  return OrvanAttributeFilePathClass::WriteValue(os);
}

std::istream& OrvanAttributeCWDRelativePath::ReadValue(std::istream& is) {
  TakeWorkingDirectory();
  return OrvanAttributeFilePathClass::ReadValue(is);
}

}  // namespace orvan
