#pragma once
// Attributes used only by the display objects' registration, for fields whose storage does not
// match a public attribute class exactly.

#include "orvan/attribute_arrays.h"
#include "orvan/display_object.h"
#include "orvan/enum_attribute.h"

namespace orvan {

// The vertex array. Normals are kept one per vertex: when a read changes the vertex count the
// normal array (when there is one) is resized with it before the change callback runs, so
// drawing never indexes past it.
class ObjectVertexArrayAttribute : public OrvanAttributeVertexArray<Vertex> {
 public:
  ObjectVertexArrayAttribute(CallbackMethodCallerBase* callback, const AttributeName& name, Vertex** vertices,
                             unsigned int* vertexCount, Vector** normals);
  ORVAN_ATTRIBUTE_ASSIGNMENT(ObjectVertexArrayAttribute);

  std::istream& ReadValue(std::istream& is) override;

 private:
  Vector** normals;
};

// A variable-length array of Vector (normals, texture coordinates) with the text of a
// VertexNoColor array: the count, then one point per line.
//
// With a count of its own, reading replaces the array and the count. Tied to the vertex count
// instead (normals), reading never changes that count: the points read are fitted to it
// (extra ones dropped, missing ones zero), and a count of 0 removes the array.
class ObjectVectorArrayAttribute : public OrvanAttributeBase {
 public:
  ObjectVectorArrayAttribute(CallbackMethodCallerBase* callback, const AttributeName& name, Vector** array,
                             unsigned int* count, bool countIsVertexCount);
  ORVAN_ATTRIBUTE_ASSIGNMENT(ObjectVectorArrayAttribute);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 private:
  Vector** array;
  unsigned int* count;
  bool countIsVertexCount;
};

// The shading field is an int; its names are those of OrvanAttributeShadingEnum, FLAT 0 and
// GOURAUD 1.
class ObjectShadingAttribute : public OrvanAttributeEnum<int> {
 public:
  ObjectShadingAttribute(CallbackMethodCallerBase* callback, const AttributeName& name, int* storage);
  ORVAN_ATTRIBUTE_ASSIGNMENT(ObjectShadingAttribute);

  static EnumDefList<int>* Names();
};

}  // namespace orvan
