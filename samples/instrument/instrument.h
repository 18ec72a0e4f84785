#pragma once

#include "orvan/component_base.h"

namespace orvan {
class DisplayEvent;
class DisplayObject;
class GLPolygon;
class Group;
class VesEyePoint;
class VesTextBox;
}  // namespace orvan

// A round instrument: a dial with tick marks, a needle that turns about the dial's centre and a
// label plate. Its one property, "Value" (0 to 100), turns the needle from lower left (0)
// through straight up (50) to lower right (100). Laid out in a 100 x 100 square from the origin.
// The dial shows a face picture compiled in at build time (vessant-image, samples/CMakeLists.txt);
// the label plate shows a band of the same picture through a second palette entry that shares it.
// The plate carries the value as a text readout ("readout"), and the scale is labelled 0, 20, ...
// 100 inside every other tick ("scale0" ... "scale100"), all in the runtime's built-in font.
//
// It answers the mouse through picking alone: pressing or dragging on the dial turns the needle
// to the pointer; the push buttons "minus" and "plus" in the lower corners step the value by 10
// and emit the object event "Click" (data "pressed") under their own name; the two overlapping
// badges in the upper right corner sit in a group that picks the nearer one ("badgeFront",
// though it is the earlier child) and emit "Click" too. The eye point "eye" looks at the whole
// instrument in perspective, for hosts that choose it.
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
  // The value whose needle points at this angle, limited to 0..100.
  static float ValueAtAngle(float degrees);

  // Where the push buttons and the badges are, for hosts and tests that click them.
  static constexpr float kButtonSize = 16.0f;
  static constexpr float kMinusX = 2.0f, kPlusX = 82.0f, kButtonY = 2.0f;
  static constexpr float kBadgeX = 80.0f, kBadgeY = 82.0f, kBadgeSize = 12.0f, kBadgeShift = 6.0f;
  // The scale labels: boxes of this size centred this far from the dial's centre.
  static constexpr float kScaleLabelRadius = 31.0f, kScaleLabelWidth = 16.0f, kScaleLabelHeight = 8.0f;

 private:
  orvan::GLPolygon* dial;
  orvan::Group* ticks;
  orvan::Group* needle;
  orvan::GLPolygon* needleShape;
  orvan::GLPolygon* label;
  orvan::VesTextBox* readout;
  orvan::VesEyePoint* eye;
  float valueBacking;

  void BuildControls();
  void BuildText();
  int OnDial(orvan::DisplayObject* sender, orvan::DisplayEvent* ev);
  int OnButton(orvan::DisplayObject* sender, orvan::DisplayEvent* ev);
};
