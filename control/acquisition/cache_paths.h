#pragma once
// Where a component's files live in the per-user cache, and the safe creation of those
// directories (a library loaded from the cache runs inside the host).

#include <string>

namespace vessant {

struct CachePaths {
    std::string root;           // cache base + "/Vessant Temporary Files/"
    std::string mangledName;    // the address reduced to letters, digits and "_"
    std::string componentDir;   // root + mangled name + "/"
    std::string libraryPath;    // componentDir + the library's file name
    std::string recordPath;     // root + mangled name + ".source_modified_time"
    std::string downloadPath;   // root + mangled name + ".download": a remote file before its checks
    std::string signaturePath;  // root + mangled name + ".p7s": its detached signature
};

// The cache base: $TEMP when set, else $XDG_CACHE_HOME, else $HOME/.cache ("" when none is set),
// made absolute against the working directory.
std::string CacheBaseFromEnvironment();

// The address without its last "?" part, without the extension of its last path segment, with
// every character other than an ASCII letter or digit replaced by "_" (at most 120 of them),
// then "_" and 32 hex digits of the SHA-256 of the address without its query: one name per address.
std::string MangleAddress(const std::string& address);

// Fills paths for a merged address (query included). The library is the query text when there
// is one, else the last path segment without extension + ".so". Fails with a message when no
// cache base is set or the library name would lead out of the component directory.
bool ComputeCachePaths(const std::string& address, CachePaths* paths, std::string* error);

// Creates the root and the component directory (mode 0700, missing parents of the root too)
// and checks that both are real directories owned by this user and not writable by others;
// a TEMP that names a file, a directory someone else controls, or a folder others may write
// without the sticky bit, is refused with a message.
bool PrepareCacheDirectories(const CachePaths& paths, std::string* error);

}  // namespace vessant
