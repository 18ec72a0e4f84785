#pragma once

#include "orvan/component_base.h"

namespace orvan {
class GLPolygon;
class Group;
}  // namespace orvan

// A round instrument: a dial with tick marks, a needle that turns about the dial's centre and a
// label plate. Its one property, "Value" (0 to 100), turns the needle from lower left (0)
// through straight up (50) to lower right (100). Laid out in a 100 x 100 square from the origin.
class Instrument : public orvan::ComponentBase {
 public:
  static constexpr float kCentreX = 50.0f;
  static constexpr float kCentreY = 50.0f;
  static constexpr float kDialRadius = 50.0f;
  static constexpr float kNeedleLength = 42.0f;
  static constexpr int kTickCount = 11;
  // Crossing this value upwards raises the alarm, crossing back clears it: an object event
  // "Alarm" from the needle with the data "on" or "off".
  static constexpr float kAlarmThreshold = 80.0f;

  Instrument();
  ~Instrument() override;

  using orvan::DisplayObject::SetValue;

  void Calculate(double time) override;
  orvan::DisplayObject* CloneObject(bool generateNames = false) override;
  orvan::MethodDescriptionList* GetMethodDescriptions(orvan::MethodDescriptionList* list) override;
  void Initialize() override;

  float Value();
  void Value(const float& value);

  // The needle's angle in degrees, counter-clockwise from straight up, for a value.
  static float NeedleAngle(float value);

 private:
  orvan::GLPolygon* dial;
  orvan::Group* ticks;
  orvan::Group* needle;
  orvan::GLPolygon* needleShape;
  orvan::GLPolygon* label;
  float valueBacking;
};
