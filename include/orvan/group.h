#pragma once

#include "orvan/display_object.h"
#include "orvan/display_object_array.h"

namespace orvan {

// A display object that owns an ordered list of children and so forms the tree. It draws,
// calculates and pre-draws them in list order, passes render-state changes and its texture down
// to them, and keeps the axis-aligned box around them as its own eight vertices.
class Group : public DisplayObject {
 public:
  explicit Group(bool generateName = false);
  ~Group() override;

  using DisplayObject::Location;
  using DisplayObject::Parent;
  using DisplayObject::SetValue;
  using DisplayObject::Translate;
  using DisplayObject::TranslateVertices;

  // DisplayObject slots, overridden. Render-state setters pass the value to every child (the
  // group's own field stays as it is); getters answer with the first child's value, or the
  // group's own when it is empty.
  void RegisterAttributes(unsigned int groups) override;
  int AlphaMode() override;
  void AlphaMode(int mode) override;
  void AntiAlias(bool on) override;
  bool AntiAlias() override;
  void SetBlendColor(const vesColor& c) override;
  vesColor GetBlendColor() override;
  void Calculate(double time) override;
  void CalculateTexCoordinates() override;
  DisplayObject* CloneObject(bool generateNames = false) override;
  vesColor GetColor() override;
  void SetColor(const vesColor& c) override;
  void CopyGeometry(DisplayObject* src) override;
  void CopyProperties(DisplayObject* src) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  int CullBackFace() override;
  void CullBackFace(int mode) override;
  void DeleteVertex(unsigned int number) override;
  void DepthTest(int mode) override;
  int DepthTest() override;
  void Draw() override;
  void GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2) override;
  vesColor GetFillColor() override;
  void SetFillColor(const vesColor& c) override;
  bool Hit(float x, float y, float z, float scale, const Vector& direction, Vector* collisionPoint) override;
  void InsertVertex(unsigned int number) override;
  void LightingEnabled(bool on) override;
  bool LightingEnabled() override;
  void LineStippleMultiplier(int multiplier) override;
  int LineStippleMultiplier() override;
  void LineStipplePattern(int pattern) override;
  int LineStipplePattern() override;
  void LineWidth(float width) override;
  float LineWidth() override;
  void Location(float x, float y, float z) override;
  void Location(const Vertex& v) override;
  void Parent(DisplayFrame* frame) override;
  DisplayObject* Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                        const Vector& direction, Vector& hitPoint, const ViewMatrices& parentMatrices) override;
  void PolygonEnd(int end) override;
  int PolygonEnd() override;
  void PolygonMode(int mode) override;
  int PolygonMode() override;
  void PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) override;
  void GetResources(std::ostream& out, VesResourceFilter* filter) override;
  void Rotate(const Vector& orig, float angle, const Vector& axis) override;
  void Scale(float x, float y, float z, Vertex* anchor = nullptr, int anchorMode = 0) override;
  void Shading(int mode) override;
  int Shading() override;
  int ColorMaterialMode() override;
  void ColorMaterialMode(int mode) override;
  void GetTransformedExtents(Vector& min, Vector& max, const VesMatrix<double, 4>& m,
                             bool resetMinMax) override;
  void TextureRepeat(int repeat) override;
  int TextureRepeat() override;
  void TextureMappingTechnique(int technique) override;
  int TextureMappingTechnique() override;
  void TextureMagnificationFilter(int filter) override;
  int TextureMagnificationFilter() override;
  void TextureMinificationFilter(int filter) override;
  int TextureMinificationFilter() override;
  void Translate(float x, float y, float z) override;
  void Translate(const float v[3]) override;
  void TranslateVertices(float x, float y, float z) override;

  // Slots appended by Group.
  /* 124 */ virtual DisplayObject* FindByName(const char* name);
  /* 125 */ virtual void DeleteAllChildren();
  /* 126 */ virtual void RecalculateBoundingBox();
  /* 127 */ virtual void TranslateVertices(const float v[3]);
  /* 128 */ virtual void Scale2D(float a, float b);
  /* 129 */ virtual void InsertObject(DisplayObject* obj, bool reparent = true,
                                      bool recalculateBoundingbox = true, int loc = -1);
  /* 130 */ virtual bool DeleteObject(DisplayObject* obj);
  /* 131 */ virtual void PushObject(DisplayObject* obj);
  /* 132 */ virtual void SetGroupLocation(const Vertex& v);

  unsigned int Count() const { return objects.Count(); }
  bool IsEmpty() const { return objects.Count() == 0; }
  // The child at index, or null beyond the list (reading must not grow the list with nulls).
  DisplayObject* Item(unsigned int index) { return index < objects.Count() ? objects.data[index] : nullptr; }
  DisplayObjectArray& Objects() { return objects; }
  // Returns the index of the object in the group or -1 if it isn't in the group.
  int Position(DisplayObject* obj) const;
  // Searches the direct children only.
  DisplayObject* FindNonRecursive(DisplayObject* obj) const;
  // Finds a pointer to the DisplayObject in the group using a qualified instance name: the
  // instance names along the path joined by '.', each part found below the previous one.
  DisplayObject* FindByQualifiedName(const char* name);
  // Like FindByName, but stays inside this group's frame: components are not searched.
  DisplayObject* FindByNameSameFrame(const char* name);

  void PerformGroupCullCheck(bool on) { performGroupCullCheck = on; }
  bool PerformGroupCullCheck() const { return performGroupCullCheck; }
  void CullTestChildren(bool on) { cullTestChildren = on; }
  bool CullTestChildren() const { return cullTestChildren; }

 protected:
  // The pre-draw steps every group takes before its contents: matrices, then the group's own
  // cull decision (only when it asks for one and the culler is enabled).
  void PrepareGroupForDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler);

 protected:
  DisplayObject* First() { return objects.Count() > 0 ? objects.data[0] : nullptr; }

  bool performGroupCullCheck;
  bool cullTestChildren;
  DisplayObjectArray objects;
};

}  // namespace orvan
