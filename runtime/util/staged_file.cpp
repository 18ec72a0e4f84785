#include "orvan/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace orvan {
namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return path.substr(0, slash + 1);
}

// The mode a new file gets: what the process's umask allows of 0666.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

StagedFile::StagedFile(std::string destination) : destination_(std::move(destination)) {}

StagedFile::~StagedFile() {
    if (!committed_) Discard();
}

std::string StagedFile::ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int step = 0; step < 40; ++step) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::vector<char> link(4096);
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size() - 1);
        if (n <= 0) return current;
        const std::string to(link.data(), static_cast<std::size_t>(n));
        current = to[0] == '/' ? to : DirectoryOf(current) + to;
    }
    return current;
}

bool StagedFile::Open(std::string* error) {
    Discard();
    committed_ = false;
    target_ = ResolveLinks(destination_);
    std::string pattern = target_ + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkstemp creates the file exclusively (mode 0600) and never follows an existing name.
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        if (error) *error = "Cannot create a file in the folder of " + destination_ + ": " + std::strerror(errno);
        return false;
    }
    temporary_ = name.data();
    struct stat existing;
    const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd_, mode) != 0) {
        if (error) *error = "Cannot set the mode of " + temporary_ + ": " + std::strerror(errno);
        Discard();
        return false;
    }
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
            if (error) *error = "Cannot write " + destination_ + ": " + std::strerror(errno);
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool StagedFile::Commit(std::string* error) {
    if (temporary_.empty() || fd_ < 0) {
        if (error) *error = "Nothing written for " + destination_;
        return false;
    }
    // A failed flush or close can mean lost data (a full disk), so neither is ignored.
    const bool synced = ::fsync(fd_) == 0;
    const int syncError = errno;
    const int rc = ::close(fd_);
    fd_ = -1;
    if (!synced || rc != 0) {
        if (error) *error = "Cannot write " + destination_ + ": " + std::strerror(synced ? errno : syncError);
        Discard();
        return false;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        if (error) *error = "Cannot replace " + destination_ + ": " + std::strerror(errno);
        Discard();
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

}  // namespace orvan
