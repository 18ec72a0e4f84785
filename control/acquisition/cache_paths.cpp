#include "control/acquisition/cache_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <openssl/sha.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "control/acquisition/component_address.h"

namespace vessant {
namespace {

const char kRootName[] = "Vessant Temporary Files/";
constexpr std::size_t kMaxReadableName = 120;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The text after the last "/" or "\".
std::string LastSegment(const std::string& text) {
    const std::size_t separator = text.find_last_of("/\\");
    return separator == std::string::npos ? text : text.substr(separator + 1);
}

// Drops the extension of the last segment only; a "." earlier in the address (a host such as
// 127.0.0.1) is not an extension, and cutting there would give many addresses one cache entry.
std::string WithoutExtension(const std::string& text) {
    const std::size_t dot = text.rfind('.');
    const std::size_t separator = text.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return text;
    return text.substr(0, dot);
}

// A library name that stays inside the component directory: relative, no "." or ".." parts.
bool IsContainedName(const std::string& name) {
    if (name.empty() || name[0] == '/') return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

bool CreateDirectory(const std::string& path, std::string* error) {
    if (mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return true;
    if (error) *error = "Cannot create cache directory " + path + ": " + std::strerror(errno);
    return false;
}

// Creates the missing directories of base from the top, as "mkdir -p" would.
bool CreateBase(const std::string& base, std::string* error) {
    struct stat info;
    if (stat(base.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        if (error) *error = "Cache location " + base + " is not a directory";
        return false;
    }
    for (std::size_t slash = base.find('/', 1); slash != std::string::npos; slash = base.find('/', slash + 1)) {
        if (!CreateDirectory(base.substr(0, slash), error)) return false;
    }
    return CreateDirectory(base, error);
}

// The directory must be ours alone: a directory someone else can write lets them plant the
// library the host is about to load. A symbolic link is refused for the same reason.
bool CheckPrivate(const std::string& path, std::string* error) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        if (error) *error = "Cannot use cache directory " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        if (error) *error = "Cache directory " + path + " is not a directory";
        return false;
    }
    if (info.st_uid != geteuid()) {
        if (error) *error = "Cache directory " + path + " belongs to another user";
        return false;
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        if (error) *error = "Cache directory " + path + " is writable by other users";
        return false;
    }
    return true;
}

// The folder holding the cache root: others may write there only when the sticky bit stops them
// renaming or removing what is ours (as in /tmp); otherwise the private root could be swapped
// between its check and the load.
bool CheckShareable(const std::string& path, std::string* error) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (error) *error = "Cannot use cache location " + path + ": " + std::strerror(errno);
        return false;
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0) {
        if (error)
            *error = "Cache location " + path +
                     " is writable by other users and not sticky; set TEMP to a folder of your own";
        return false;
    }
    return true;
}

}  // namespace

std::string CacheBaseFromEnvironment() {
    std::string base = Environment("TEMP");
    if (base.empty()) base = Environment("XDG_CACHE_HOME");
    if (base.empty() && !Environment("HOME").empty()) base = Environment("HOME") + "/.cache";
    // Loading changes the working directory, so a relative base is fixed to where it started.
    if (!base.empty() && base[0] != '/') {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) != nullptr) base = std::string(cwd) + "/" + base;
    }
    return base;
}

std::string MangleAddress(const std::string& address) {
    const std::string source = ComponentAddress::StripQuery(address);
    std::string name = WithoutExtension(source);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) c = '_';
    }
    // The readable part alone maps "a-b" and "a_b" to one name; the digest of the address keeps
    // every address apart, and the cut keeps the name within a file name's length.
    if (name.size() > kMaxReadableName) name.resize(kMaxReadableName);
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(source.data()), source.size(), digest);
    char hex[33];
    for (int i = 0; i < 16; ++i) std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
    return name + "_" + hex;
}

bool ComputeCachePaths(const std::string& address, CachePaths* paths, std::string* error) {
    std::string base = CacheBaseFromEnvironment();
    if (base.empty()) {
        if (error) *error = "No cache location: TEMP, XDG_CACHE_HOME and HOME are all unset";
        return false;
    }
    if (base.back() != '/') base += '/';

    std::string library;
    const std::size_t question = address.rfind('?');
    if (question != std::string::npos) {
        library = address.substr(question + 1);
        for (char& c : library) {
            if (c == '\\') c = '/';
        }
    } else {
        library = WithoutExtension(LastSegment(address)) + ".so";
    }
    if (!IsContainedName(library)) {
        if (error) *error = "Library name \"" + library + "\" is not a file inside the component directory";
        return false;
    }

    CachePaths result;
    result.root = base + kRootName;
    result.mangledName = MangleAddress(address);
    result.componentDir = result.root + result.mangledName + "/";
    result.libraryPath = result.componentDir + library;
    result.recordPath = result.root + result.mangledName + ".source_modified_time";
    result.downloadPath = result.root + result.mangledName + ".download";
    result.signaturePath = result.root + result.mangledName + ".p7s";
    *paths = result;
    return true;
}

bool PrepareCacheDirectories(const CachePaths& paths, std::string* error) {
    const std::string root = paths.root.substr(0, paths.root.size() - 1);
    std::string base = root.substr(0, root.rfind('/'));
    if (base.empty()) base = "/";
    const std::string component = paths.componentDir.substr(0, paths.componentDir.size() - 1);
    if (paths.root.empty() || component.empty()) {
        if (error) *error = "Cache paths not computed";
        return false;
    }
    return CreateBase(base, error) && CheckShareable(base, error) && CreateDirectory(root, error) &&
           CheckPrivate(root, error) && CreateDirectory(component, error) && CheckPrivate(component, error);
}

}  // namespace vessant
