// Reading pictures with libpng and libjpeg, writing PNG with libpng.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jpeglib.h>

#include "orvan/image.h"
#include "vessant_image/file_output.h"
#include "vessant_image/picture.h"

namespace vessant_image {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool SizeAccepted(const std::string& path, unsigned long width, unsigned long height, std::string* error) {
  if (width >= 1 && height >= 1 && width <= orvan::Image::kMaxSide && height <= orvan::Image::kMaxSide) return true;
  *error = path + ": a picture of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels is not supported (each side 1 to " + std::to_string(orvan::Image::kMaxSide) + ")";
  return false;
}

bool ReadPng(const std::string& path, Picture* picture, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    *error = path + ": not a readable PNG file (" + png.message + ")";
    return false;
  }
  if (!SizeAccepted(path, png.width, png.height, error)) {
    png_image_free(&png);
    return false;
  }
  // Eight bits per component, palettes expanded, the file's own channels kept.
  png.format &= PNG_FORMAT_FLAG_COLOR | PNG_FORMAT_FLAG_ALPHA;
  picture->width = static_cast<int>(png.width);
  picture->height = static_cast<int>(png.height);
  picture->components = static_cast<int>(PNG_IMAGE_SAMPLE_CHANNELS(png.format));
  picture->pixels.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, picture->pixels.data(), 0, nullptr)) {
    *error = path + ": damaged PNG data (" + png.message + ")";
    png_image_free(&png);
    return false;
  }
  return true;
}

struct JpegErrors {
  jpeg_error_mgr pub;
  std::jmp_buf recovery;
};

void JpegFail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->recovery, 1); }

bool ReadJpeg(const std::string& path, std::FILE* file, Picture* picture, std::string* error) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = JpegFail;
  errors.pub.output_message = [](j_common_ptr) {};
  if (setjmp(errors.recovery)) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo.err->format_message)(reinterpret_cast<j_common_ptr>(&cinfo), message);
    *error = path + ": damaged JPEG data (" + message + ")";
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (!SizeAccepted(path, cinfo.image_width, cinfo.image_height, error)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = cinfo.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  picture->width = static_cast<int>(cinfo.output_width);
  picture->height = static_cast<int>(cinfo.output_height);
  picture->components = cinfo.output_components;
  picture->pixels.assign(static_cast<std::size_t>(picture->width) * picture->height * picture->components, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = picture->pixels.data() +
                   static_cast<std::size_t>(cinfo.output_scanline) * picture->width * picture->components;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool ReadPicture(const std::string& path, Picture* picture, std::string* error) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    *error = path + ": cannot open (" + std::strerror(errno) + ")";
    return false;
  }
  unsigned char magic[8] = {};
  const std::size_t got = std::fread(magic, 1, sizeof magic, file.get());
  if (got == sizeof magic && png_sig_cmp(magic, 0, sizeof magic) == 0) {
    file.reset();
    return ReadPng(path, picture, error);
  }
  if (got >= 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
    std::rewind(file.get());
    return ReadJpeg(path, file.get(), picture, error);
  }
  *error = path + ": neither a PNG nor a JPEG file";
  return false;
}

bool WritePng(const std::string& path, const Picture& picture, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(picture.width);
  png.height = static_cast<png_uint_32>(picture.height);
  static const png_uint_32 kFormats[] = {PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB, PNG_FORMAT_RGBA};
  if (picture.components < 1 || picture.components > 4) {
    *error = path + ": a picture needs 1 to 4 components";
    return false;
  }
  png.format = kFormats[picture.components - 1];
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(png, size, 0, picture.pixels.data(), 0, nullptr)) {
    *error = path + ": cannot encode PNG (" + png.message + ")";
    return false;
  }
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&png, &bytes[0], &size, 0, picture.pixels.data(), 0, nullptr)) {
    *error = path + ": cannot encode PNG (" + png.message + ")";
    return false;
  }
  bytes.resize(size);
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace vessant_image
