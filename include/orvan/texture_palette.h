#pragma once

#include "orvan/dynamic_array.h"
#include "orvan/static_image_list.h"
#include "orvan/texture_palette_entry.h"

namespace orvan {

class Image;
struct StaticImageInfo;

// The textures a frame's objects name by index. Entries are held by value; an index outside
// 0 .. Count() - 1 makes the operations below do nothing (or give null or false).
class TexturePalette {
 public:
  TexturePalette();
  virtual ~TexturePalette();
  TexturePalette(const TexturePalette&) = delete;
  TexturePalette& operator=(const TexturePalette&) = delete;

  // The number of entries.
  unsigned int Count() const { return entries.capacity; }
  // Grows or shrinks the palette to n entries; new entries are empty, kept ones are copied.
  void Resize(unsigned int n);
  // The entry at index, growing the palette to reach it; a negative index is a fatal assertion.
  TexturePaletteEntry& operator[](int index);

  // Clears the entry, then shares the listed image with the same content as the record, or
  // makes a new one from it. False only for an index outside the palette or a null record.
  bool SetImage(int index, const StaticImageInfo* info);
  // Shares an image made at run time (the entry counts its own reference).
  bool SetImage(int index, Image* image);
  // The entry's image; null when it has none or the entry is empty.
  Image* GetImage(int index);
  // Makes the entry's texture current: the first time it also stretches the picture to its
  // texture size and reports a waiting image error.
  void UseTexture(int index);
  // Releases the image and resets the entry.
  void ClearEntry(int index);
  // True when the entry has an image to draw with.
  bool HasTexture(int index) { return GetImage(index) != nullptr; }

 private:
  TexturePaletteEntry* Entry(int index);

  DynamicArray<TexturePaletteEntry> entries;
};

}  // namespace orvan
