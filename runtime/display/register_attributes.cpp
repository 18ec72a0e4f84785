// The attributes of the drawing classes: the dictionary's life and what each class publishes.
// Every attribute refers to the field itself, so reading or writing it reads or writes the
// field; some run a method of the object after each write.
#include <cstddef>

#include "display/object_attributes.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_string.h"
#include "orvan/callback_method_caller.h"
#include "orvan/display_object.h"
#include "orvan/enum_attributes.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/object_resources.h"

namespace orvan {

namespace {

// Built on first use, so that objects constructed by other start-up code find them ready.
struct DisplayObjectAttributeNames {
  AttributeName name{"Name"}, location{"Location"}, visible{"Visible"}, pickable{"Pickable"};
  AttributeName rotationOrigin{"RotationOrigin"}, rotation{"Rotation"}, dynamicTranslate{"DynamicTranslate"},
      dynamicScale{"DynamicScale"}, dcsMatrix{"DCSMatrix"};
  AttributeName lineWidth{"LineWidth"}, cullBackFace{"CullBackFace"}, alphaMode{"AlphaMode"}, antiAlias{"AntiAlias"},
      depthTest{"DepthTest"}, color{"Color"}, textureIndex{"TextureIndex"}, textureRepeat{"TextureRepeat"},
      textureMap{"TextureMap"}, blendColor{"BlendColor"}, textureMinFilter{"TextureMinFilter"},
      textureMagFilter{"TextureMagFilter"}, polygonMode{"PolygonMode"}, polygonEnd{"PolygonEnd"},
      polygonOffset{"PolygonOffset"}, shading{"Shading"}, colorMaterialMode{"ColorMaterialMode"},
      lineStippleMultiplier{"LineStippleMultiplier"}, lineStipplePattern{"LineStipplePattern"}, blink{"Blink"},
      blinkRate{"BlinkRate"}, lightingEnabled{"LightingEnabled"}, materialIndex{"MaterialIndex"};
  AttributeName vertices{"Vertices"}, texturePoints{"TexturePoints"}, textureCoords{"TextureCoords"},
      normals{"Normals"};
};

const DisplayObjectAttributeNames& Names() {
  static const DisplayObjectAttributeNames names;
  return names;
}

struct GroupAttributeNames {
  AttributeName performGroupCullCheck{"PerformGroupCullCheck"}, cullTestChildren{"CullTestChildren"};
};

const GroupAttributeNames& GroupNames() {
  static const GroupAttributeNames names;
  return names;
}

// The float-array attributes see a Vector as its three coordinates in a row.
static_assert(sizeof(Vector) == 3 * sizeof(float) && offsetof(Vector, y) == sizeof(float) &&
                  offsetof(Vector, z) == 2 * sizeof(float),
              "Vector is three packed floats");

}  // namespace

void DisplayObject::CreateAttributes() { attributes = new OrvanAttribDict(); }

void DisplayObject::FreeAttributes() {
  delete attributes;
  attributes = nullptr;
}

void DisplayObject::RegisterAttributes(unsigned int groups) {
  if (attributesRegistered) return;
  attributesRegistered = true;
  if (attributes == nullptr) return;
  const DisplayObjectAttributeNames& n = Names();
  OrvanAttribDict& dict = *attributes;
  // Each attribute keeps its own copy of these.
  using Callback = CallbackMethodCallerTemplate<DisplayObject, DisplayObject>;
  Callback locationChanged(this, &DisplayObject::LocationChanged);
  Callback updateTransform(this, &DisplayObject::UpdateTransform);
  Callback updateBounds(this, &DisplayObject::UpdateBoundingVolume);

  if (groups & kAttributesIdentity) {
    dict.Add(new OrvanAttributeString(nullptr, n.name, &instanceName));
    dict.Add(new OrvanAttributeLocation(&locationChanged, n.location, &location));
    dict.Add(new OrvanAttribute<bool>(nullptr, n.visible, &visible));
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, n.pickable, &pickable));
  }
  if (groups & kAttributesTransform) {
    dict.Add(new OrvanAttributeLocation(&locationChanged, n.rotationOrigin, &rotationPoint));
    dict.Add(new OrvanAttributeFloatArray(&updateTransform, n.rotation, &dynamicRotation.x, 3));
    dict.Add(new OrvanAttributeFloatArray(&updateTransform, n.dynamicTranslate, &dynamicTranslate.x, 3));
    dict.Add(new OrvanAttributeFloatArray(&updateTransform, n.dynamicScale, &dynamicScale.x, 3));
    dict.Add(new OrvanAttributeDoubleArray(&locationChanged, n.dcsMatrix, dcsMatrix.Data(), 16));
  }
  if (groups & kAttributesRendering) {
    dict.Add(new OrvanAttribute<float>(nullptr, n.lineWidth, &lineWidth));
    // A byte, not a bool: it holds a culling mode, and any byte must survive a round trip.
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, n.cullBackFace, &cullBackFace));
    dict.Add(new OrvanAttributeAlphaModeEnum(nullptr, n.alphaMode, &alphaMode));
    dict.Add(new OrvanAttribute<bool>(nullptr, n.antiAlias, &antiAlias));
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, n.depthTest, &depthTest));
    dict.Add(new OrvanAttribute<vesColor>(nullptr, n.color, &color));
    dict.Add(new OrvanAttribute<int>(nullptr, n.textureIndex, &textureIndex));
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, n.textureRepeat, &textureRepeat));
    dict.Add(new OrvanAttributeTextureModeEnum(nullptr, n.textureMap, &textureMap));
    dict.Add(new OrvanAttribute<vesColor>(nullptr, n.blendColor, &blendColor));
    dict.Add(new OrvanAttributeTextureFilterEnum(nullptr, n.textureMinFilter, &textureMinFilter));
    dict.Add(new OrvanAttributeTextureFilterEnum(nullptr, n.textureMagFilter, &textureMagFilter));
    dict.Add(new OrvanAttributePolyModeEnum(nullptr, n.polygonMode, &polygonMode));
    dict.Add(new OrvanAttributePolyEndEnum(nullptr, n.polygonEnd, &polygonEnd));
    dict.Add(new OrvanAttribute<int>(nullptr, n.polygonOffset, &polygonOffset));
    dict.Add(new ObjectShadingAttribute(nullptr, n.shading, &shading));
    dict.Add(new OrvanAttributeColorMaterialModeEnum(nullptr, n.colorMaterialMode, &colorMaterialMode));
    dict.Add(new OrvanAttribute<unsigned char>(nullptr, n.lineStippleMultiplier, &lineStippleMultiplier));
    dict.Add(new OrvanAttribute<unsigned short>(nullptr, n.lineStipplePattern, &lineStipplePattern));
    dict.Add(new OrvanAttribute<bool>(nullptr, n.blink, &blinking));
    dict.Add(new OrvanAttribute<float>(nullptr, n.blinkRate, &blinkRate));
    dict.Add(new OrvanAttribute<bool>(nullptr, n.lightingEnabled, &lightingEnabled));
    // The field is signed; an unsigned view would turn a negative index into a huge one.
    dict.Add(new OrvanAttribute<int>(nullptr, n.materialIndex, &materialIndex));
  }
  if (groups & kAttributesGeometry) {
    dict.Add(new ObjectVertexArrayAttribute(&updateBounds, n.vertices, &vertices, &vertexCount, &normals));
    // VertexNoColor adds nothing to Vector: the fixed array is read and written in place.
    dict.Add(new OrvanAttributeTexturePointArray(&updateBounds, n.texturePoints,
                                                 static_cast<VertexNoColor*>(static_cast<Vector*>(texturePoints)), 4));
    dict.Add(new ObjectVectorArrayAttribute(&updateBounds, n.textureCoords, &textureCoordinates,
                                            &textureCoordinateCount, false));
    dict.Add(new ObjectVectorArrayAttribute(&updateBounds, n.normals, &normals, &vertexCount, true));
  }
}

void Group::RegisterAttributes(unsigned int groups) {
  DisplayObject::RegisterAttributes(groups);
  if (!(groups & kAttributesIdentity)) return;
  const GroupAttributeNames& n = GroupNames();
  AddAttributeOnce(attributes, n.performGroupCullCheck,
                   [&] { return new OrvanAttribute<bool>(nullptr, n.performGroupCullCheck, &performGroupCullCheck); });
  AddAttributeOnce(attributes, n.cullTestChildren,
                   [&] { return new OrvanAttribute<bool>(nullptr, n.cullTestChildren, &cullTestChildren); });
}

// A polygon publishes exactly the display object's fields.
void GLPolygon::RegisterAttributes(unsigned int groups) { DisplayObject::RegisterAttributes(groups); }

}  // namespace orvan
