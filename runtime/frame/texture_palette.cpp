#include "orvan/texture_palette.h"

namespace orvan {

TexturePalette::TexturePalette() : count(0) {}

TexturePalette::~TexturePalette() {}

void TexturePalette::Resize(unsigned int n) { count = n; }

bool TexturePalette::HasTexture(int /*index*/) const { return false; }

// No image is shared yet, so there is nothing to let go of.
void EmptyStaticImageList() {}

}  // namespace orvan
