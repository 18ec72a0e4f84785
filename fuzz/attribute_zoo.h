#pragma once

#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_enum_types.h"
#include "orvan/file_path.h"
#include "orvan/ves_prop_string.h"
#include "orvan/vertex.h"

namespace orvan {
namespace fuzzing {

// One attribute of every class over storage of its own, all in one dictionary; the fuzz targets
// read into them and write them out again.
class AttributeZoo {
 public:
  AttributeZoo();
  ~AttributeZoo();
  AttributeZoo(const AttributeZoo&) = delete;
  AttributeZoo& operator=(const AttributeZoo&) = delete;

  OrvanAttribDict& Dictionary() { return dict; }
  std::size_t Count() const { return dict.Count(); }
  OrvanAttributeBase* At(std::size_t i) const { return dict.At(i); }

  // A property target: values pass through these methods.
  void SetRate(const float& v) { rate = v; }
  float GetRate() { return rate; }
  VesPropString Message(const VesPropString& v) { return message = v; }
  VesPropString Message() { return message; }

 private:
  bool flag = true;
  unsigned char byte = 1;
  unsigned short pattern = 0xFFFF;
  int number = 0;
  unsigned int count = 0;
  long big = 0;
  float real = 1.5f;
  double precise = 0.1;
  vesColor color{1, 2, 3, 4};
  Vertex point{1, 2, 3};
  std::string word = "word";
  VesPropString line = "a line";
  Justify_t justify = LEFT;
  Align_t align = ALIGN_TOP;
  float rate = 2;
  VesPropString message = "message";
  char* text = nullptr;
  std::string encoded = "encoded text";
  unsigned char ucharOrBool = 0;
  Vertex location{0, 0, 0};
  float floats[3] = {1, 2, 3};
  double doubles[2] = {4, 5};
  Vertex* vertices = nullptr;
  unsigned int vertexCount = 0;
  VertexNoColor* normals = nullptr;
  unsigned int normalCount = 0;
  Vertex corners[2];
  VertexNoColor texturePoints[4];
  FilePath base{"/tmp/fuzz/panel.res"};
  FilePath image;
  FilePath cachePath;
  unsigned char modes[6] = {0, 0, 0, 0, 0, 0};
  int alpha = 3;
  vesImageCodec codec = VES_CODEC_LZ77;
  LightType_e light = LIGHT_INFINITE;
  int nestedValue = 0;
  OrvanAttribDict nested;
  OrvanAttribDict dict;
};

}  // namespace fuzzing
}  // namespace orvan
