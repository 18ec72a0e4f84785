#pragma once
// A file written under a temporary name beside its destination and renamed into place only once
// it is complete, so a reader (the loader, a later run) never sees a half-written file.

#include <cstddef>
#include <string>

namespace vessant {

class StagedFile {
public:
    explicit StagedFile(std::string destination);
    ~StagedFile();  // removes the temporary file unless it was committed
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the temporary file (mode 0600) in the destination's directory.
    bool Open(std::string* error);
    // Writes all of data, retrying short writes.
    bool Write(const void* data, std::size_t size, std::string* error);
    // Closes the temporary file and renames it over the destination.
    bool Commit(std::string* error);
    // Closes and removes the temporary file; the destination is left as it was.
    void Discard();

    // Closes the descriptor but keeps the file, for a writer that reopens the path by name.
    bool CloseDescriptor(std::string* error);

    const std::string& Destination() const { return destination_; }
    const std::string& TemporaryPath() const { return temporary_; }
    int Descriptor() const { return fd_; }

private:
    std::string destination_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace vessant
