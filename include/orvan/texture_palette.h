#pragma once

namespace orvan {

// The textures a frame's objects refer to by index. This layer holds entries but no images
// yet: every entry is empty, so no object finds a texture to bind.
class TexturePalette {
 public:
  TexturePalette();
  virtual ~TexturePalette();
  TexturePalette(const TexturePalette&) = delete;
  TexturePalette& operator=(const TexturePalette&) = delete;

  unsigned int Count() const { return count; }
  // Grows or shrinks the palette to n entries; new entries are empty.
  void Resize(unsigned int n);
  // True when entry index holds a texture ready to bind (never, until images exist).
  bool HasTexture(int index) const;

 private:
  unsigned int count;
};

// Empties the process-wide list through which frames share decoded images; the images stay
// alive in the palettes that use them.
void EmptyStaticImageList();

}  // namespace orvan
