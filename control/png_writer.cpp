#include "control/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <vector>

#include "orvan/staged_file.h"

namespace vessant {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Encodes in memory: the file is then written in one piece through a staged file.
bool Encode(const RgbaImage& image, std::vector<unsigned char>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, const_cast<png_bytep>(&image.pixels[static_cast<size_t>(y) * image.width * 4]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const RgbaImage& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) {
        *error = "no image to write to " + path;
        return false;
    }
    std::vector<unsigned char> bytes;
    if (!Encode(image, &bytes)) {
        *error = "cannot write " + path + ": the PNG could not be encoded";
        return false;
    }
    orvan::StagedFile file(path);
    std::string why;
    if (file.Open(&why) && file.Write(bytes.data(), bytes.size(), &why) && file.Commit(&why)) return true;
    *error = "cannot write snapshot " + path + ": " + why;
    return false;
}

}  // namespace vessant
