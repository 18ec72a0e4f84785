#pragma once
// The splash display: the generated component the player shows while no component is drawn,
// a picture with one status line over its lower part.

#include <string>

#include "orvan/component_base.h"
#include "orvan/ves_prop_string.h"

namespace orvan {
class GLPolygon;
class Group;
class VesEyePoint;
class VesTextBox;
}  // namespace orvan

class ActiveXSplashClass : public orvan::ComponentBase {
 public:
  // The picture spans (0,0)-(kPictureWidth,kPictureHeight) in the component's coordinates.
  static constexpr float kPictureWidth = 1024.0f;
  static constexpr float kPictureHeight = 512.0f;

  ActiveXSplashClass();

  using orvan::DisplayObject::SetValue;

  void Calculate(double time) override;
  orvan::DisplayObject* CloneObject(bool generateNames = false) override;
  orvan::MethodDescriptionList* GetMethodDescriptions(orvan::MethodDescriptionList* list) override;
  void Initialize() override;

  orvan::VesPropString MainMessage();
  void MainMessage(const orvan::VesPropString& text);

  // The splash's own view; null before Initialize.
  orvan::VesEyePoint* MainEye() const { return mainEye; }

 private:
  orvan::GLPolygon* backgroundPoly;
  orvan::Group* splashImageGroup;
  orvan::GLPolygon* splashImage;
  orvan::VesTextBox* mainText;
  orvan::VesEyePoint* mainEye;
  // Bound to both MainMessage operations; the text lives in mainText and this stays empty.
  orvan::VesPropString mainMessageBacking;
};
