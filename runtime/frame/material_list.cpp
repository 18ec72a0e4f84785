#include "orvan/material_list.h"

#include <GL/gl.h>

namespace orvan {

void MaterialList::Set(unsigned int index, const Material& m) {
  if (index >= materials.size()) materials.resize(index + 1);
  materials[index] = m;
}

const Material* MaterialList::Get(int index) const {
  if (index < 0 || static_cast<unsigned int>(index) >= materials.size()) return nullptr;
  return &materials[static_cast<unsigned int>(index)];
}

const Material& MaterialList::At(unsigned int index) {
  if (index >= materials.size()) materials.resize(index + 1);
  return materials[index];
}

void Material::Apply(unsigned int face) const {
  auto set = [&](GLenum which, const vesColor& c) {
    GLfloat v[4];
    c.ToFloats(v);
    glMaterialfv(static_cast<GLenum>(face), which, v);
  };
  set(GL_AMBIENT, ambient);
  set(GL_DIFFUSE, diffuse);
  set(GL_SPECULAR, specular);
  set(GL_EMISSION, emission);
  glMaterialf(static_cast<GLenum>(face), GL_SHININESS, shininess);
}

}  // namespace orvan
