#pragma once
// A scratch folder for one fuzz process, and removing a tree in it.
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace fuzz {

inline int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }

// Removes path and everything below it.
inline void RemoveTree(const std::string& path) { nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

// One folder below /tmp per process, made on first use.
inline const std::string& Scratch() {
  static const std::string path = [] {
    char name[] = "/tmp/vessant-fuzz-XXXXXX";
    return std::string(mkdtemp(name));
  }();
  return path;
}

}  // namespace fuzz
