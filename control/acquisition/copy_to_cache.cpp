#include "control/acquisition/copy_to_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "orvan/staged_file.h"

namespace vessant {

bool CopyToCache(const std::string& source, const std::string& destination, std::string* error) {
    const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        if (error) *error = "Cannot open " + source + ": " + std::strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (error) *error = source + " is not a regular file";
        close(in);
        return false;
    }
    orvan::StagedFile out(destination);
    bool ok = out.Open(error);
    std::vector<char> buffer(1 << 20);
    while (ok) {
        const ssize_t n = read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            if (error) *error = "Cannot read " + source + ": " + std::strerror(errno);
            ok = false;
        }
        if (n <= 0) break;
        ok = out.Write(buffer.data(), static_cast<std::size_t>(n), error);
    }
    close(in);
    return ok && out.Commit(error);
}

}  // namespace vessant
