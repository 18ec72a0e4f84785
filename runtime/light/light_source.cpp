#include "orvan/light_source.h"

#include <GL/gl.h>

#include <cmath>

#include "display/value_args.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/component_light_mgr.h"
#include "orvan/display_frame.h"
#include "orvan/enum_attributes.h"
#include "orvan/method_description.h"
#include "orvan/object_resources.h"
#include "orvan/value_specs.h"

namespace orvan {

namespace {

const MethodDescriptionRow kLightMethods[] = {
    {"", "------ VesLightSource ------", ""},
    {"SetAmbient(", "void SetAmbient(const vesColor& c)", "Sets the ambient colour of the light"},
    {"SetDiffuse(", "void SetDiffuse(const vesColor& c)", "Sets the diffuse colour of the light"},
    {"SetSpecular(", "void SetSpecular(const vesColor& c)", "Sets the specular colour of the light"},
    {"GetAmbient(", "vesColor GetAmbient()", "Returns the ambient colour of the light"},
    {"GetDiffuse(", "vesColor GetDiffuse()", "Returns the diffuse colour of the light"},
    {"GetSpecular(", "vesColor GetSpecular()", "Returns the specular colour of the light"},
    {nullptr, nullptr, nullptr},
};

void LightColour(GLenum light, GLenum which, const vesColor& c) {
  GLfloat v[4];
  c.ToFloats(v);
  glLightfv(light, which, v);
}

// Translations too small to matter are rounded away so a light at the eye stays exactly there.
void CleanTranslation(VesMatrix<double, 4>& m) {
  for (int c = 0; c < 3; ++c) {
    if (std::fabs(m(c, 3)) < 0.0001) m(c, 3) = 0.0;
  }
}

}  // namespace

VesLightSource::VesLightSource()
    : DisplayObject(0.0f, 0.0f, 0.0f),
      sourceAmbient(0, 0, 0, 255),
      sourceDiffuse(255, 255, 255, 255),
      sourceSpecular(255, 255, 255, 255),
      lightType(LIGHT_INFINITE),
      spotCutoff(180.0f),
      spotExponent(0.0f),
      constantAttenuation(1.0f),
      linearAttenuation(0.0f),
      quadraticAttenuation(0.0f) {
  GenerateInstanceName();
  const vesColor white(255, 255, 255, 255);
  Vertex marker[6] = {Vertex(0, 0, 0, white),       Vertex(0, 0, 1, white),     Vertex(-25, -25, -50, white),
                      Vertex(25, -25, -50, white),  Vertex(25, 25, -50, white), Vertex(-25, 25, -50, white)};
  SetVertices(6, marker);
  if (modelViewMatrix == nullptr) modelViewMatrix = new VesMatrix<double, 4>;
  preDrawNeeded = true;
}

VesLightSource::~VesLightSource() {}

void VesLightSource::RegisterAttributes(unsigned int groups) {
  DisplayObject::RegisterAttributes(groups);
  if ((groups & (kAttributesRendering | 0x10)) == 0) return;
  auto colour = [&](const char* text, vesColor* field) {
    const AttributeName name(text);
    AddAttributeOnce(attributes, name, [&] { return new OrvanAttribute<vesColor>(nullptr, name, field); });
  };
  auto real = [&](const char* text, float* field) {
    const AttributeName name(text);
    AddAttributeOnce(attributes, name, [&] { return new OrvanAttribute<float>(nullptr, name, field); });
  };
  colour("SourceAmbient", &sourceAmbient);
  colour("SourceDiffuse", &sourceDiffuse);
  colour("SourceSpecular", &sourceSpecular);
  real("SpotCutoff", &spotCutoff);
  real("SpotExponent", &spotExponent);
  real("ConstantAttenuation", &constantAttenuation);
  real("LinearAttenuation", &linearAttenuation);
  real("QuadraticAttenuation", &quadraticAttenuation);
  const AttributeName type("LightType");
  AddAttributeOnce(attributes, type, [&] { return new OrvanAttributeLightTypeEnum(nullptr, type, &lightType); });
}

DisplayObject* VesLightSource::CloneObject(bool generateNames) {
  VesLightSource* clone = new VesLightSource;
  clone->CopyGeometry(this);
  clone->CopyHierarchyProperties(this, !generateNames);
  clone->CopyProperties(this);
  if (generateNames) clone->GenerateInstanceName();
  return clone;
}

void VesLightSource::CopyProperties(DisplayObject* src) {
  DisplayObject::CopyProperties(src);
  const auto* light = dynamic_cast<const VesLightSource*>(src);
  if (light == nullptr) return;
  sourceAmbient = light->sourceAmbient;
  sourceDiffuse = light->sourceDiffuse;
  sourceSpecular = light->sourceSpecular;
  lightType = light->lightType;
  spotCutoff = light->spotCutoff;
  spotExponent = light->spotExponent;
  constantAttenuation = light->constantAttenuation;
  linearAttenuation = light->linearAttenuation;
  quadraticAttenuation = light->quadraticAttenuation;
}

MethodDescriptionList* VesLightSource::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kLightMethods);
  return DisplayObject::GetMethodDescriptions(list);
}

bool VesLightSource::Hit(float x, float y, float z, float, const Vector& direction, Vector* collisionPoint) {
  // The marker is picked by the sphere around its six vertices.
  if (vertices == nullptr || vertexCount == 0) return false;
  const Vector d = direction.Normalised();
  const Vector origin = Vector(x, y, z) - location.Position();
  const float along = (boundingCenter - origin).Dot(d);
  const Vector nearest = origin + d * along;
  const Vector off = boundingCenter - nearest;
  if (!(off.Dot(off) <= boundingRadius * boundingRadius)) return false;
  if (collisionPoint != nullptr) *collisionPoint = nearest + location.Position();
  return true;
}

void VesLightSource::PreDraw(const ViewMatrices& parentMatrices, FrustumCuller&) {
  CalculateMatrices(parentMatrices);
  culled = false;
  if (visible && parent != nullptr && parent->Lights() != nullptr) parent->Lights()->AddLight(this);
}

void VesLightSource::SetValue(int property, va_list& args) {
  using value_args::Colour;
  using value_args::Real;
  switch (property) {
    case spec::kLightAmbient: sourceAmbient = Colour(args); break;
    case spec::kLightDiffuse: sourceDiffuse = Colour(args); break;
    case spec::kLightSpecular: sourceSpecular = Colour(args); break;
    case spec::kLightSpotCutoff: spotCutoff = Real(args); break;
    case spec::kLightSpotExponent: spotExponent = Real(args); break;
    case spec::kLightConstantAttenuation: constantAttenuation = Real(args); break;
    case spec::kLightLinearAttenuation: linearAttenuation = Real(args); break;
    case spec::kLightQuadraticAttenuation: quadraticAttenuation = Real(args); break;
    default: DisplayObject::SetValue(property, args); break;
  }
}

void VesLightSource::SetupLight(int slot, VesMatrix<double, 4>* matrix) {
  const GLenum light = static_cast<GLenum>(GL_LIGHT0 + slot);
  if (!visible) {
    glDisable(light);
    return;
  }
  glEnable(light);
  if (placeholder) return;
  LightColour(light, GL_AMBIENT, sourceAmbient);
  LightColour(light, GL_DIFFUSE, sourceDiffuse);
  LightColour(light, GL_SPECULAR, sourceSpecular);
  bool pushed = false;
  if (matrix == nullptr) {
    if (modelViewMatrix != nullptr) CleanTranslation(*modelViewMatrix);
    pushed = PushTransform();
  } else {
    CleanTranslation(*matrix);
    glPushMatrix();
    glLoadMatrixd(matrix->data);
    pushed = true;
  }
  glTranslatef(location.x, location.y, location.z);
  Vector d(0.0f, 0.0f, 1.0f);
  if (vertices != nullptr && vertexCount >= 2) d = (vertices[1].Position() - vertices[0].Position()).Normalised();
  const GLfloat position[4] = {d.x, d.y, d.z, lightType == LIGHT_LOCAL ? 1.0f : 0.0f};
  glLightfv(light, GL_POSITION, position);
  const GLfloat spot[3] = {-d.x, -d.y, -d.z};
  glLightfv(light, GL_SPOT_DIRECTION, spot);
  glLightf(light, GL_SPOT_CUTOFF, spotCutoff);
  glLightf(light, GL_SPOT_EXPONENT, spotExponent);
  glLightf(light, GL_CONSTANT_ATTENUATION, constantAttenuation);
  glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation);
  glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation);
  if (pushed) {
    glPopMatrix();
  } else {
    glTranslatef(-location.x, -location.y, -location.z);
  }
}

}  // namespace orvan
