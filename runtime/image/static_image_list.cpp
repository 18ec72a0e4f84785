#include "orvan/static_image_list.h"

#include "orvan/image.h"
#include "orvan/list.h"
#include "orvan/mutex.h"

namespace orvan {

namespace {

struct SharedList {
  Mutex mutex;
  TList<Image*> images;
};

// Created on first use and kept to the end of the program (or of the component library).
SharedList& Shared() {
  static SharedList list;
  return list;
}

}  // namespace

namespace StaticImageList {

void Append(Image* image) {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  list.images.Append(image);
}

void Remove(Image* image) {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  for (auto* item = list.images.First(); item != nullptr; item = item->next) {
    if (item->data == image) {
      list.images.Delete(item);
      return;
    }
  }
}

Image* Find(int width, int height, int components, unsigned int checksum, bool compressed) {
  if (checksum == 0) return nullptr;
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  for (auto* item = list.images.First(); item != nullptr; item = item->next) {
    Image* image = item->data;
    if (image->Checksum() == checksum && image->Height() == height && image->Width() == width &&
        image->Components() == components && image->Compressed() == compressed) {
      return image;
    }
  }
  return nullptr;
}

Image* FindEqual(Image* image) {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  for (auto* item = list.images.First(); item != nullptr; item = item->next) {
    if (item->data != image && item->data->Equals(*image)) return item->data;
  }
  return nullptr;
}

int Count() {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  return list.images.Count();
}

std::size_t HeldPixelBytes() {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  std::size_t bytes = 0;
  for (auto* item = list.images.First(); item != nullptr; item = item->next) bytes += item->data->HeldPixelBytes();
  return bytes;
}

}  // namespace StaticImageList

void EmptyStaticImageList() {
  SharedList& list = Shared();
  MutexLock lock(list.mutex);
  list.images.Clear();
}

}  // namespace orvan
