// The wrapper's rendering properties. The wrapper keeps its own value of each and sends every
// change to the component as text; reading asks the component first and falls back to the
// wrapper's own value when it answers nothing (or nothing that parses).
#include <sstream>
#include <string>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/attribute_text_form.h"
#include "orvan/enum_attributes.h"

namespace vessant {

namespace {

using orvan::vesColor;

// Integers as decimal numbers, bool as 1 or 0, float with the stream's default format,
// colours in their four-number text form.
void WriteText(std::ostream& os, int v) { os << v; }
void WriteText(std::ostream& os, bool v) { os << (v ? '1' : '0'); }
void WriteText(std::ostream& os, float v) { os << v; }
void WriteText(std::ostream& os, const vesColor& v) { orvan::WriteColorForm(os, v); }

// Each leaves v as it was when the text does not parse.
void ReadText(std::istream& is, int& v) { orvan::AttributeTextForm<int>::Read(is, v); }
void ReadText(std::istream& is, bool& v) { orvan::AttributeTextForm<bool>::Read(is, v); }
void ReadText(std::istream& is, float& v) { orvan::AttributeTextForm<float>::Read(is, v); }
void ReadText(std::istream& is, vesColor& v) { orvan::ReadColorForm(is, v); }

}  // namespace

template <typename T>
void VesKeshWrapper::Mirror(const char* name, const T& value) {
    if (component == nullptr) return;
    std::ostringstream text;
    WriteText(text, value);
    SetComponentAttribute(name, text.str());
}

template <typename T>
T VesKeshWrapper::Mirrored(const char* name, T own) {
    std::string text;
    if (!ComponentAttribute(name, &text) || text.empty()) return own;
    std::istringstream in(text);
    T value = own;
    ReadText(in, value);
    return value;
}

// Read through the enumeration's own attribute class, so names and numbers are both accepted.
template <typename EnumAttribute, typename Storage>
int VesKeshWrapper::MirroredEnum(const char* name, int own) {
    std::string text;
    if (!ComponentAttribute(name, &text) || text.empty()) return own;
    Storage value = static_cast<Storage>(own);
    EnumAttribute reader(nullptr, orvan::AttributeName(name), &value);
    std::istringstream in(text);
    reader.ReadValue(in);
    return static_cast<int>(value);
}

// The setters keep the value in the wrapper's own field (the base object's behaviour, not the
// group's, which would only pass it to children the wrapper never has), then mirror it.
#define VES_KESH_MIRRORED_SETTER(Setter, Type, Name) \
    void VesKeshWrapper::Setter(Type value) {        \
        DisplayObject::Setter(value);                \
        Mirror(Name, value);                         \
    }

#define VES_KESH_MIRRORED_GETTER(Getter, Type, Name) \
    Type VesKeshWrapper::Getter() { return Mirrored<Type>(Name, DisplayObject::Getter()); }

#define VES_KESH_MIRRORED_ENUM_GETTER(Getter, Attribute, Storage, Name) \
    int VesKeshWrapper::Getter() { return MirroredEnum<orvan::Attribute, Storage>(Name, DisplayObject::Getter()); }

VES_KESH_MIRRORED_SETTER(AlphaMode, int, "AlphaMode")
VES_KESH_MIRRORED_ENUM_GETTER(AlphaMode, OrvanAttributeAlphaModeEnum, int, "AlphaMode")
VES_KESH_MIRRORED_SETTER(AntiAlias, bool, "AntiAlias")
VES_KESH_MIRRORED_GETTER(AntiAlias, bool, "AntiAlias")
VES_KESH_MIRRORED_SETTER(SetBlendColor, const vesColor&, "BlendColor")
VES_KESH_MIRRORED_GETTER(GetBlendColor, vesColor, "BlendColor")
VES_KESH_MIRRORED_SETTER(SetColor, const vesColor&, "Color")
VES_KESH_MIRRORED_GETTER(GetColor, vesColor, "Color")
VES_KESH_MIRRORED_SETTER(CullBackFace, int, "CullBackFace")
VES_KESH_MIRRORED_GETTER(CullBackFace, int, "CullBackFace")
VES_KESH_MIRRORED_SETTER(DepthTest, int, "DepthTest")
VES_KESH_MIRRORED_GETTER(DepthTest, int, "DepthTest")
VES_KESH_MIRRORED_SETTER(LightingEnabled, bool, "LightingEnabled")
VES_KESH_MIRRORED_GETTER(LightingEnabled, bool, "LightingEnabled")
VES_KESH_MIRRORED_SETTER(LineStippleMultiplier, int, "LineStippleMultiplier")
VES_KESH_MIRRORED_GETTER(LineStippleMultiplier, int, "LineStippleMultiplier")
VES_KESH_MIRRORED_SETTER(LineStipplePattern, int, "LineStipplePattern")
VES_KESH_MIRRORED_GETTER(LineStipplePattern, int, "LineStipplePattern")
VES_KESH_MIRRORED_SETTER(LineWidth, float, "LineWidth")
VES_KESH_MIRRORED_GETTER(LineWidth, float, "LineWidth")
VES_KESH_MIRRORED_SETTER(MaterialIndex, int, "MaterialIndex")
VES_KESH_MIRRORED_GETTER(MaterialIndex, int, "MaterialIndex")
VES_KESH_MIRRORED_SETTER(PolygonOffset, int, "PolygonOffset")
VES_KESH_MIRRORED_GETTER(PolygonOffset, int, "PolygonOffset")
VES_KESH_MIRRORED_SETTER(PolygonEnd, int, "PolygonEnd")
VES_KESH_MIRRORED_ENUM_GETTER(PolygonEnd, OrvanAttributePolyEndEnum, unsigned char, "PolygonEnd")
VES_KESH_MIRRORED_SETTER(PolygonMode, int, "PolygonMode")
VES_KESH_MIRRORED_ENUM_GETTER(PolygonMode, OrvanAttributePolyModeEnum, unsigned char, "PolygonMode")
VES_KESH_MIRRORED_SETTER(Shading, int, "Shading")
VES_KESH_MIRRORED_ENUM_GETTER(Shading, OrvanAttributeShadingEnum, unsigned char, "Shading")
VES_KESH_MIRRORED_SETTER(TextureIndex, int, "TextureIndex")
VES_KESH_MIRRORED_GETTER(TextureIndex, int, "TextureIndex")
VES_KESH_MIRRORED_SETTER(TextureRepeat, int, "TextureRepeat")
VES_KESH_MIRRORED_GETTER(TextureRepeat, int, "TextureRepeat")
VES_KESH_MIRRORED_SETTER(TextureMappingTechnique, int, "TextureMap")
VES_KESH_MIRRORED_ENUM_GETTER(TextureMappingTechnique, OrvanAttributeTextureModeEnum, unsigned char, "TextureMap")
VES_KESH_MIRRORED_SETTER(TextureMagnificationFilter, int, "TextureMagFilter")
VES_KESH_MIRRORED_ENUM_GETTER(TextureMagnificationFilter, OrvanAttributeTextureFilterEnum, unsigned char,
                              "TextureMagFilter")
VES_KESH_MIRRORED_SETTER(TextureMinificationFilter, int, "TextureMinFilter")
VES_KESH_MIRRORED_ENUM_GETTER(TextureMinificationFilter, OrvanAttributeTextureFilterEnum, unsigned char,
                              "TextureMinFilter")

#undef VES_KESH_MIRRORED_SETTER
#undef VES_KESH_MIRRORED_GETTER
#undef VES_KESH_MIRRORED_ENUM_GETTER

}  // namespace vessant
