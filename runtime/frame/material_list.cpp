#include "orvan/material_list.h"

namespace orvan {

void MaterialList::Set(unsigned int index, const Material& m) {
  if (index >= materials.size()) materials.resize(index + 1);
  materials[index] = m;
}

const Material* MaterialList::Get(int index) const {
  if (index < 0 || static_cast<unsigned int>(index) >= materials.size()) return nullptr;
  return &materials[static_cast<unsigned int>(index)];
}

}  // namespace orvan
