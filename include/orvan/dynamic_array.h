#pragma once

#include <new>

#include "orvan/error_report.h"

namespace orvan {

// A growable array of pointers (T is the element type, a pointer type) behind the children of
// groups and the name lists of resource filters. Reading past the end grows it with nulls.
template <typename T>
class DynamicArray {
 public:
  DynamicArray() : capacity(0), count(0), data(nullptr) {}
  DynamicArray(const DynamicArray& other) : capacity(0), count(0), data(nullptr) { CopyFrom(other); }
  DynamicArray& operator=(const DynamicArray& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }
  ~DynamicArray() { delete[] data; }

  // Sets the capacity: 0 frees the storage; new elements are null; count is lowered to n.
  void Resize(unsigned int n) {
    if (n == 0) {
      delete[] data;
      data = nullptr;
    } else if (data == nullptr) {
      T* _objects = new (std::nothrow) T[n]();
      ORVAN_ASSERT(_objects);
      data = _objects;
    } else if (n != capacity) {
      T* newobjs = new (std::nothrow) T[n]();
      ORVAN_ASSERT(newobjs);
      const unsigned int keep = n < capacity ? n : capacity;
      for (unsigned int i = 0; i < keep; ++i) newobjs[i] = data[i];
      delete[] data;
      data = newobjs;
    }
    capacity = n;
    if (count > n) count = n;
  }

  // The element at index, growing the array (and its count) to reach it.
  T& operator[](unsigned int index) {
    ORVAN_ASSERT(int(index) >= 0);
    if (index >= capacity) {
      Resize(index + 1);
      count = index + 1;
    } else if (index >= count) {
      count = index + 1;
    }
    return data[index];
  }

  // Inserts value at min(index, count); an index beyond the end appends.
  void InsertAt(T value, unsigned int index) {
    ++count;
    if (count > capacity) Resize(data == nullptr || capacity == 0 ? 2 : capacity * 2);
    const unsigned int position = index < count - 1 ? index : count - 1;
    for (unsigned int i = count - 1; i > position; --i) data[i] = data[i - 1];
    data[position] = value;
  }

  // Not in the original array: removes the element at index and shifts the rest down (groups
  // delete children); an index at or beyond count does nothing.
  void RemoveAt(unsigned int index) {
    if (index >= count) return;
    for (unsigned int i = index; i + 1 < count; ++i) data[i] = data[i + 1];
    --count;
    data[count] = T();
  }

  unsigned int Count() const { return count; }

  unsigned int capacity;
  unsigned int count;
  T* data;

 private:
  void CopyFrom(const DynamicArray& other) {
    Resize(other.capacity);
    for (unsigned int i = 0; i < other.capacity; ++i) data[i] = other.data[i];
    count = other.count;
  }
};

}  // namespace orvan
