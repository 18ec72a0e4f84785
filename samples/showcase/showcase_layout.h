#pragma once
// Where the showcase panel's parts sit, in the panel's units (a 160 x 120 rectangle from the
// origin). The faceplate painter draws the dial and the slider's slot at the same places as the
// component puts its needle, bezel and thumb, and tests aim their clicks by it.
namespace showcase {

constexpr float kWidth = 160.0f, kHeight = 120.0f;

// The gauge: needle, scale and bezel about one centre. Value 0 points this far counter-clockwise
// from straight up, value 100 as far clockwise.
constexpr float kGaugeX = 54.0f, kGaugeY = 58.0f;
constexpr float kDialRadius = 36.0f, kBezelOuter = 45.0f;
constexpr float kSweepHalf = 135.0f;

// The push buttons, side by side.
constexpr float kButtonY = 62.0f, kButtonWidth = 21.0f, kButtonHeight = 14.0f;
constexpr float kStartX = 108.0f, kStopX = 134.0f;

// The run lamp over the buttons.
constexpr float kLampX = 131.0f, kLampY = 92.0f, kLampRadius = 6.0f;

// The setpoint slider: a horizontal slot; its thumb's centre runs from kSlotLeft (0) to
// kSlotRight (100).
constexpr float kSlotLeft = 112.0f, kSlotRight = 150.0f, kSlotY = 28.0f, kSlotHalfHeight = 6.0f;

}  // namespace showcase
