#pragma once

#include "orvan/attribute_enum_types.h"
#include "orvan/enum_attribute.h"

namespace orvan {

// The enumerated attributes of this runtime. Each class shares one name table, built when the
// first attribute of the class is constructed and kept to the end of the program.
#define ORVAN_ENUM_ATTRIBUTE_CLASS(Class, Type)                                            \
  class Class : public OrvanAttributeEnum<Type> {                                          \
   public:                                                                                 \
    Class(CallbackMethodCallerBase* callback, const AttributeName& name, Type* storage)    \
        : OrvanAttributeEnum<Type>(callback, name, storage, Names()) {}                    \
    ORVAN_ATTRIBUTE_ASSIGNMENT(Class);                                                     \
    static EnumDefList<Type>* Names();                                                     \
  }

// TEXTURE_MAP_MODULATE 0, TEXTURE_MAP_DECAL 1, TEXTURE_MAP_BLEND 2, TEXTURE_MAP_REPLACE 3.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeTextureModeEnum, unsigned char);
// TEXTURE_FILTER_NEAREST 0, _LINEAR 1, _NEAREST_MIPMAP_NEAREST 2, _LINEAR_MIPMAP_LINEAR 3,
// _NEAREST_MIPMAP_LINEAR 4, _LINEAR_MIPMAP_NEAREST 5.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeTextureFilterEnum, unsigned char);
// POLY_MODE_UNDEFINED 0, _POINTS 1, _OUTLINE 2, _FILLED 3, _FILL_AND_OUTLINE 4.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributePolyModeEnum, unsigned char);
// POLY_OPEN 0, POLY_CLOSED 1.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributePolyEndEnum, unsigned char);
// FLAT 0, GOURAUD 1.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeShadingEnum, unsigned char);
// NO_COLOR_MATERIAL 0, DIFFUSE_ 1, AMBIENT_ 2, DIFFUSE_AND_AMBIENT_ 3, EMISSION_ 4, SPECULAR_ 5.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeColorMaterialModeEnum, unsigned char);
// ALPHA_MODE_UNDEFINED 0, _OPAQUE 1, _2_LEVEL 2, _256_LEVEL 3.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeAlphaModeEnum, int);
// VES_CODEC_RAW 0, VES_CODEC_LZ77 1, VES_CODEC_JPEG 2.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeImageCodecEnum, vesImageCodec);
// LIGHT_LOCAL 0, LIGHT_INFINITE 1.
ORVAN_ENUM_ATTRIBUTE_CLASS(OrvanAttributeLightTypeEnum, LightType_e);

#undef ORVAN_ENUM_ATTRIBUTE_CLASS

}  // namespace orvan
