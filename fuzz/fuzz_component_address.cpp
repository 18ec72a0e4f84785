// Component addresses: a page address and a component name (split at the first zero byte)
// merge or are refused, and the cache paths of a merged address never leave the cache.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "control/acquisition/cache_paths.h"
#include "control/acquisition/component_address.h"

namespace {

bool HasParentPart(const std::string& path) {
  return path.find("/../") != std::string::npos || path.find("/./") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  const void* zero = std::memchr(text, 0, size);
  const std::size_t split = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : size;
  const std::string base(text, split);
  const std::string name = split < size ? std::string(text + split + 1, size - split - 1) : std::string();

  static const bool temp = (setenv("TEMP", "/nonexistent-fuzz-cache", 1), true);
  (void)temp;
  const vessant::MergedAddress merged = vessant::ComponentAddress::Merge(base, name);
  if (!merged.ok) return 0;
  if (merged.address.size() > vessant::ComponentAddress::kMaxLength) std::abort();
  vessant::ComponentAddress::IsCabinet(merged.address);
  const std::string stripped = vessant::ComponentAddress::StripQuery(merged.address);
  if (vessant::ComponentAddress::IsFileAddress(stripped)) vessant::ComponentAddress::LocalPath(stripped);

  vessant::CachePaths paths;
  std::string error;
  if (!vessant::ComputeCachePaths(merged.address, &paths, &error)) return 0;
  if (paths.componentDir.rfind(paths.root, 0) != 0) std::abort();
  if (paths.libraryPath.rfind(paths.componentDir, 0) != 0 || HasParentPart(paths.libraryPath)) std::abort();
  if (paths.mangledName.find('/') != std::string::npos || paths.mangledName.size() > 200) std::abort();
  return 0;
}
