#pragma once

#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_enum_types.h"

namespace orvan {

class Image;

// One texture of a frame's palette: a counted reference to its image and, as attributes, the
// settings under which the design tool stores the picture (the runtime only keeps and copies
// them; decoding takes everything from the image's record).
class TexturePaletteEntry : public OrvanAttribDict {
 public:
  // Entry states.
  static constexpr int kEmpty = 0;
  static constexpr int kImageAssigned = 2;
  static constexpr int kPrepared = 3;

  TexturePaletteEntry();
  // Copies state, file name and attribute values and shares the image.
  TexturePaletteEntry(const TexturePaletteEntry& other);
  TexturePaletteEntry& operator=(const TexturePaletteEntry& other);
  ~TexturePaletteEntry() override;

  // Releases the image and resets the state and every attribute to its default.
  void Clear();
  // Takes over a counted reference to image (the caller's reference passes to the entry).
  void Adopt(Image* newImage, int newState);

  int State() const { return state; }
  void State(int s) { state = s; }
  Image* GetImage() const { return image; }
  const std::string& FileName() const { return fileName; }
  bool GenerateInline() const { return generateInline; }
  bool ReverseAlpha() const { return reverseAlpha; }
  long CompressedSize() const { return compressedSize; }
  vesImageCodec ImageCodec() const { return imageCodec; }
  int CompressionFactor() const { return compressionFactor; }
  int DesiredLoadWidth() const { return desiredLoadWidth; }
  int DesiredLoadHeight() const { return desiredLoadHeight; }
  bool GLTextureCompression() const { return glTextureCompression; }

 private:
  void RegisterAttributes();
  void CopyValues(const TexturePaletteEntry& other);

  int state;
  std::string fileName;
  bool generateInline;
  bool reverseAlpha;
  Image* image;
  long compressedSize;
  vesImageCodec imageCodec;
  int compressionFactor;
  int desiredLoadWidth;
  int desiredLoadHeight;
  bool glTextureCompression;
};

}  // namespace orvan
