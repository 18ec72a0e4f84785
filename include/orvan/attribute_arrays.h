#pragma once

#include "orvan/attribute.h"
#include "orvan/vertex.h"

namespace orvan {

// The version of the resource text being read. Nothing sets it unless the reader of an old
// file does; (0, 0) means "current".
struct ResourceFormatVersionPair {
  double majorVersion;
  int minorVersion;
};
extern ResourceFormatVersionPair ResourceFormatVersion;

// An object's location: only x, y, z travel as text; the colour stays as it is.
class OrvanAttributeLocation : public OrvanAttribute<Vertex> {
 public:
  OrvanAttributeLocation(CallbackMethodCallerBase* callback, const AttributeName& name, Vertex* storage);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeLocation);

  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;
};

// A fixed number of floats in the caller's array, written on one line, each followed by one
// space; no length travels with them.
class OrvanAttributeFloatArray : public OrvanAttributeBase {
 public:
  OrvanAttributeFloatArray(CallbackMethodCallerBase* callback, const AttributeName& name, float* values, int count);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeFloatArray);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 private:
  float* values;
  int count;
};

// As OrvanAttributeFloatArray, for doubles.
class OrvanAttributeDoubleArray : public OrvanAttributeBase {
 public:
  OrvanAttributeDoubleArray(CallbackMethodCallerBase* callback, const AttributeName& name, double* values,
                            int count);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeDoubleArray);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 private:
  double* values;
  int count;
};

// An array of Vertex or VertexNoColor, one element per line. The variable form works on the
// owner's array pointer and count and replaces the array when it reads (the count is written
// first); the fixed form reads and writes a given number of elements in place.
template <typename T>
class OrvanAttributeVertexArray : public OrvanAttributeBase {
 public:
  // Variable length: the owner's array pointer (new[]) and element count.
  OrvanAttributeVertexArray(CallbackMethodCallerBase* callback, const AttributeName& name, T** array,
                            unsigned int* count);
  // Fixed length: count elements of the caller's array.
  OrvanAttributeVertexArray(CallbackMethodCallerBase* callback, const AttributeName& name, T* array, int count);
  ~OrvanAttributeVertexArray() override;
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeVertexArray);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  // The variable form keeps the elements that parse completely: a count larger than the
  // elements that follow gives a shorter array, never an allocation the text cannot fill.
  std::istream& ReadValue(std::istream& is) override;

 protected:
  T** arrayRef;
  unsigned int* countRef;
  int fixedCount;
  bool isFixed;
};

extern template class OrvanAttributeVertexArray<Vertex>;
extern template class OrvanAttributeVertexArray<VertexNoColor>;

// The four texture points of an object: a fixed array of VertexNoColor, written with three
// numbers per point. It reads three numbers per point too, unless ResourceFormatVersion names
// a format of 3.0 or older, whose points carried a colour as well.
class OrvanAttributeTexturePointArray : public OrvanAttributeVertexArray<VertexNoColor> {
 public:
  OrvanAttributeTexturePointArray(CallbackMethodCallerBase* callback, const AttributeName& name,
                                  VertexNoColor* array, int count);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeTexturePointArray);

  std::istream& ReadValue(std::istream& is) override;
};

}  // namespace orvan
