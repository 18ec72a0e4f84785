#pragma once

#include <cstdarg>
#include <iosfwd>

#include "orvan/frustum_culler.h"
#include "orvan/method_description.h"
#include "orvan/vector.h"
#include "orvan/ves_color.h"
#include "orvan/ves_matrix.h"
#include "orvan/vertex.h"
#include "orvan/view_matrices.h"

namespace orvan {

class CallbackMethodCallerBase;
class DisplayEvent;
class DisplayFrame;
class Group;
class Image;
class OrvanAttribDict;
class OrvanAttributeBase;
class VesResourceFilter;

// Base of every node of the scene graph. Vertices, normals and texture coordinates are stored
// relative to the location; "logical" coordinates add the location.
//
// The virtual operations below keep a fixed slot order (the numbers in the comments): every
// subclass, and components built against this library, rely on it. Subclasses keep the order
// and append their own slots after the last one.
class DisplayObject {
 public:
  /* 0 */ virtual ~DisplayObject();
  /* 1 */ virtual void RegisterAttributes(unsigned int groups);
  /* 2 */ virtual int AlphaMode();
  /* 3 */ virtual void AlphaMode(int mode);
  /* 4 */ virtual void AntiAlias(bool on);
  /* 5 */ virtual bool AntiAlias();
  /* 6 */ virtual void SetBlendColor(const vesColor& c);
  /* 7 */ virtual vesColor GetBlendColor();
  /* 8 */ virtual void Blinking(bool on);
  /* 9 */ virtual bool Blinking();
  /* 10 */ virtual void BlinkRate(float blinksPerSecond);
  /* 11 */ virtual float BlinkRate();
  /* 12 */ virtual void Calculate(double time);
  /* 13 */ virtual void CalculateParentBoundingBox();
  /* 14 */ virtual void CalculateTexCoordinates();
  /* 15 */ virtual void GetCenter(Vector& center);
  /* 16 */ virtual DisplayObject* CloneObject(bool generateNames = false);
  /* 17 */ virtual vesColor GetColor();
  /* 18 */ virtual void SetColor(const vesColor& c);
  /* 19 */ virtual void CopyGeometry(DisplayObject* src);
  /* 20 */ virtual void CopyHierarchyProperties(DisplayObject* src, bool copyName);
  /* 21 */ virtual void CopyProperties(DisplayObject* src);
  /* 22 */ virtual MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list);
  /* 23 */ virtual void ReleaseMethodDescriptions(MethodDescriptionList* list);
  /* 24 */ virtual int CullBackFace();
  /* 25 */ virtual void CullBackFace(int mode);
  /* 26 */ virtual void DeleteVertex(unsigned int number);
  /* 27 */ virtual void DepthTest(int mode);
  /* 28 */ virtual int DepthTest();
  /* 29 */ virtual void Draw();
  /* 30 */ virtual void DynamicRotate(float x, float y, float z);
  /* 31 */ virtual void DynamicRotateRelative(float angle, int axis);
  /* 32 */ virtual Vector DynamicRotation();
  /* 33 */ virtual float DynamicRotation(int axis);
  /* 34 */ virtual void DynamicScale(float x, float y, float z);
  /* 35 */ virtual Vector DynamicScale();
  /* 36 */ virtual void DynamicTranslate(float amount, int axis, bool relative);
  /* 37 */ virtual void DynamicTranslate(float x, float y, float z, bool relative = false);
  /* 38 */ virtual Vector DynamicTranslation();
  /* 39 */ virtual float DynamicTranslation(int axis);
  /* 40 */ virtual void GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2);
  /* 41 */ virtual vesColor GetFillColor();
  /* 42 */ virtual void SetFillColor(const vesColor& c);
  /* 43 */ virtual void GenerateInstanceName();
  /* 44 */ virtual DisplayObject* HandleEvent(DisplayEvent* ev);
  /* 45 */ virtual bool Hit(float x, float y, float z, float scale, const Vector& direction,
                            Vector* collisionPoint);
  /* 46 */ virtual bool HitUtil(float x, float y, float z, float scale, Vertex* vertices,
                                unsigned int count, const Vector& direction, Vector* collisionPoint);
  /* 47 */ virtual void InsertVertex(unsigned int number);
  /* 48 */ virtual void LightingEnabled(bool on);
  /* 49 */ virtual bool LightingEnabled();
  /* 50 */ virtual void LineStippleMultiplier(int multiplier);
  /* 51 */ virtual int LineStippleMultiplier();
  /* 52 */ virtual void LineStipplePattern(int pattern);
  /* 53 */ virtual int LineStipplePattern();
  /* 54 */ virtual void LineWidth(float width);
  /* 55 */ virtual float LineWidth();
  /* 56 */ virtual void Location(float x, float y, float z);
  /* 57 */ virtual void Location(const Vertex& v);
  /* 58 */ virtual Vertex& Location();
  /* 59 */ virtual void GetLocation(float& x, float& y, float& z);
  /* 60 */ virtual void GetLocation(Vertex& v);
  /* 61 */ virtual void MaterialIndex(int index);
  /* 62 */ virtual int MaterialIndex();
  /* 63 */ virtual void SetNormals(unsigned int n, Vector* newNormals);
  /* 64 */ virtual void SetNormals(unsigned int n, ...);
  /* 65 */ virtual float ObjectDepth();
  /* 66 */ virtual float ObjectHeight();
  /* 67 */ virtual float ObjectWidth();
  /* 68 */ virtual void SetOrigin(const Vector& newOrigin);
  /* 69 */ virtual void Parent(DisplayFrame* frame);
  /* 70 */ virtual void ParentGroup(Group* group);
  /* 71 */ virtual DisplayObject* Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                                         const Vector& direction, Vector& hitPoint,
                                         const ViewMatrices& parentMatrices);
  /* 72 */ virtual void Pickable(unsigned char type);
  /* 73 */ virtual void PolygonOffset(int offset);
  /* 74 */ virtual int PolygonOffset();
  /* 75 */ virtual void PolygonEnd(int end);
  /* 76 */ virtual int PolygonEnd();
  /* 77 */ virtual void PolygonMode(int mode);
  /* 78 */ virtual int PolygonMode();
  /* 79 */ virtual void PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler);
  /* 80 */ virtual void ReallocateVertices(unsigned int n, bool initializeNew, bool copyOld);
  /* 81 */ virtual float RelativeAngle(float x, float y);
  /* 82 */ virtual OrvanAttributeBase* Resource(const char* name);
  /* 83 */ virtual void GetResources(std::ostream& out, VesResourceFilter* filter);
  /* 84 */ virtual void RotationPoint(float x, float y, float z);
  /* 85 */ virtual void RotationPoint(const Vertex& v);
  /* 86 */ virtual void GetRotationPoint(Vertex& v);
  /* 87 */ virtual void Rotate(const Vector& orig, float angle, const Vector& axis);
  /* 88 */ virtual void Scale(float x, float y, float z, Vertex* anchor = nullptr, int anchorMode = 0);
  /* 89 */ virtual void Shading(int mode);
  /* 90 */ virtual int Shading();
  /* 91 */ virtual int ColorMaterialMode();
  /* 92 */ virtual void ColorMaterialMode(int mode);
  /* 93 */ virtual void GetTransformedExtents(Vector& min, Vector& max, const VesMatrix<double, 4>& m,
                                            bool resetMinMax);
  /* 94 */ virtual void SetTexCoords(unsigned int n, Vector* coords, bool isVectorArray = true);
  /* 95 */ virtual void SetTexCoords(unsigned int n, ...);
  /* 96 */ virtual void TextureIndex(int index);
  /* 97 */ virtual int TextureIndex();
  /* 98 */ virtual Vector* GetTexturePoints();
  /* 99 */ virtual void TextureRepeat(int repeat);
  /* 100 */ virtual int TextureRepeat();
  /* 101 */ virtual void TextureMappingTechnique(int technique);
  /* 102 */ virtual int TextureMappingTechnique();
  /* 103 */ virtual void TextureMagnificationFilter(int filter);
  /* 104 */ virtual int TextureMagnificationFilter();
  /* 105 */ virtual void TextureMinificationFilter(int filter);
  /* 106 */ virtual int TextureMinificationFilter();
  /* 107 */ virtual void Translate(float x, float y, float z);
  /* 108 */ virtual void Translate(const float v[3]);
  /* 109 */ virtual void TranslateVertices(float x, float y, float z);
  /* 110 */ virtual void UpdateBoundingVolume();
  /* 111 */ virtual void SetVertexColor(unsigned int number, const vesColor& c);
  /* 112 */ virtual Vertex* Vertices();
  /* 113 */ virtual void SetVertices(unsigned int n, Vertex* newVertices);
  /* 114 */ virtual void SetVertices(unsigned int n, ...);
  /* 115 */ virtual void Visibility(bool on);
  /* 116 */ virtual void WorldRotationPoint(const Vector& point);
  /* 117 */ virtual Vector WorldRotationPoint();
  /* 118 */ virtual void WorldVertex(unsigned int i, const Vertex& v);
  /* 119 */ virtual Vertex WorldVertex(unsigned int i);
  /* 120 */ virtual void UpdateTransform();
  /* 121 */ virtual void CalculateMatrices(const ViewMatrices& parentMatrices);
  /* 122 */ virtual bool GetPlanePoints(Vertex& a, Vertex& b, Vertex& c, Vector& normal);
  // Consumes the arguments of one property number from args. The reference lets a chain of
  // properties continue from where this call stopped, whichever class handled the number.
  /* 123 */ virtual void SetValue(int property, va_list& args);

  // Sets many properties in one call: property numbers each followed by their arguments (ints as
  // int, reals as double), the chain ended by 0. Subclasses that override the slot above
  // bring this form back into scope with `using DisplayObject::SetValue;`.
  void SetValue(int property, ...);

  bool Visibility() const { return visible; }
  bool Culled() const { return culled; }
  const char* InstanceName() const { return instanceName; }
  void InstanceName(const char* name);
  DisplayFrame* Parent() const { return parent; }
  Group* ParentGroup() const { return parentGroup; }
  unsigned char Pickable() const { return pickable; }
  unsigned int NumberOfVertices() const { return vertexCount; }
  Vector* Normals() const { return normals; }
  Vector* TextureCoordinates() const { return textureCoordinates; }
  unsigned int TextureCoordinateCount() const { return textureCoordinateCount; }
  CallbackMethodCallerBase* CallbackCaller() const { return callbackCaller; }
  // Takes ownership of caller (null allowed) and frees the previous one.
  void CallbackCaller(CallbackMethodCallerBase* caller);
  void UserData(void* data) { userData = data; }
  void* UserData() const { return userData; }
  OrvanAttribDict* Attributes() const { return attributes; }

  // Call this to safely delete an instance of this object.
  void Destroy();
  // Rebuilds the dynamic transformation, when there is one, after the location, the rotation
  // point or the DCS matrix changed.
  void LocationChanged();

  // The DCS matrix: the coordinate system in which the dynamic transformation acts.
  const VesMatrixAffine<double>& DCSMatrix() const { return dcsMatrix; }
  void DCSMatrix(const VesMatrix<double, 4>& m);

  // Matrix bookkeeping of the pre-draw pass; all null until needed.
  const VesMatrixAffine<double>* TransformMatrix() const { return transformMatrix; }
  const VesMatrix<double, 4>* ModelViewMatrix() const { return modelViewMatrix; }
  const VesMatrix<double, 4>* ProjectionMatrix() const { return projectionMatrix; }
  const int* Viewport() const { return viewport; }
  bool TransformDirty() const { return transformDirty; }
  bool PreDrawNeeded() const { return preDrawNeeded; }
  const Vector& BoundingCenter() const { return boundingCenter; }
  float BoundingRadius() const { return boundingRadius; }
  const Vector& RotationPointRelative() const { return rotationPoint; }

  // Records the current OpenGL model-view, projection and viewport as this object's own
  // matrices (the rendering host does this for its root before each pre-draw).
  void CaptureMatrices();
  // What gluUnProject computes for the window point win (x, y in pixels, z the depth in [0, 1]):
  // the ray origin in this object's coordinates and, when direction is given, the unit
  // direction of the pick ray (into the screen). Each matrix comes from m where present, else
  // from this object, else from its nearest ancestor that has one. False when a matrix is
  // missing or the view cannot be inverted.
  bool WindowToObject(const Vector& win, Vector& origin, Vector* direction, const ViewMatrices& m) const;
  // What gluProject computes: the window point (depth in [0, 1]) of an object point.
  bool ObjectToWindow(const Vector& point, Vector& win, const ViewMatrices& m) const;
  // True when this object carries any matrix of its own (it then picks in its own coordinates).
  bool HasOwnMatrices() const { return modelViewMatrix != nullptr || projectionMatrix != nullptr || viewport != nullptr; }

  // True when the bounding sphere, seen through modelView, lies outside the culler's volume.
  bool CullTest(const VesMatrix<double, 4>& modelView, const FrustumCuller& culler) const;

  // Drawing state, used around a subclass's geometry in this order: SetupCullFace,
  // SetupAntiAlias, SetupDepthTest, SetupShading, SetupAlpha, SetupLighting, PushTransform,
  // (translate to the location, polygon offset), SetupTexture, SetupTextureEnvironment,
  // geometry, RestoreLighting, SetupLineStyle/RestoreLineStyle for lines, then undo.
  void SetupCullFace();
  bool SetupAntiAlias();
  void SetupDepthTest();
  void SetupShading();
  bool SetupAlpha();
  void SetupLighting();
  void RestoreLighting();
  bool PushTransform();
  bool SetupTexture();
  void SetupTextureEnvironment(int index);
  // The palette image this object draws with (its own index, else the inherited one), or null.
  Image* TextureImage();
  bool SetupLineStyle();
  static void RestoreLineStyle();
  static void RestoreAlpha();
  static void RestoreAntiAlias();
  // Depth testing and face culling back to the frame's defaults (off, writes on, GL_LESS), so
  // that code drawing after the object, or clearing the depth buffer, finds them as reset.
  void RestoreDepthAndCulling();
  // True in the first (off) half of each blink period; never with a blink rate of 0 or less.
  bool BlinkedOff();
  // Not visible, culled or blinked off: nothing of the object is drawn this frame.
  bool DrawSkipped();

  // The texture that groups pass down to children without one of their own (-1: none).
  static int InheritedTextureIndex();
  static int InheritedTextureRepeat();
  static void SetInheritedTexture(int index, int repeat);

 protected:
  DisplayObject();
  DisplayObject(float x, float y, float z);
  DisplayObject(const DisplayObject&) = delete;
  DisplayObject& operator=(const DisplayObject&) = delete;

  // The dynamic setters call this; the rebuild happens in CalculateMatrices.
  void MarkTransformDirty() {
    transformDirty = true;
    preDrawNeeded = true;
  }
  // Resizes the normal array (when there is one) to n entries, keeping the first ones.
  void ResizeNormals(unsigned int oldCount, unsigned int n);
  // Frees the three arrays of per-vertex data.
  void FreeVertexData();

  int alphaMode;
  bool antiAlias;
  bool attributesRegistered;
  bool blinking;
  float blinkRate;
  vesColor color;
  unsigned char cullBackFace;
  VesMatrixAffine<double> dcsMatrix;
  unsigned char depthTest;
  VesMatrixAffine<double>* transformMatrix;
  bool transformDirty;
  unsigned char lineStippleMultiplier;
  unsigned short lineStipplePattern;
  float lineWidth;
  Vertex location;
  int materialIndex;
  VesMatrix<double, 4>* modelViewMatrix;
  Vector* normals;
  unsigned int textureCoordinateCount;
  unsigned int vertexCount;
  unsigned char polygonEnd;
  unsigned char polygonMode;
  int polygonOffset;
  VesMatrix<double, 4>* projectionMatrix;
  int shading;
  Vector* textureCoordinates;
  vesColor blendColor;
  int textureIndex;
  unsigned char textureMagFilter;
  unsigned char textureMinFilter;
  unsigned char textureMap;
  Vector texturePoints[4];
  unsigned char textureRepeat;
  Vertex* vertices;
  int* viewport;
  bool visible;
  unsigned char colorMaterialMode;
  OrvanAttribDict* attributes;
  Vector boundingCenter;
  float boundingRadius;
  CallbackMethodCallerBase* callbackCaller;
  bool culled;
  Vector dynamicTranslate;
  Vector dynamicScale;
  char* instanceName;
  Vertex lastLocation;
  bool lightingEnabled;
  bool preDrawNeeded;
  DisplayFrame* parent;
  Group* parentGroup;
  unsigned char pickable;
  Vector dynamicRotation;
  Vertex rotationPoint;
  void* userData;

 private:
  // The attribute dictionary's life; defined beside RegisterAttributes.
  void CreateAttributes();
  void FreeAttributes();
};

}  // namespace orvan
