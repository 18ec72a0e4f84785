#include "orvan/texture_palette.h"

#include "orvan/error_report.h"
#include "orvan/image.h"
#include "orvan/static_image_info.h"

namespace orvan {

TexturePalette::TexturePalette() {}

TexturePalette::~TexturePalette() {
  for (unsigned int i = 0; i < entries.capacity; ++i) entries.data[i].Clear();
}

void TexturePalette::Resize(unsigned int n) { entries.Resize(n); }

TexturePaletteEntry& TexturePalette::operator[](int index) {
  ORVAN_ASSERT(index >= 0);
  return entries[static_cast<unsigned int>(index)];
}

TexturePaletteEntry* TexturePalette::Entry(int index) {
  if (index < 0 || static_cast<unsigned int>(index) >= entries.capacity) return nullptr;
  return &entries.data[index];
}

bool TexturePalette::SetImage(int index, const StaticImageInfo* info) {
  TexturePaletteEntry* entry = Entry(index);
  if (entry == nullptr || info == nullptr) return false;
  entry->Clear();
  Image* image = StaticImageList::Find(info->width, info->height, info->components, info->checksum,
                                       info->compressed != 0);
  if (image != nullptr) {
    image->AddRef();
  } else {
    image = new Image(*info);
  }
  entry->Adopt(image, TexturePaletteEntry::kImageAssigned);
  return true;
}

bool TexturePalette::SetImage(int index, Image* image) {
  TexturePaletteEntry* entry = Entry(index);
  if (entry == nullptr || image == nullptr) return false;
  image->AddRef();
  entry->Clear();
  entry->Adopt(image, TexturePaletteEntry::kImageAssigned);
  return true;
}

Image* TexturePalette::GetImage(int index) {
  TexturePaletteEntry* entry = Entry(index);
  if (entry == nullptr || entry->State() == TexturePaletteEntry::kEmpty) return nullptr;
  return entry->GetImage();
}

void TexturePalette::UseTexture(int index) {
  TexturePaletteEntry* entry = Entry(index);
  if (entry == nullptr || entry->GetImage() == nullptr || entry->State() == TexturePaletteEntry::kEmpty) return;
  Image* image = entry->GetImage();
  if (entry->State() == TexturePaletteEntry::kPrepared) {
    image->BindTexture();
    return;
  }
  image->StretchToTextureSize();
  // Bound before the waiting error is taken, so that a picture that fails to decode on its
  // first upload is reported here, once.
  image->BindTexture();
  if (image->HasError()) {
    const char* message = image->TakeError();
    if (message != nullptr) ShowError("%s", message);
  }
  entry->State(TexturePaletteEntry::kPrepared);
}

void TexturePalette::ClearEntry(int index) {
  if (TexturePaletteEntry* entry = Entry(index)) entry->Clear();
}

}  // namespace orvan
