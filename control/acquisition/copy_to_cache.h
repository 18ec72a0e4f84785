#pragma once
// Brings a local component file into the cache.

#include <string>

namespace vessant {

// Copies source to destination through a temporary file renamed into place, replacing an
// earlier copy only once the new one is complete. False with a message on failure.
bool CopyToCache(const std::string& source, const std::string& destination, std::string* error);

}  // namespace vessant
