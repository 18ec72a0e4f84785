#pragma once

#include <cstddef>

namespace orvan {

class Image;

// The process-wide list through which identical compiled-in pictures are shared. Every image
// made from a StaticImageInfo joins it and leaves it when destroyed; the list owns nothing.
// One mutex guards every operation.
namespace StaticImageList {

void Append(Image* image);
void Remove(Image* image);
// The first listed image whose Checksum() equals checksum (never 0) and whose size, component
// count and compressed flag match; null when none.
Image* Find(int width, int height, int components, unsigned int checksum, bool compressed);
// The first listed image other than image that Equals it; null when none.
Image* FindEqual(Image* image);
int Count();
// Bytes of pixel memory all listed images hold right now.
std::size_t HeldPixelBytes();

}  // namespace StaticImageList

// Empties the static image list; the images stay alive in the palettes that use them.
void EmptyStaticImageList();

}  // namespace orvan
