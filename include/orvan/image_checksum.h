#pragma once

#include <cstddef>

namespace orvan {

// The content checksum of image pixels: a table-driven 32-bit cyclic check, most significant
// bit first, with the all-ones polynomial, starting at 0 and without a final XOR. Generated
// records carry it for their decoded texture-size buffer.
unsigned int ImageChecksum(const unsigned char* data, std::size_t size);

}  // namespace orvan
