#include "orvan/attribute_arrays.h"

#include <iomanip>
#include <vector>

namespace orvan {

ResourceFormatVersionPair ResourceFormatVersion = {0.0, 0};

namespace {

template <typename Number>
void WriteNumbers(std::ostream& os, const Number* values, int count) {
  if (values == nullptr || count < 1) return;
  os.precision(10);
  os << std::setw(15);  // a width applies to the next number only
  for (int i = 0; i < count; ++i) os << values[i] << ' ';
}

template <typename Number>
void ReadNumbers(std::istream& is, Number* values, int count) {
  if (values == nullptr) return;
  for (int i = 0; i < count; ++i) {
    Number read = 0;
    if (!(is >> read)) break;
    values[i] = read;
  }
}

// Files of format 3.0 and older wrote a colour after each texture point.
bool TexturePointsCarryColor() {
  const ResourceFormatVersionPair& v = ResourceFormatVersion;
  if (v.majorVersion == 0.0 && v.minorVersion == 0) return false;
  return !(v.majorVersion > 3.0 || (v.majorVersion == 3.0 && v.minorVersion > 0));
}

void WriteElement(std::ostream& os, const VertexNoColor& element) {
  WriteVectorForm(os, element.x, element.y, element.z);
}

void WriteElement(std::ostream& os, const Vertex& element) { AttributeTextForm<Vertex>::Write(os, element); }

void ReadElement(std::istream& is, VertexNoColor& element) { ReadVectorForm(is, element.x, element.y, element.z); }

void ReadElement(std::istream& is, Vertex& element) { AttributeTextForm<Vertex>::Read(is, element); }

}  // namespace

OrvanAttributeLocation::OrvanAttributeLocation(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                               Vertex* storage_)
    : OrvanAttribute<Vertex>(callback_, name_, storage_) {}

std::ostream& OrvanAttributeLocation::WriteValue(std::ostream& os) const {
  if (storage != nullptr) WriteVectorForm(os, storage->x, storage->y, storage->z);
  return os;
}

std::istream& OrvanAttributeLocation::ReadValue(std::istream& is) {
  if (storage != nullptr) ReadVectorForm(is, storage->x, storage->y, storage->z);
  NotifyChanged();
  return is;
}

OrvanAttributeFloatArray::OrvanAttributeFloatArray(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                                   float* values_, int count_)
    : OrvanAttributeBase(callback_, name_, false), values(values_), count(count_) {}

bool OrvanAttributeFloatArray::HasValue() const { return count > 0; }

std::ostream& OrvanAttributeFloatArray::WriteValue(std::ostream& os) const {
  WriteNumbers(os, values, count);
  return os;
}

std::istream& OrvanAttributeFloatArray::ReadValue(std::istream& is) {
  ReadNumbers(is, values, count);
  NotifyChanged();
  return is;
}

OrvanAttributeDoubleArray::OrvanAttributeDoubleArray(CallbackMethodCallerBase* callback_,
                                                     const AttributeName& name_, double* values_, int count_)
    : OrvanAttributeBase(callback_, name_, false), values(values_), count(count_) {}

bool OrvanAttributeDoubleArray::HasValue() const { return count > 0; }

std::ostream& OrvanAttributeDoubleArray::WriteValue(std::ostream& os) const {
  WriteNumbers(os, values, count);
  return os;
}

std::istream& OrvanAttributeDoubleArray::ReadValue(std::istream& is) {
  ReadNumbers(is, values, count);
  NotifyChanged();
  return is;
}

template <typename T>
OrvanAttributeVertexArray<T>::OrvanAttributeVertexArray(CallbackMethodCallerBase* callback_,
                                                        const AttributeName& name_, T** array, unsigned int* count)
    : OrvanAttributeBase(callback_, name_, false), arrayRef(array), countRef(count), fixedCount(0), isFixed(false) {}

template <typename T>
OrvanAttributeVertexArray<T>::OrvanAttributeVertexArray(CallbackMethodCallerBase* callback_,
                                                        const AttributeName& name_, T* array, int count)
    : OrvanAttributeBase(callback_, name_, true),
      arrayRef(new T*(array)),
      countRef(nullptr),
      fixedCount(count),
      isFixed(true) {}

template <typename T>
OrvanAttributeVertexArray<T>::~OrvanAttributeVertexArray() {
  if (ownsStorage) delete arrayRef;  // the holder only; the array is the caller's
}

template <typename T>
bool OrvanAttributeVertexArray<T>::HasValue() const {
  return arrayRef != nullptr && *arrayRef != nullptr;
}

template <typename T>
std::ostream& OrvanAttributeVertexArray<T>::WriteValue(std::ostream& os) const {
  if (!HasValue()) return os;
  const T* array = *arrayRef;
  unsigned int count = 0;
  if (isFixed) {
    count = fixedCount > 0 ? static_cast<unsigned int>(fixedCount) : 0;
  } else {
    count = countRef != nullptr ? *countRef : 0;
    os << count;
  }
  for (unsigned int i = 0; i < count; ++i) {
    os << '\n';
    WriteElement(os, array[i]);
  }
  return os;
}

template <typename T>
std::istream& OrvanAttributeVertexArray<T>::ReadValue(std::istream& is) {
  if (arrayRef == nullptr) return is;
  if (isFixed) {
    if (*arrayRef != nullptr) {
      for (int i = 0; i < fixedCount && !is.fail(); ++i) ReadElement(is, (*arrayRef)[i]);
    }
    NotifyChanged();
    return is;
  }
  unsigned int wanted = 0;
  if (!(is >> wanted)) {
    NotifyChanged();
    return is;
  }
  std::vector<T> read;
  read.reserve(wanted < 4096u ? wanted : 4096u);
  while (read.size() < wanted) {
    T element;
    ReadElement(is, element);
    if (is.fail()) break;
    read.push_back(element);
  }
  delete[] *arrayRef;
  T* array = new T[read.size()];
  for (std::size_t i = 0; i < read.size(); ++i) array[i] = read[i];
  *arrayRef = array;
  if (countRef != nullptr) *countRef = static_cast<unsigned int>(read.size());
  NotifyChanged();
  return is;
}

template class OrvanAttributeVertexArray<Vertex>;
template class OrvanAttributeVertexArray<VertexNoColor>;

OrvanAttributeTexturePointArray::OrvanAttributeTexturePointArray(CallbackMethodCallerBase* callback_,
                                                                 const AttributeName& name_, VertexNoColor* array,
                                                                 int count)
    : OrvanAttributeVertexArray<VertexNoColor>(callback_, name_, array, count) {}

std::istream& OrvanAttributeTexturePointArray::ReadValue(std::istream& is) {
  VertexNoColor* array = arrayRef != nullptr ? *arrayRef : nullptr;
  if (array != nullptr) {
    const bool withColor = TexturePointsCarryColor();
    for (int i = 0; i < fixedCount && !is.fail(); ++i) {
      if (withColor) {
        Vertex point(array[i].x, array[i].y, array[i].z);
        AttributeTextForm<Vertex>::Read(is, point);
        array[i].Set(point.x, point.y, point.z);
      } else {
        ReadElement(is, array[i]);
      }
    }
  }
  NotifyChanged();
  return is;
}

}  // namespace orvan
