// Compiled-in picture data are cut into chunks because compilers limit the length of one string
// constant; these put the stream back together.
#include <algorithm>
#include <cstring>
#include <new>

#include "orvan/static_image_info.h"

namespace orvan {

void CopyChunks(const unsigned char* const* table, int chunkSize, int totalSize, unsigned char* destination) {
  if (table == nullptr || destination == nullptr || totalSize < 1 || chunkSize < 1) return;
  int done = 0;
  for (int i = 0; done < totalSize; ++i) {
    const int n = std::min(chunkSize, totalSize - done);
    std::memcpy(destination + done, table[i], static_cast<std::size_t>(n));
    done += n;
  }
}

unsigned char* JoinChunks(const unsigned char* const* table, int totalSize, int chunkSize) {
  if (table == nullptr || totalSize < 1 || chunkSize < 1) return nullptr;
  unsigned char* joined = new (std::nothrow) unsigned char[static_cast<std::size_t>(totalSize)];
  CopyChunks(table, chunkSize, totalSize, joined);
  return joined;
}

}  // namespace orvan
