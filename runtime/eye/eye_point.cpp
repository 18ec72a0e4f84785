#include "orvan/eye_point.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/object_resources.h"
#include "orvan/value_specs.h"

namespace orvan {

// A question asked by writing and answered by reading: writing stores the arguments (one
// flag, or a width and a height), reading computes the matrix for them and writes its 16
// elements row by row.
class VesEyeQueryAttribute : public OrvanAttributeBase {
 public:
  VesEyeQueryAttribute(const AttributeName& name_, VesEyePoint* eye_, bool projection_)
      : OrvanAttributeBase(nullptr, name_, false), eye(eye_), projection(projection_) {}
  ORVAN_ATTRIBUTE_ASSIGNMENT(VesEyeQueryAttribute);

  // An answer is computed, not stored: resource text leaves it out, since reading it back
  // would take the matrix for the question's arguments.
  bool HasValue() const override { return false; }

  std::ostream& WriteValue(std::ostream& os) const override {
    VesMatrix<double, 4> m;
    if (projection) {
      eye->GetProjectionMatrix(m, eye->projectionQueryWidth, eye->projectionQueryHeight);
    } else {
      eye->GetModelViewMatrix(m, eye->modelViewQueryFlag != 0);
    }
    const std::streamsize saved = os.precision(11);
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) os << m(r, c) << ' ';
    }
    os.precision(saved);
    return os;
  }
  std::istream& ReadValue(std::istream& is) override {
    if (projection) {
      is >> eye->projectionQueryWidth >> eye->projectionQueryHeight;
    } else {
      is >> eye->modelViewQueryFlag;
    }
    return is;
  }

 private:
  VesEyePoint* eye;
  bool projection;
};

namespace {

const MethodDescriptionRow kEyePointMethods[] = {
    {"", "------ VesEyePoint ------", ""},
    {"FOV()", "double FOV()", "Returns the field of view in degrees"},
    {"FOV(", "void FOV(double fovDeg)", "Sets the field of view in degrees"},
    {"OtherFOV()", "double OtherFOV()", "Returns the other field of view in degrees"},
    {"OtherFOV(", "void OtherFOV(double fovDeg)", "Sets the other field of view in degrees"},
    {"FovIsHorizontal()", "bool FovIsHorizontal()", "Returns whether the field of view is the horizontal one"},
    {"FovIsHorizontal(", "void FovIsHorizontal(bool val)", "Sets whether the field of view is the horizontal one"},
    {"HorizontalConstraint()", "FovConstraintType HorizontalConstraint()", "Returns the horizontal constraint"},
    {"HorizontalConstraint(", "void HorizontalConstraint(FovConstraintType c)", "Sets the horizontal constraint"},
    {"VerticalConstraint()", "FovConstraintType VerticalConstraint()", "Returns the vertical constraint"},
    {"VerticalConstraint(", "void VerticalConstraint(FovConstraintType c)", "Sets the vertical constraint"},
    {"Orthographic(", "void Orthographic(bool val)",
     "Sets whether or not the eyepoint should try to maintain aspect ratio regardless of window size"},
    {"OrthoSize()", "double OrthoSize()", "Returns the orthographic size"},
    {"OrthoSize(", "void OrthoSize(double size)", "Sets the orthographic size"},
    {"OtherOrthoSize()", "double OtherOrthoSize()", "Returns the other orthographic size"},
    {"OtherOrthoSize(", "void OtherOrthoSize(double size)", "Sets the other orthographic size"},
    {"NearClip()", "double NearClip()", "Returns the near clipping distance"},
    {"NearClip(", "void NearClip(double distance)", "Sets the near clipping distance"},
    {"FarClip()", "double FarClip()", "Returns the far clipping distance"},
    {"FarClip(", "void FarClip(double distance)", "Sets the far clipping distance"},
    {"GetViewVectors(", "void GetViewVectors(Vector &x,Vector &y,Vector &z)", "Returns the view vectors"},
    {"SetViewVectors(", "void SetViewVectors(const Vector &x,const Vector &y,const Vector &z)",
     "Directly sets the view vectors"},
    {"Direction()", "Vector Direction()", "Returns the current viewing direction"},
    {"Orientation(", "void Orientation(const Vector &direction,float roll,Vector upVector)",
     "Looks along the direction, rolled by the angle about it from the position in which upVector is up"},
    {"Roll(", "float Roll(const Vector upVector = Vector(0,1,0))",
     "Returns the current roll angle about the viewing direction"},
    {nullptr, nullptr, nullptr},
};

}  // namespace

EnumDefList<FovConstraintType>* FovConstraintNames() {
  static EnumDefList<FovConstraintType> names("FOV_CONSTRAINT_NONE", 0, "FOV_CONSTRAINT_GREATER", 1,
                                              "FOV_CONSTRAINT_LESS", 2, "FOV_CONSTRAINT_EXACTLY", 3, nullptr);
  return &names;
}

VesEyePoint::VesEyePoint()
    : DisplayObject(0.0f, 0.0f, 0.0f),
      fov(30.0),
      otherFov(30.0),
      orthographic(false),
      orthoSize(500.0),
      otherOrthoSize(500.0),
      fovIsHorizontal(true),
      horizontalConstraint(FOV_CONSTRAINT_EXACTLY),
      verticalConstraint(FOV_CONSTRAINT_NONE),
      nearClip(25.0),
      farClip(5000.0),
      viewVectors{Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, -1)},
      orthoSizeCalculator(nullptr),
      fovCalculator(nullptr),
      modelViewQueryFlag(1),
      projectionQueryWidth(1),
      projectionQueryHeight(1) {
  RegisterAttributes(kAttributesAll);
  GenerateInstanceName();
  pickable = 0;
}

VesEyePoint::~VesEyePoint() {
  delete orthoSizeCalculator;
  delete fovCalculator;
}

void VesEyePoint::RegisterAttributes(unsigned int groups) {
  DisplayObject::RegisterAttributes(groups);
  if ((groups & (kAttributesRendering | 0x10)) == 0) return;
  auto add = [&](const char* text, auto make) {
    const AttributeName name(text);
    AddAttributeOnce(attributes, name, [&] { return make(name); });
  };
  auto real = [&](const char* text, double* field) {
    add(text, [&](const AttributeName& n) { return new OrvanAttribute<double>(nullptr, n, field); });
  };
  auto flag = [&](const char* text, bool* field) {
    add(text, [&](const AttributeName& n) { return new OrvanAttribute<bool>(nullptr, n, field); });
  };
  auto constraint = [&](const char* text, FovConstraintType* field) {
    add(text, [&](const AttributeName& n) {
      return new OrvanAttributeEnum<FovConstraintType>(nullptr, n, field, FovConstraintNames());
    });
  };
  real("Fov", &fov);
  real("OtherFov", &otherFov);
  flag("Orthographic", &orthographic);
  real("OrthoSize", &orthoSize);
  real("OtherOrthoSize", &otherOrthoSize);
  flag("FovIsHorizontal", &fovIsHorizontal);
  constraint("HorizontalConstraint", &horizontalConstraint);
  constraint("VerticalConstraint", &verticalConstraint);
  real("NearClip", &nearClip);
  real("FarClip", &farClip);
  add("ViewVectors", [&](const AttributeName& n) { return new OrvanAttributeFloatArray(nullptr, n, &viewVectors[0].x, 9); });
  add("GetModelViewMatrix", [&](const AttributeName& n) { return new VesEyeQueryAttribute(n, this, false); });
  add("GetProjectionMatrix", [&](const AttributeName& n) { return new VesEyeQueryAttribute(n, this, true); });
}

DisplayObject* VesEyePoint::CloneObject(bool generateNames) {
  VesEyePoint* clone = new VesEyePoint;
  clone->CopyGeometry(this);
  clone->CopyHierarchyProperties(this, !generateNames);
  clone->CopyProperties(this);
  if (generateNames) clone->GenerateInstanceName();
  return clone;
}

void VesEyePoint::CopyGeometry(DisplayObject* src) {
  DisplayObject::CopyGeometry(src);
  if (const auto* eye = dynamic_cast<const VesEyePoint*>(src)) {
    for (int i = 0; i < 3; ++i) viewVectors[i] = eye->viewVectors[i];
  }
}

void VesEyePoint::CopyProperties(DisplayObject* src) {
  DisplayObject::CopyProperties(src);
  const auto* eye = dynamic_cast<const VesEyePoint*>(src);
  if (eye == nullptr) return;
  fov = eye->fov;
  otherFov = eye->otherFov;
  orthographic = eye->orthographic;
  orthoSize = eye->orthoSize;
  otherOrthoSize = eye->otherOrthoSize;
  nearClip = eye->nearClip;
  farClip = eye->farClip;
  fovIsHorizontal = eye->fovIsHorizontal;
  horizontalConstraint = eye->horizontalConstraint;
  verticalConstraint = eye->verticalConstraint;
}

MethodDescriptionList* VesEyePoint::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kEyePointMethods);
  return DisplayObject::GetMethodDescriptions(list);
}

void VesEyePoint::Draw() {}

void VesEyePoint::DrawFrustum() {}

void VesEyePoint::Rotate(const Vector& orig, float angle, const Vector& axis) {
  DisplayObject::Rotate(orig, angle, axis);
  for (Vector& v : viewVectors) v.RotateAbout(axis, angle);
}

void VesEyePoint::SetValue(int property, va_list& args) {
  switch (property) {
    case spec::kEyeFov: fov = va_arg(args, double); break;
    case spec::kEyeOrthographic: orthographic = va_arg(args, int) != 0; break;
    case spec::kEyeOrthoSize: orthoSize = va_arg(args, double); break;
    case spec::kEyeFovIsHorizontal: fovIsHorizontal = va_arg(args, int) != 0; break;
    case spec::kEyeNearClip: nearClip = va_arg(args, double); break;
    case spec::kEyeFarClip: farClip = va_arg(args, double); break;
    case spec::kEyeViewVectors:
      for (Vector& v : viewVectors) {
        v.x = static_cast<float>(va_arg(args, double));
        v.y = static_cast<float>(va_arg(args, double));
        v.z = static_cast<float>(va_arg(args, double));
      }
      break;
    default: DisplayObject::SetValue(property, args); break;
  }
}

void VesEyePoint::GetViewVectors(Vector& x, Vector& y, Vector& z) const {
  x = viewVectors[0];
  y = viewVectors[1];
  z = viewVectors[2];
}

void VesEyePoint::SetViewVectors(const Vector& x, const Vector& y, const Vector& z) {
  viewVectors[0] = x;
  viewVectors[1] = y;
  viewVectors[2] = z;
}

Vector VesEyePoint::Direction() const { return viewVectors[2].Normalised(); }

void VesEyePoint::Orientation(const Vector& direction, float roll, Vector upVector) {
  const Vector z = direction.Normalised();
  if (z.Length() <= 0.0f) return;
  Vector x = z.Cross(upVector);
  // Looking along the up vector itself: any up across the view will do.
  if (x.Normalise() <= 1e-6f) {
    x = z.Cross(std::fabs(z.z) < 0.9f ? Vector(0, 0, 1) : Vector(0, 1, 0));
    x.Normalise();
  }
  Vector y = x.Cross(z);
  // Counter-clockwise as the viewer sees it: about the axis pointing back at the viewer.
  x.RotateAbout(-z, roll);
  y.RotateAbout(-z, roll);
  SetViewVectors(x, y, z);
}

float VesEyePoint::Roll(const Vector upVector) const {
  const Vector z = Direction();
  const Vector upright = (upVector - z * upVector.Dot(z)).Normalised();
  const Vector y = (viewVectors[1] - z * viewVectors[1].Dot(z)).Normalised();
  if (upright.Length() <= 0.0f || y.Length() <= 0.0f) return 0.0f;
  const double sine = upright.Cross(y).Dot(-z);
  const double cosine = upright.Dot(y);
  return static_cast<float>(std::atan2(sine, cosine) * kRadiansToDegrees);
}

void VesEyePoint::FovCalculator(VesFovCalculator* calculator) {
  if (calculator == fovCalculator) return;
  delete fovCalculator;
  fovCalculator = calculator;
}

void VesEyePoint::OrthoSizeCalculator(VesOrthoSizeCalculator* calculator) {
  if (calculator == orthoSizeCalculator) return;
  delete orthoSizeCalculator;
  orthoSizeCalculator = calculator;
}

}  // namespace orvan
