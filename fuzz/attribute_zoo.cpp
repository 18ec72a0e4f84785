#include "attribute_zoo.h"

#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_dictionary_attribute.h"
#include "orvan/attribute_file_path.h"
#include "orvan/attribute_property.h"
#include "orvan/attribute_string.h"
#include "orvan/enum_attributes.h"

namespace orvan {
namespace fuzzing {

AttributeZoo::AttributeZoo() {
  nested.Add(new OrvanAttribute<int>(nullptr, "NestedValue", &nestedValue));
  dict.Add(new OrvanAttribute<bool>(nullptr, "Bool", &flag));
  dict.Add(new OrvanAttribute<unsigned char>(nullptr, "UChar", &byte));
  dict.Add(new OrvanAttribute<unsigned short>(nullptr, "UShort", &pattern));
  dict.Add(new OrvanAttribute<int>(nullptr, "Int", &number));
  dict.Add(new OrvanAttribute<unsigned int>(nullptr, "UInt", &count));
  dict.Add(new OrvanAttribute<long>(nullptr, "Long", &big));
  dict.Add(new OrvanAttribute<float>(nullptr, "Float", &real));
  dict.Add(new OrvanAttribute<double>(nullptr, "Double", &precise));
  dict.Add(new OrvanAttribute<vesColor>(nullptr, "Color", &color));
  dict.Add(new OrvanAttribute<Vertex>(nullptr, "Vertex", &point));
  dict.Add(new OrvanAttribute<std::string>(nullptr, "String", &word));
  dict.Add(new OrvanAttribute<VesPropString>(nullptr, "PropString", &line));
  dict.Add(new OrvanAttribute<Justify_t>(nullptr, "Justify", &justify));
  dict.Add(new OrvanAttribute<Align_t>(nullptr, "VerticalAlignment", &align));
  dict.Add(new OrvanAttribute<std::string>("OwnedString", std::string("owned")));
  dict.Add(new OrvanAttributeProperty<AttributeZoo, float>("Rate", this, nullptr, &AttributeZoo::SetRate,
                                                           &AttributeZoo::GetRate));
  VesPropString (AttributeZoo::*setMessage)(const VesPropString&) = &AttributeZoo::Message;
  VesPropString (AttributeZoo::*getMessage)() = &AttributeZoo::Message;
  dict.Add(new OrvanAttributeProperty<AttributeZoo, VesPropString>("MainMessage", this, nullptr, setMessage,
                                                                   getMessage));
  dict.Add(new OrvanAttributeProperty<AttributeZoo, bool>("Detached", nullptr, nullptr, nullptr, nullptr));
  dict.Add(new OrvanAttributeString(nullptr, "Text", &text));
  dict.Add(new OrvanAttributeString(nullptr, "OwnText", "own text"));
  dict.Add(new OrvanAttributeEncodedStdString(nullptr, "Encoded", &encoded));
  dict.Add(new OrvanAttributeUCharOrBool(nullptr, "UCharOrBool", &ucharOrBool));
  dict.Add(new OrvanAttributeLocation(nullptr, "Location", &location));
  dict.Add(new OrvanAttributeFloatArray(nullptr, "Floats", floats, 3));
  dict.Add(new OrvanAttributeDoubleArray(nullptr, "Doubles", doubles, 2));
  dict.Add(new OrvanAttributeVertexArray<Vertex>(nullptr, "Vertices", &vertices, &vertexCount));
  dict.Add(new OrvanAttributeVertexArray<VertexNoColor>(nullptr, "Normals", &normals, &normalCount));
  dict.Add(new OrvanAttributeVertexArray<Vertex>(nullptr, "Corners", corners, 2));
  dict.Add(new OrvanAttributeTexturePointArray(nullptr, "TexturePoints", texturePoints, 4));
  dict.Add(new OrvanAttributeFilePathClass(&base, nullptr, "ImageFile", &image, true));
  dict.Add(new OrvanAttributeCWDRelativePath(nullptr, "CachePath", &cachePath, false));
  dict.Add(new OrvanAttributeDictionaryAttribute("Nested", &nested));
  dict.Add(new OrvanAttributeTextureModeEnum(nullptr, "TextureMap", &modes[0]));
  dict.Add(new OrvanAttributeTextureFilterEnum(nullptr, "TextureMinFilter", &modes[1]));
  dict.Add(new OrvanAttributePolyModeEnum(nullptr, "PolygonMode", &modes[2]));
  dict.Add(new OrvanAttributePolyEndEnum(nullptr, "PolygonEnd", &modes[3]));
  dict.Add(new OrvanAttributeShadingEnum(nullptr, "Shading", &modes[4]));
  dict.Add(new OrvanAttributeColorMaterialModeEnum(nullptr, "ColorMaterialMode", &modes[5]));
  dict.Add(new OrvanAttributeAlphaModeEnum(nullptr, "AlphaMode", &alpha));
  dict.Add(new OrvanAttributeImageCodecEnum(nullptr, "ImageCodec", &codec));
  dict.Add(new OrvanAttributeLightTypeEnum(nullptr, "LightType", &light));
  dict.Add(new OrvanEmptyAttribute("Empty"));
}

AttributeZoo::~AttributeZoo() {
  dict.Clear();
  nested.Clear();
  delete[] text;
  delete[] vertices;
  delete[] normals;
}

}  // namespace fuzzing
}  // namespace orvan
