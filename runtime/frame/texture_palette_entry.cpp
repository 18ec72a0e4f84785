#include "orvan/texture_palette_entry.h"

#include "orvan/attribute.h"
#include "orvan/attribute_string.h"
#include "orvan/enum_attributes.h"
#include "orvan/image.h"

namespace orvan {

TexturePaletteEntry::TexturePaletteEntry() : image(nullptr) {
  // The defaults are those Clear brings back.
  Clear();
  RegisterAttributes();
}

TexturePaletteEntry::TexturePaletteEntry(const TexturePaletteEntry& other) : TexturePaletteEntry() {
  CopyValues(other);
}

TexturePaletteEntry& TexturePaletteEntry::operator=(const TexturePaletteEntry& other) {
  if (this != &other) CopyValues(other);
  return *this;
}

TexturePaletteEntry::~TexturePaletteEntry() {
  if (image != nullptr) image->Release();
}

void TexturePaletteEntry::RegisterAttributes() {
  // The file name is encoded so that blanks in a path survive a resource line.
  Add(new OrvanAttributeEncodedStdString(nullptr, AttributeName("Filename"), &fileName));
  Add(new OrvanAttribute<bool>(nullptr, AttributeName("GenerateInline"), &generateInline));
  Add(new OrvanAttribute<int>(nullptr, AttributeName("DesiredLoadHeight"), &desiredLoadHeight));
  Add(new OrvanAttribute<int>(nullptr, AttributeName("DesiredLoadWidth"), &desiredLoadWidth));
  Add(new OrvanAttribute<int>(nullptr, AttributeName("CompressionFactor"), &compressionFactor));
  Add(new OrvanAttribute<long>(nullptr, AttributeName("CompressedSize"), &compressedSize));
  Add(new OrvanAttributeImageCodecEnum(nullptr, AttributeName("ImageCodec"), &imageCodec));
  Add(new OrvanAttribute<bool>(nullptr, AttributeName("ReverseAlpha"), &reverseAlpha));
  Add(new OrvanAttribute<bool>(nullptr, AttributeName("GLTextureCompression"), &glTextureCompression));
}

void TexturePaletteEntry::CopyValues(const TexturePaletteEntry& other) {
  // The new image is counted before the old one is let go, so copying an entry onto one that
  // shares its image never frees it in between.
  if (other.image != nullptr) other.image->AddRef();
  if (image != nullptr) image->Release();
  image = other.image;
  state = other.state;
  fileName = other.fileName;
  generateInline = other.generateInline;
  reverseAlpha = other.reverseAlpha;
  compressedSize = other.compressedSize;
  imageCodec = other.imageCodec;
  compressionFactor = other.compressionFactor;
  desiredLoadWidth = other.desiredLoadWidth;
  desiredLoadHeight = other.desiredLoadHeight;
  glTextureCompression = other.glTextureCompression;
}

void TexturePaletteEntry::Clear() {
  if (image != nullptr) image->Release();
  image = nullptr;
  state = kEmpty;
  fileName.clear();
  generateInline = true;
  reverseAlpha = false;
  compressedSize = -1;
  imageCodec = VES_CODEC_LZ77;
  compressionFactor = 75;
  desiredLoadWidth = 0;
  desiredLoadHeight = 0;
  glTextureCompression = false;
}

void TexturePaletteEntry::Adopt(Image* newImage, int newState) {
  if (image != nullptr) image->Release();
  image = newImage;
  state = newState;
}

}  // namespace orvan
