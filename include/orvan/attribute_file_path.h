#pragma once

#include "orvan/attribute_base.h"
#include "orvan/file_path.h"

namespace orvan {

// A FilePath of the caller, written relative to a base path (the file being written or read)
// and taken against that base when read. With noneWhenEmpty an empty path is "(None)".
class OrvanAttributeFilePathClass : public OrvanAttributeBase {
 public:
  OrvanAttributeFilePathClass(FilePath* basePath, CallbackMethodCallerBase* callback, const AttributeName& name,
                              FilePath* path, bool noneWhenEmpty);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeFilePathClass);

  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 protected:
  FilePath* path;
  FilePath* basePath;
  bool noneWhenEmpty;
};

// A file path measured from the process's current working directory at the time of each read
// and write.
class OrvanAttributeCWDRelativePath : public OrvanAttributeFilePathClass {
 public:
  OrvanAttributeCWDRelativePath(CallbackMethodCallerBase* callback, const AttributeName& name, FilePath* path,
                                bool noneWhenEmpty);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeCWDRelativePath);

  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 private:
  void TakeWorkingDirectory() const;

  // Refreshed before every read and write, which may happen through a const reference.
  mutable FilePath workingDirectory;
};

}  // namespace orvan
