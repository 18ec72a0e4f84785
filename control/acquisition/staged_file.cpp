#include "control/acquisition/staged_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vessant {

StagedFile::StagedFile(std::string destination) : destination_(std::move(destination)) {}

StagedFile::~StagedFile() {
    if (!committed_) Discard();
}

bool StagedFile::Open(std::string* error) {
    Discard();
    committed_ = false;
    std::string pattern = destination_ + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkstemp creates the file with mode 0600 and never follows an existing name.
    fd_ = mkstemp(name.data());
    if (fd_ < 0) {
        if (error) *error = "Cannot create " + pattern + ": " + std::strerror(errno);
        return false;
    }
    temporary_ = name.data();
    return true;
}

bool StagedFile::Write(const void* data, std::size_t size, std::string* error) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        if (fd_ < 0) {
            if (error) *error = "Cannot write " + destination_ + ": not open";
            return false;
        }
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (error) *error = "Cannot write " + temporary_ + ": " + std::strerror(errno);
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool StagedFile::CloseDescriptor(std::string* error) {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
        // A failed close can mean lost data (for example on a full disk), so it is not ignored.
        if (error) *error = "Cannot write " + temporary_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool StagedFile::Commit(std::string* error) {
    if (temporary_.empty()) {
        if (error) *error = "Nothing written for " + destination_;
        return false;
    }
    if (!CloseDescriptor(error)) return false;
    if (std::rename(temporary_.c_str(), destination_.c_str()) != 0) {
        if (error) *error = "Cannot replace " + destination_ + ": " + std::strerror(errno);
        return false;
    }
    committed_ = true;
    temporary_.clear();
    return true;
}

void StagedFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace vessant
