#include "orvan/enum_attributes.h"

namespace orvan {

EnumDefList<unsigned char>* OrvanAttributeTextureModeEnum::Names() {
  static EnumDefList<unsigned char> names("TEXTURE_MAP_MODULATE", 0, "TEXTURE_MAP_DECAL", 1, "TEXTURE_MAP_BLEND", 2,
                                          "TEXTURE_MAP_REPLACE", 3, nullptr);
  return &names;
}

EnumDefList<unsigned char>* OrvanAttributeTextureFilterEnum::Names() {
  static EnumDefList<unsigned char> names(
      "TEXTURE_FILTER_NEAREST", 0, "TEXTURE_FILTER_LINEAR", 1, "TEXTURE_FILTER_NEAREST_MIPMAP_NEAREST", 2,
      "TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR", 3, "TEXTURE_FILTER_NEAREST_MIPMAP_LINEAR", 4,
      "TEXTURE_FILTER_LINEAR_MIPMAP_NEAREST", 5, nullptr);
  return &names;
}

EnumDefList<unsigned char>* OrvanAttributePolyModeEnum::Names() {
  static EnumDefList<unsigned char> names("POLY_MODE_UNDEFINED", 0, "POLY_MODE_POINTS", 1, "POLY_MODE_OUTLINE", 2,
                                          "POLY_MODE_FILLED", 3, "POLY_MODE_FILL_AND_OUTLINE", 4, nullptr);
  return &names;
}

EnumDefList<unsigned char>* OrvanAttributePolyEndEnum::Names() {
  static EnumDefList<unsigned char> names("POLY_OPEN", 0, "POLY_CLOSED", 1, nullptr);
  return &names;
}

EnumDefList<unsigned char>* OrvanAttributeShadingEnum::Names() {
  static EnumDefList<unsigned char> names("FLAT", 0, "GOURAUD", 1, nullptr);
  return &names;
}

EnumDefList<unsigned char>* OrvanAttributeColorMaterialModeEnum::Names() {
  static EnumDefList<unsigned char> names("NO_COLOR_MATERIAL", 0, "DIFFUSE_COLOR_MATERIAL", 1,
                                          "AMBIENT_COLOR_MATERIAL", 2, "DIFFUSE_AND_AMBIENT_COLOR_MATERIAL", 3,
                                          "EMISSION_COLOR_MATERIAL", 4, "SPECULAR_COLOR_MATERIAL", 5, nullptr);
  return &names;
}

EnumDefList<int>* OrvanAttributeAlphaModeEnum::Names() {
  static EnumDefList<int> names("ALPHA_MODE_UNDEFINED", 0, "ALPHA_MODE_OPAQUE", 1, "ALPHA_MODE_2_LEVEL", 2,
                                "ALPHA_MODE_256_LEVEL", 3, nullptr);
  return &names;
}

EnumDefList<vesImageCodec>* OrvanAttributeImageCodecEnum::Names() {
  static EnumDefList<vesImageCodec> names("VES_CODEC_RAW", 0, "VES_CODEC_LZ77", 1, "VES_CODEC_JPEG", 2, nullptr);
  return &names;
}

EnumDefList<LightType_e>* OrvanAttributeLightTypeEnum::Names() {
  static EnumDefList<LightType_e> names("LIGHT_LOCAL", 0, "LIGHT_INFINITE", 1, nullptr);
  return &names;
}

}  // namespace orvan
