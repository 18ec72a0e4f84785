#include "orvan/display_object.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "orvan/callback_method_caller.h"
#include "orvan/display_event.h"
#include "orvan/group.h"
#include "orvan/timer.h"

namespace orvan {

namespace {

// Instance names are "D" + timer ticks + this counter, so two objects created in the same tick
// still differ.
unsigned int instanceNameCounter = 0;

char* CopyText(const char* text) {
  if (text == nullptr) text = "";
  const size_t length = std::strlen(text);
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  return copy;
}

const MethodDescriptionRow kDisplayObjectMethods[] = {
    {"", "------ DisplayObject ------", ""},
    {"Visibility()", "bool Visibility()", "Returns visibility"},
    {"SetVertices(", "void SetVertices(unsigned int nPoints,Vertex *vertices)",
     "Sets the vertex data for this object.  Vertices are relative to object location."},
    {"Rotate(", "void Rotate(const Vector &orig,float angle,const Vector &axis)",
     "Rotates the object (around an arbitrary axis) by the angle indicated, at a specified point. "
     "Recalculates the vertex data."},
    {"Destroy(", "void Destroy()", "Call this to safely delete an instance of this object."},
    {nullptr, nullptr, nullptr},
};

}  // namespace

DisplayObject::DisplayObject() : DisplayObject(0.0f, 0.0f, 0.0f) {}

DisplayObject::DisplayObject(float x, float y, float z)
    : alphaMode(3),
      antiAlias(false),
      attributesRegistered(false),
      blinking(false),
      blinkRate(2.0f),
      color(0, 0, 0, 255),
      cullBackFace(0),
      dcsMatrix(),
      depthTest(2),
      transformMatrix(nullptr),
      transformDirty(false),
      lineStippleMultiplier(1),
      lineStipplePattern(0xFFFF),
      lineWidth(1.0f),
      location(x, y, z),
      materialIndex(0),
      modelViewMatrix(nullptr),
      normals(nullptr),
      textureCoordinateCount(0),
      vertexCount(0),
      polygonEnd(1),
      polygonMode(2),
      polygonOffset(0),
      projectionMatrix(nullptr),
      shading(0),
      textureCoordinates(nullptr),
      blendColor(255, 255, 255, 255),
      textureIndex(-1),
      textureMagFilter(1),
      textureMinFilter(1),
      textureMap(3),
      texturePoints(),
      textureRepeat(1),
      vertices(nullptr),
      viewport(nullptr),
      visible(true),
      colorMaterialMode(0),
      attributes(nullptr),
      boundingCenter(),
      boundingRadius(0.0f),
      callbackCaller(nullptr),
      culled(false),
      dynamicTranslate(),
      dynamicScale(1.0f, 1.0f, 1.0f),
      instanceName(CopyText("")),
      lastLocation(),
      lightingEnabled(false),
      preDrawNeeded(false),
      parent(nullptr),
      parentGroup(nullptr),
      pickable(1),
      dynamicRotation(),
      rotationPoint(),
      userData(nullptr) {
  CreateAttributes();
}

DisplayObject::~DisplayObject() {
  FreeVertexData();
  delete transformMatrix;
  delete modelViewMatrix;
  delete projectionMatrix;
  delete[] viewport;
  delete[] instanceName;
  FreeAttributes();
  delete callbackCaller;
}

void DisplayObject::Destroy() { delete this; }

void DisplayObject::FreeVertexData() {
  delete[] vertices;
  delete[] normals;
  delete[] textureCoordinates;
  vertices = nullptr;
  normals = nullptr;
  textureCoordinates = nullptr;
  vertexCount = 0;
  textureCoordinateCount = 0;
}

// --- Plain properties --------------------------------------------------------------------------

int DisplayObject::AlphaMode() { return alphaMode; }
void DisplayObject::AlphaMode(int mode) { alphaMode = mode; }
void DisplayObject::AntiAlias(bool on) { antiAlias = on; }
bool DisplayObject::AntiAlias() { return antiAlias; }
void DisplayObject::SetBlendColor(const vesColor& c) { blendColor = c; }
vesColor DisplayObject::GetBlendColor() { return blendColor; }
void DisplayObject::Blinking(bool on) { blinking = on; }
bool DisplayObject::Blinking() { return blinking; }
void DisplayObject::BlinkRate(float blinksPerSecond) { blinkRate = blinksPerSecond; }
float DisplayObject::BlinkRate() { return blinkRate; }
vesColor DisplayObject::GetColor() { return color; }
void DisplayObject::SetColor(const vesColor& c) { color = c; }
int DisplayObject::CullBackFace() { return cullBackFace; }
void DisplayObject::CullBackFace(int mode) { cullBackFace = static_cast<unsigned char>(mode); }
void DisplayObject::DepthTest(int mode) { depthTest = static_cast<unsigned char>(mode); }
int DisplayObject::DepthTest() { return depthTest; }
void DisplayObject::LightingEnabled(bool on) { lightingEnabled = on; }
bool DisplayObject::LightingEnabled() { return lightingEnabled; }
void DisplayObject::LineStippleMultiplier(int multiplier) {
  lineStippleMultiplier = static_cast<unsigned char>(multiplier);
}
int DisplayObject::LineStippleMultiplier() { return lineStippleMultiplier; }
void DisplayObject::LineStipplePattern(int pattern) {
  lineStipplePattern = static_cast<unsigned short>(pattern);
}
int DisplayObject::LineStipplePattern() { return lineStipplePattern; }
void DisplayObject::LineWidth(float width) { lineWidth = width; }
float DisplayObject::LineWidth() { return lineWidth; }
void DisplayObject::MaterialIndex(int index) { materialIndex = index; }
int DisplayObject::MaterialIndex() { return materialIndex; }
void DisplayObject::Parent(DisplayFrame* frame) { parent = frame; }
void DisplayObject::ParentGroup(Group* group) { parentGroup = group; }
void DisplayObject::Pickable(unsigned char type) { pickable = type; }
void DisplayObject::PolygonOffset(int offset) { polygonOffset = offset; }
int DisplayObject::PolygonOffset() { return polygonOffset; }
void DisplayObject::PolygonEnd(int end) { polygonEnd = static_cast<unsigned char>(end); }
int DisplayObject::PolygonEnd() { return polygonEnd; }
void DisplayObject::PolygonMode(int mode) { polygonMode = static_cast<unsigned char>(mode); }
int DisplayObject::PolygonMode() { return polygonMode; }
void DisplayObject::Shading(int mode) { shading = mode; }
int DisplayObject::Shading() { return shading; }
int DisplayObject::ColorMaterialMode() { return colorMaterialMode; }
void DisplayObject::ColorMaterialMode(int mode) { colorMaterialMode = static_cast<unsigned char>(mode); }
void DisplayObject::TextureIndex(int index) { textureIndex = index; }
int DisplayObject::TextureIndex() { return textureIndex; }
Vector* DisplayObject::GetTexturePoints() { return texturePoints; }
void DisplayObject::TextureRepeat(int repeat) { textureRepeat = static_cast<unsigned char>(repeat); }
int DisplayObject::TextureRepeat() { return textureRepeat; }
void DisplayObject::TextureMappingTechnique(int technique) {
  textureMap = static_cast<unsigned char>(technique);
}
int DisplayObject::TextureMappingTechnique() { return textureMap; }
void DisplayObject::TextureMagnificationFilter(int filter) {
  textureMagFilter = static_cast<unsigned char>(filter);
}
int DisplayObject::TextureMagnificationFilter() { return textureMagFilter; }
void DisplayObject::TextureMinificationFilter(int filter) {
  textureMinFilter = static_cast<unsigned char>(filter);
}
int DisplayObject::TextureMinificationFilter() { return textureMinFilter; }
void DisplayObject::Visibility(bool on) { visible = on; }

void DisplayObject::Calculate(double /*time*/) {}

void DisplayObject::Draw() {}

void DisplayObject::CalculateParentBoundingBox() {
  if (parentGroup != nullptr) parentGroup->RecalculateBoundingBox();
}

void DisplayObject::CalculateTexCoordinates() {}

// --- Names -------------------------------------------------------------------------------------

void DisplayObject::InstanceName(const char* name) {
  char* copy = CopyText(name);
  delete[] instanceName;
  instanceName = copy;
}

void DisplayObject::GenerateInstanceName() {
  char name[32];
  std::snprintf(name, sizeof(name), "D%X%d", SharedTimer().ElapsedMicroseconds(),
                static_cast<int>(instanceNameCounter));
  ++instanceNameCounter;
  InstanceName(name);
}

// --- Copying -----------------------------------------------------------------------------------

DisplayObject* DisplayObject::CloneObject(bool /*generateNames*/) {
  // The base class has no drawing of its own to clone; every concrete class creates itself.
  return nullptr;
}

void DisplayObject::CopyGeometry(DisplayObject* src) {
  if (src == nullptr || src == this) return;
  FreeVertexData();
  location = src->location;
  if (src->vertexCount > 0 && src->vertices != nullptr) {
    vertices = new Vertex[src->vertexCount];
    std::copy(src->vertices, src->vertices + src->vertexCount, vertices);
    if (src->normals != nullptr) {
      normals = new Vector[src->vertexCount];
      std::copy(src->normals, src->normals + src->vertexCount, normals);
    }
    vertexCount = src->vertexCount;
  }
  if (src->textureCoordinateCount > 0 && src->textureCoordinates != nullptr) {
    textureCoordinates = new Vector[src->textureCoordinateCount];
    std::copy(src->textureCoordinates, src->textureCoordinates + src->textureCoordinateCount,
              textureCoordinates);
    textureCoordinateCount = src->textureCoordinateCount;
  }
  for (int i = 0; i < 4; ++i) texturePoints[i] = src->texturePoints[i];
  rotationPoint = src->rotationPoint;
  dynamicRotation = src->dynamicRotation;
  dynamicScale = src->dynamicScale;
  visible = src->visible;
  boundingCenter = src->boundingCenter;
  boundingRadius = src->boundingRadius;
  // The copied rotation and scale only show once the transformation is rebuilt.
  if (dynamicRotation != Vector() || dynamicScale != Vector(1.0f, 1.0f, 1.0f) ||
      transformMatrix != nullptr) {
    MarkTransformDirty();
  }
}

void DisplayObject::CopyHierarchyProperties(DisplayObject* src, bool copyName) {
  if (src == nullptr || src == this) return;
  parent = src->parent;
  parentGroup = src->parentGroup;
  if (copyName) InstanceName(src->instanceName);
}

void DisplayObject::CopyProperties(DisplayObject* src) {
  if (src == nullptr || src == this) return;
  pickable = src->pickable;
  lineStippleMultiplier = src->lineStippleMultiplier;
  lineStipplePattern = src->lineStipplePattern;
  lineWidth = src->lineWidth;
  textureIndex = src->textureIndex;
  textureRepeat = src->textureRepeat;
  textureMinFilter = src->textureMinFilter;
  textureMagFilter = src->textureMagFilter;
  textureMap = src->textureMap;
  blendColor = src->blendColor;
  polygonMode = src->polygonMode;
  cullBackFace = src->cullBackFace;
  depthTest = src->depthTest;
  antiAlias = src->antiAlias;
  blinkRate = src->blinkRate;
  blinking = src->blinking;
  polygonEnd = src->polygonEnd;
  shading = src->shading;
  alphaMode = src->alphaMode;
  polygonOffset = src->polygonOffset;
  lightingEnabled = src->lightingEnabled;
  color = src->color;
  materialIndex = src->materialIndex;
  colorMaterialMode = src->colorMaterialMode;
  for (int i = 0; i < 4; ++i) texturePoints[i] = src->texturePoints[i];
}

// --- Method descriptions -----------------------------------------------------------------------

MethodDescriptionList* DisplayObject::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kDisplayObjectMethods);
  return list;
}

void DisplayObject::ReleaseMethodDescriptions(MethodDescriptionList* list) { delete list; }

// --- Events and picking ------------------------------------------------------------------------

void DisplayObject::CallbackCaller(CallbackMethodCallerBase* caller) {
  if (caller == callbackCaller) return;
  delete callbackCaller;
  callbackCaller = caller;
}

// --- Inherited texture -------------------------------------------------------------------------

namespace {
int inheritedTextureIndex = -1;
int inheritedTextureRepeat = 1;
}  // namespace

int DisplayObject::InheritedTextureIndex() { return inheritedTextureIndex; }
int DisplayObject::InheritedTextureRepeat() { return inheritedTextureRepeat; }
void DisplayObject::SetInheritedTexture(int index, int repeat) {
  inheritedTextureIndex = index;
  inheritedTextureRepeat = repeat;
}

}  // namespace orvan
