// Storing a picture with one of the three codecs, and decoding it again with the runtime.
#include <GL/gl.h>
#include <zlib.h>

#include <cstdio>  // before jpeglib.h, which needs FILE and size_t
#include <jpeglib.h>

#include <cstdlib>
#include <memory>

#include "orvan/image.h"
#include "orvan/image_checksum.h"
#include "orvan/static_image_info.h"
#include "vessant_image/record.h"

namespace vessant_image {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Deflate(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
  out.resize(size);
  return out;
}

// A baseline JPEG of the RGB part of an RGB or RGBA picture.
Bytes EncodeJpeg(const Picture& picture, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // At high qualities the colour keeps full resolution too: halving it blurs sharp colour edges
  // more than the quality asked for promises.
  if (quality >= 90) {
    for (int i = 0; i < cinfo.num_components; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  Bytes row(static_cast<std::size_t>(picture.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint8_t* source =
        &picture.pixels[static_cast<std::size_t>(cinfo.next_scanline) * picture.width * picture.components];
    for (int x = 0; x < picture.width; ++x) {
      for (int k = 0; k < 3; ++k) row[static_cast<std::size_t>(x) * 3 + k] = source[x * picture.components + k];
    }
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&cinfo, &pointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

std::vector<const unsigned char*> Chunks(const Bytes& data, int chunkSize) {
  std::vector<const unsigned char*> table;
  for (std::size_t at = 0; at < data.size(); at += static_cast<std::size_t>(chunkSize)) table.push_back(&data[at]);
  return table;
}

}  // namespace

bool EncodeRecord(const Picture& picture, const EncodeOptions& options, EncodedRecord* record, std::string* error) {
  static const int kFormats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
  *record = EncodedRecord();
  record->width = picture.width;
  record->height = picture.height;
  record->components = picture.components;
  record->format = kFormats[picture.components - 1];
  record->codec = options.codec;
  record->chunkSize = options.chunkSize;
  switch (options.codec) {
    case orvan::VES_CODEC_RAW:
      record->colour = picture.pixels;
      break;
    case orvan::VES_CODEC_LZ77:
      record->colour = Deflate(picture.pixels);
      break;
    case orvan::VES_CODEC_JPEG: {
      if (picture.components < 3) {
        *error = "the jpeg codec stores RGB and RGBA pictures only: use --components 3 or 4, or another codec";
        return false;
      }
      record->colour = EncodeJpeg(picture, options.quality);
      if (picture.components == 4) {
        Bytes alpha(static_cast<std::size_t>(picture.width) * picture.height);
        for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = picture.pixels[i * 4 + 3];
        record->alpha = Deflate(alpha);
      }
      break;
    }
  }
  std::vector<std::uint8_t> decoded;
  int textureWidth = 0, textureHeight = 0;
  if (record->colour.empty() || !DecodeRecord(*record, &decoded, &textureWidth, &textureHeight)) {
    *error = "the stored picture does not decode again";
    return false;
  }
  record->checksum = orvan::ImageChecksum(decoded.data(), decoded.size());
  return true;
}

bool DecodeRecord(const EncodedRecord& record, std::vector<std::uint8_t>* pixels, int* textureWidth,
                  int* textureHeight) {
  const std::vector<const unsigned char*> colour = Chunks(record.colour, record.chunkSize);
  const std::vector<const unsigned char*> alpha = Chunks(record.alpha, record.chunkSize);
  const orvan::StaticImageInfo info{record.width,
                                    record.height,
                                    record.components,
                                    record.format,
                                    record.codec,
                                    0,
                                    0,
                                    static_cast<int>(record.colour.size()),
                                    static_cast<int>(record.alpha.size()),
                                    record.chunkSize,
                                    colour.data(),
                                    alpha.empty() ? nullptr : alpha.data()};
  orvan::Image* image = new orvan::Image(info);
  const bool ok = image->Decode();
  if (ok) {
    pixels->assign(image->Pixels(), image->Pixels() + image->PixelDataSize());
    *textureWidth = image->TextureWidth();
    *textureHeight = image->TextureHeight();
  }
  image->Release();
  return ok;
}

}  // namespace vessant_image
