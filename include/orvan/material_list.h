#pragma once

#include <vector>

#include "orvan/ves_color.h"

namespace orvan {

// The surface colours an object's material index selects when it is lit.
struct Material {
  Material() : ambient(51, 51, 51, 255), diffuse(204, 204, 204, 255), specular(0, 0, 0, 255),
               emission(0, 0, 0, 255), shininess(0.0f) {}
  Material(const vesColor& ambient_, const vesColor& diffuse_, const vesColor& specular_,
           const vesColor& emission_, float shininess_)
      : ambient(ambient_), diffuse(diffuse_), specular(specular_), emission(emission_), shininess(shininess_) {}

  // Sets the OpenGL material of the given face (GL_FRONT_AND_BACK for polygons).
  void Apply(unsigned int face) const;

  vesColor ambient;
  vesColor diffuse;
  vesColor specular;
  vesColor emission;
  float shininess;
};

// A frame's materials, by index.
class MaterialList {
 public:
  MaterialList() = default;
  virtual ~MaterialList() = default;
  MaterialList(const MaterialList&) = delete;
  MaterialList& operator=(const MaterialList&) = delete;

  unsigned int Count() const { return static_cast<unsigned int>(materials.size()); }
  // Grows or shrinks the list to n entries; new entries have the default colours.
  void Resize(unsigned int n) { materials.resize(n); }
  // Stores m at index, growing the list when needed.
  void Set(unsigned int index, const Material& m);
  // The material at index, or null beyond the list.
  const Material* Get(int index) const;
  // The material at index, growing the list with default materials to reach it (index >= 0).
  const Material& At(unsigned int index);

 private:
  std::vector<Material> materials;
};

}  // namespace orvan
