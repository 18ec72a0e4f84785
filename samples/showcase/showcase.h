#pragma once

#include "orvan/component_base.h"

namespace orvan {
class DisplayEvent;
class DisplayObject;
class GLPolygon;
class Group;
class VesLightSource;
class VesTextBox;
}  // namespace orvan

// A pump station's control panel, laid out in 160 x 120 units (showcase/showcase_layout.h):
// a textured faceplate, a gauge whose needle shows "Value" (0 to 100) under a lit, bevelled
// bezel with the "Setpoint" marked on its scale and the value as a live readout, START and STOP
// push buttons, a run lamp, and a slider that sets the setpoint; its thumb is a lit block.
//
// Attributes a host drives: "Value", "Setpoint" (both 0 to 100), "Running" (the lamp) and
// "Lighting" (the lamp light and the lit parts; off, they draw in their plain colours).
// Events, all object events: "Click" (data "pressed") from "startButton" and "stopButton";
// "Running" (data "on" or "off") from "runLamp" when the running state changes; "Setpoint"
// (data the new setpoint, a whole number) from "slider" when a press or drag on it moves it.
// The perspective eye point "panelEye" looks at the panel from a little below, as from a seat.
class Showcase : public orvan::ComponentBase {
 public:
  Showcase();

  using orvan::DisplayObject::SetValue;

  orvan::DisplayObject* CloneObject(bool generateNames = false) override;
  orvan::MethodDescriptionList* GetMethodDescriptions(orvan::MethodDescriptionList* list) override;
  void Initialize() override;

  float Value();
  void Value(const float& value);
  float Setpoint();
  void Setpoint(const float& value);
  bool Running();
  void Running(const bool& on);
  bool Lighting();
  void Lighting(const bool& on);

 private:
  orvan::Group* needle;
  orvan::Group* marker;
  orvan::Group* lit;
  orvan::Group* thumb;
  orvan::GLPolygon* lamp;
  orvan::VesLightSource* light;
  orvan::VesTextBox* readout;
  float valueBacking;
  float setpointBacking;
  bool runningBacking;
  bool lightingBacking;

  void BuildGauge();
  void BuildControls();
  void BuildLabels();
  int OnButton(orvan::DisplayObject* sender, orvan::DisplayEvent* ev);
  int OnSlider(orvan::DisplayObject* sender, orvan::DisplayEvent* ev);
};
