#include "orvan/ves_font_base.h"

#include <algorithm>

#include "orvan/image.h"

namespace orvan {

VesFontBase::VesFontBase(const VesFontHeader& header_, const float (*glyphs_)[16], int glyphCount, Image* image_)
    : textureHeight(0.0f), textureWidth(0.0f), header(header_), image(image_) {
  const int count = std::max(1, header.lastCode - header.firstCode + 1);
  glyphs.assign(static_cast<std::size_t>(count), GlyphRecord{});
  for (int i = 0; glyphs_ != nullptr && i < std::min(count, glyphCount); ++i) {
    std::copy(glyphs_[i], glyphs_[i] + 16, glyphs[static_cast<std::size_t>(i)].begin());
  }
  key = MakeKey(header.name, header.style, header.pointSize);
  if (image != nullptr) {
    textureHeight = static_cast<float>(image->TextureHeight());
    textureWidth = static_cast<float>(image->TextureWidth());
  }
}

VesFontBase::~VesFontBase() {
  if (image != nullptr) image->Release();
}

std::string VesFontBase::MakeKey(const std::string& name, const std::string& style, int size) {
  std::string key = name + style + std::to_string(size);
  key.erase(std::remove_if(key.begin(), key.end(), [](char c) { return c == ' ' || c == '\t'; }), key.end());
  return key;
}

}  // namespace orvan
