#pragma once
// What plain code does with a picture stored as JPEG colour and a zlib alpha plane: the JPEG
// decoded with libjpeg-turbo straight into RGBA rows, the alpha plane inflated and put into every
// fourth byte. The baseline the image benchmarks measure against; header-only, so a baseline
// program links only libjpeg and zlib for it.
#include <zlib.h>

#include <cstddef>
#include <cstdio>  // before jpeglib.h
#include <vector>

#include <jpeglib.h>

namespace bench {

// Fills rgba (width x height, 4 bytes a pixel, rows from the top); false when the alpha plane
// does not inflate.
inline bool PlainJpegAlphaDecode(const std::vector<unsigned char>& jpeg, const std::vector<unsigned char>& alphaStream,
                                 int width, int height, unsigned char* rgba) {
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_RGBA;  // libjpeg-turbo writes the fourth byte itself
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = rgba + static_cast<std::size_t>(cinfo.output_scanline) * width * 4;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::vector<unsigned char> alpha(pixels);
    uLongf length = static_cast<uLongf>(alpha.size());
    if (uncompress(alpha.data(), &length, alphaStream.data(), static_cast<uLong>(alphaStream.size())) != Z_OK)
        return false;
    for (std::size_t i = 0; i < pixels; ++i) rgba[i * 4 + 3] = alpha[i];
    return true;
}

}  // namespace bench
