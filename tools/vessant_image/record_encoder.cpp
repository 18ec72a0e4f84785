// Storing a picture with one of the three codecs, and decoding it again with the runtime.
#include <GL/gl.h>

#include "orvan/image.h"
#include "orvan/image_checksum.h"
#include "orvan/static_image_info.h"
#include "vessant_image/record.h"
#include "vessant_image/stream_codec.h"

namespace vessant_image {

using Bytes = std::vector<std::uint8_t>;

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
      record->colour = EncodeJpeg(picture.pixels.data(), picture.width, picture.height, picture.components, options.quality);
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
