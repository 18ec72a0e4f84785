#pragma once

#include "orvan/attribute_enum_types.h"
#include "orvan/display_object.h"
#include "orvan/ves_matrix.h"

namespace orvan {

class GlobalLightMgr;

// One OpenGL light: colours, type, spot and attenuation, placed by the object's position; its
// direction runs from vertex 0 to vertex 1. It registers with its frame's light manager during
// each pre-draw; the global manager gives it a slot.
class VesLightSource : public DisplayObject {
 public:
  VesLightSource();
  ~VesLightSource() override;

  using DisplayObject::SetValue;

  void RegisterAttributes(unsigned int groups) override;
  DisplayObject* CloneObject(bool generateNames = false) override;
  void CopyProperties(DisplayObject* src) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  bool Hit(float x, float y, float z, float scale, const Vector& direction, Vector* collisionPoint) override;
  void PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) override;
  void SetValue(int property, va_list& args) override;

  /* 124 */ virtual void SetupLight(int slot, VesMatrix<double, 4>* matrix);

  void SetAmbient(const vesColor& c) { sourceAmbient = c; }
  void SetDiffuse(const vesColor& c) { sourceDiffuse = c; }
  void SetSpecular(const vesColor& c) { sourceSpecular = c; }
  vesColor GetAmbient() const { return sourceAmbient; }
  vesColor GetDiffuse() const { return sourceDiffuse; }
  vesColor GetSpecular() const { return sourceSpecular; }
  LightType_e LightType() const { return lightType; }
  void LightType(LightType_e type) { lightType = type; }
  float SpotCutoff() const { return spotCutoff; }
  void SpotCutoff(float degrees) { spotCutoff = degrees; }
  float SpotExponent() const { return spotExponent; }
  void SpotExponent(float e) { spotExponent = e; }
  void Attenuation(float constant, float linear, float quadratic) {
    constantAttenuation = constant;
    linearAttenuation = linear;
    quadraticAttenuation = quadratic;
  }

 private:
  friend class GlobalLightMgr;

  vesColor sourceAmbient;
  vesColor sourceDiffuse;
  vesColor sourceSpecular;
  LightType_e lightType;
  float spotCutoff;
  float spotExponent;
  float constantAttenuation;
  float linearAttenuation;
  float quadraticAttenuation;
  // A stand-in for a slot lit outside the scene graph: it only switches the slot back on and
  // leaves the settings found there.
  bool placeholder = false;
};

}  // namespace orvan
