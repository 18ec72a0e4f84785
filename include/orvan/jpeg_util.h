#pragma once

#include <cstddef>

namespace orvan {

// Decodes one baseline JPEG stream held in memory into width x height pixels at destination:
// pixelSize 3 gives packed RGB triplets, 4 gives RGB with a fourth byte per pixel (opaque, for
// an alpha plane to fill in). Rows start rowStride bytes apart (0: width x pixelSize).
//
// A stream whose picture is not exactly width x height, a truncated or corrupt stream and any
// other decoding error make it return false after logging "JPEG Decompress Error!!!!"; the
// destination may then hold part of a picture.
bool JpegDecompress(int width, int height, unsigned char* destination, const unsigned char* data, std::size_t size,
                    int pixelSize = 3, std::size_t rowStride = 0);

}  // namespace orvan
