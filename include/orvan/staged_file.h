#pragma once
// A file written under an unguessable temporary name beside its destination and renamed into
// place only once it is complete and flushed, so a reader never sees a half-written file and a
// name planted beside the target (a symbolic link) is never followed.
//
// Replacing an existing file keeps its permission bits; a destination that is a symbolic link
// has the file it points to replaced, and the link stays.

#include <cstddef>
#include <string>

namespace orvan {

class StagedFile {
public:
    explicit StagedFile(std::string destination);
    ~StagedFile();  // removes the temporary file unless it was committed
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the temporary file in the (link-resolved) destination's directory.
    bool Open(std::string* error);
    // Writes all of data, retrying short writes.
    bool Write(const void* data, std::size_t size, std::string* error);
    // Flushes the temporary file to disk, closes it and renames it over the destination.
    bool Commit(std::string* error);
    // Closes and removes the temporary file; the destination is left as it was.
    void Discard();

    const std::string& Destination() const { return destination_; }
    // Where the file lands: the destination with its symbolic links followed.
    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return temporary_; }
    int Descriptor() const { return fd_; }

    // The destination with symbolic links followed as far as they lead (at most 40 steps), so a
    // dangling link names the file to create.
    static std::string ResolveLinks(const std::string& path);

private:
    std::string destination_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace orvan
