#pragma once

#include "orvan/display_object.h"
#include "orvan/enum_attribute.h"

namespace orvan {

// How the view adapts when the window's shape differs from the one the two configured angles
// (or sizes) imply.
enum FovConstraintType : int {
  FOV_CONSTRAINT_NONE = 0,
  FOV_CONSTRAINT_GREATER = 1,
  FOV_CONSTRAINT_LESS = 2,
  FOV_CONSTRAINT_EXACTLY = 3,
};

// The names under which the constraint attributes publish their values.
EnumDefList<FovConstraintType>* FovConstraintNames();

class VesEyePoint;

// Replaces the eye point's own field-of-view rule: stores fovY (degrees) and aspect.
class VesFovCalculator {
 public:
  virtual ~VesFovCalculator() = default;
  virtual void Calculate(int width, int height, VesEyePoint* eye, double& fovY, double& aspect) = 0;
};

// Replaces the eye point's own orthographic size rule: stores the horizontal and vertical size.
class VesOrthoSizeCalculator {
 public:
  virtual ~VesOrthoSizeCalculator() = default;
  virtual void Calculate(int width, int height, VesEyePoint* eye, double& horizontalSize,
                         double& verticalSize) = 0;
};

// The viewer: its location is the eye position, the view vectors its orientation (x right,
// y up, z the viewing direction); field of view, clipping and orthographic sizes give the
// projection for a window. Never picked, and draws nothing.
class VesEyePoint : public DisplayObject {
 public:
  VesEyePoint();
  ~VesEyePoint() override;

  using DisplayObject::SetValue;

  // DisplayObject slots, overridden.
  void RegisterAttributes(unsigned int groups) override;
  DisplayObject* CloneObject(bool generateNames = false) override;
  // Also the view vectors.
  void CopyGeometry(DisplayObject* src) override;
  // Also the angles, sizes, clip distances and constraints.
  void CopyProperties(DisplayObject* src) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  void Draw() override;
  // Turns the view vectors with the vertex data.
  void Rotate(const Vector& orig, float angle, const Vector& axis) override;
  // 42 fov, 43 orthographic, 44 orthoSize, 45 fovIsHorizontal, 47 nearClip, 48 farClip,
  // 50 the three view vectors (9 doubles).
  void SetValue(int property, va_list& args) override;

  // Slots appended by VesEyePoint.
  // The outline of the view volume, for a display switch that is never on: nothing is drawn.
  /* 124 */ virtual void DrawFrustum();
  /* 125 */ virtual void CalculateOrthoSize(int width, int height, VesEyePoint* eye, double& horizontalSize,
                                            double& verticalSize);
  /* 126 */ virtual void CalculateFov(int width, int height, VesEyePoint* eye, double& fovY, double& aspect);
  // Loads the projection for the current viewport and the model-view (with transformations).
  /* 127 */ virtual void ApplyView();
  /* 128 */ virtual void GetModelViewMatrix(VesMatrix<double, 4>& m, bool withTransforms);
  /* 129 */ virtual void GetProjectionMatrix(VesMatrix<double, 4>& m, int width, int height);

  // Scriptable operations.
  double FOV() const { return fov; }
  void FOV(double fovDeg) { fov = fovDeg; }
  double OtherFOV() const { return otherFov; }
  void OtherFOV(double fovDeg) { otherFov = fovDeg; }
  bool FovIsHorizontal() const { return fovIsHorizontal; }
  void FovIsHorizontal(bool on) { fovIsHorizontal = on; }
  FovConstraintType HorizontalConstraint() const { return horizontalConstraint; }
  void HorizontalConstraint(FovConstraintType c) { horizontalConstraint = c; }
  FovConstraintType VerticalConstraint() const { return verticalConstraint; }
  void VerticalConstraint(FovConstraintType c) { verticalConstraint = c; }
  bool Orthographic() const { return orthographic; }
  void Orthographic(bool on) { orthographic = on; }
  double OrthoSize() const { return orthoSize; }
  void OrthoSize(double size) { orthoSize = size; }
  double OtherOrthoSize() const { return otherOrthoSize; }
  void OtherOrthoSize(double size) { otherOrthoSize = size; }
  double NearClip() const { return nearClip; }
  void NearClip(double distance) { nearClip = distance; }
  double FarClip() const { return farClip; }
  void FarClip(double distance) { farClip = distance; }
  void GetViewVectors(Vector& x, Vector& y, Vector& z) const;
  // Directly sets the view vectors.
  void SetViewVectors(const Vector& x, const Vector& y, const Vector& z);
  // The current viewing direction (unit length).
  Vector Direction() const;
  // Looks along direction, turned by roll degrees about it from the position in which
  // upVector appears straight up.
  void Orientation(const Vector& direction, float roll, Vector upVector = Vector(0, 1, 0));
  // The current roll angle in degrees about the viewing direction: how far the view's up vector
  // is turned (counter-clockwise as seen by the viewer) from upVector's projection.
  float Roll(const Vector upVector = Vector(0, 1, 0)) const;

  // Strategies that replace the built-in rules; the eye point owns and deletes them.
  void FovCalculator(VesFovCalculator* calculator);
  void OrthoSizeCalculator(VesOrthoSizeCalculator* calculator);

  // Written sides of the query attributes "GetModelViewMatrix" and "GetProjectionMatrix".
  int ModelViewQueryFlag() const { return modelViewQueryFlag; }
  int ProjectionQueryWidth() const { return projectionQueryWidth; }
  int ProjectionQueryHeight() const { return projectionQueryHeight; }

 protected:
  double fov;
  double otherFov;
  bool orthographic;
  double orthoSize;
  double otherOrthoSize;
  bool fovIsHorizontal;
  FovConstraintType horizontalConstraint;
  FovConstraintType verticalConstraint;
  double nearClip;
  double farClip;
  Vector viewVectors[3];
  VesOrthoSizeCalculator* orthoSizeCalculator;
  VesFovCalculator* fovCalculator;
  int modelViewQueryFlag;
  int projectionQueryWidth;
  int projectionQueryHeight;

  friend class VesEyeQueryAttribute;
};

}  // namespace orvan
