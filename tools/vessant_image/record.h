#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "orvan/attribute_enum_types.h"
#include "vessant_image/picture.h"

namespace vessant_image {

struct EncodeOptions {
  orvan::vesImageCodec codec = orvan::VES_CODEC_LZ77;
  int quality = 75;      // JPEG quality, 1 to 100
  int chunkSize = 240;   // bytes per chunk of stored data
};

// Everything a StaticImageInfo record holds, with the stored bytes in one piece each.
struct EncodedRecord {
  int width = 0;
  int height = 0;
  int components = 0;
  int format = 0;
  orvan::vesImageCodec codec = orvan::VES_CODEC_RAW;
  unsigned int checksum = 0;
  int chunkSize = 0;
  std::vector<std::uint8_t> colour;
  std::vector<std::uint8_t> alpha;
};

// Stores the picture with the codec and computes the checksum of what the runtime will decode
// from it (by decoding it with the runtime). False with a message when the codec cannot store
// the picture (JPEG holds RGB and RGBA pictures only).
bool EncodeRecord(const Picture& picture, const EncodeOptions& options, EncodedRecord* record, std::string* error);

// What the runtime decodes from a record: the texture-size pixel buffer. False when it does not
// decode.
bool DecodeRecord(const EncodedRecord& record, std::vector<std::uint8_t>* pixels, int* textureWidth,
                  int* textureHeight);

struct SourceNames {
  std::string identifier;      // the record's name
  std::string namespaceName;   // empty: the global namespace
  std::string headerInclude;   // how the source includes the header
  std::string pictureName;     // for the comment at the top
};

// The generated header declaring the record, and the source defining it: every chunk a separate
// constant string, a table of the chunks, the record.
std::string HeaderText(const EncodedRecord& record, const SourceNames& names);
std::string SourceText(const EncodedRecord& record, const SourceNames& names);

}  // namespace vessant_image
