#include "display/object_attributes.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>


namespace orvan {

ObjectVertexArrayAttribute::ObjectVertexArrayAttribute(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                                       Vertex** vertices, unsigned int* vertexCount,
                                                       Vector** normals_)
    : OrvanAttributeVertexArray<Vertex>(callback_, name_, vertices, vertexCount), normals(normals_) {}

std::istream& ObjectVertexArrayAttribute::ReadValue(std::istream& is) {
  const unsigned int before = countRef != nullptr ? *countRef : 0;
  // The owner hears of the change only once the normals match the new vertices.
  CallbackMethodCallerBase* held = callback;
  callback = nullptr;
  OrvanAttributeVertexArray<Vertex>::ReadValue(is);
  callback = held;
  const unsigned int after = countRef != nullptr ? *countRef : 0;
  if (normals != nullptr && *normals != nullptr && after != before) {
    Vector* resized = after > 0 ? new Vector[after] : nullptr;
    std::copy(*normals, *normals + std::min(before, after), resized);
    delete[] *normals;
    *normals = resized;
  }
  NotifyChanged();
  return is;
}

ObjectVectorArrayAttribute::ObjectVectorArrayAttribute(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                                       Vector** array_, unsigned int* count_, bool countIsVertexCount_)
    : OrvanAttributeBase(callback_, name_, false), array(array_), count(count_), countIsVertexCount(countIsVertexCount_) {}

bool ObjectVectorArrayAttribute::HasValue() const { return array != nullptr && *array != nullptr; }

std::ostream& ObjectVectorArrayAttribute::WriteValue(std::ostream& os) const {
  if (!HasValue() || count == nullptr) return os;
  const Vector* points = *array;
  os << *count;
  for (unsigned int i = 0; i < *count; ++i) {
    os << '\n';
    WriteVectorForm(os, points[i].x, points[i].y, points[i].z);
  }
  return os;
}

std::istream& ObjectVectorArrayAttribute::ReadValue(std::istream& is) {
  unsigned int wanted = 0;
  if (array == nullptr || count == nullptr || !(is >> wanted)) {
    NotifyChanged();
    return is;
  }
  // Only points that parse are kept, so a count the text cannot back never allocates.
  std::vector<Vector> read;
  read.reserve(std::min(wanted, 4096u));
  while (read.size() < wanted) {
    Vector point;
    ReadVectorForm(is, point.x, point.y, point.z);
    if (is.fail()) break;
    read.push_back(point);
  }
  const bool nothingUsable = wanted > 0 && read.empty();
  if (!nothingUsable) {
    const unsigned int size = countIsVertexCount ? (wanted == 0 ? 0u : *count) : static_cast<unsigned int>(read.size());
    Vector* replaced = size > 0 ? new Vector[size] : nullptr;
    std::copy(read.begin(), read.begin() + std::min<std::size_t>(size, read.size()), replaced);
    delete[] *array;
    *array = replaced;
    if (!countIsVertexCount) *count = size;
  }
  NotifyChanged();
  return is;
}

ObjectShadingAttribute::ObjectShadingAttribute(CallbackMethodCallerBase* callback_, const AttributeName& name_,
                                               int* storage_)
    : OrvanAttributeEnum<int>(callback_, name_, storage_, Names()) {}

EnumDefList<int>* ObjectShadingAttribute::Names() {
  static EnumDefList<int> names("FLAT", 0, "GOURAUD", 1, nullptr);
  return &names;
}

}  // namespace orvan
