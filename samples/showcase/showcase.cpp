#include "showcase/showcase.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_property.h"
#include "orvan/callback_method_caller.h"
#include "orvan/eye_point.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/light_source.h"
#include "orvan/material_list.h"
#include "orvan/mouse_event.h"
#include "orvan/object_event.h"
#include "orvan/texture_palette.h"
#include "orvan/value_specs.h"
#include "orvan/ves_text_box.h"
#include "showcase/showcase_layout.h"
#include "showcase_plate.h"

using namespace orvan;
using namespace showcase;

namespace {

// The six rows a generated component lists for each of its attributes.
#define SHOWCASE_ATTRIBUTE_ROWS(name, type)                                                         \
  {"Resource(\"" name "\")", "OrvanAttributeBase& Resource(\"" name "\")", "Retrieves reference: "}, \
      {name "(", type " " name "(const " type "&)", "Sets: "},                                      \
      {"SetResource(\"" name "\",\"", "void SetResource(\"" name "\",const char* value)", "Sets: "},  \
      {name "()", type " " name "()", "Gets: "},                                                    \
      {"GetResource(\"" name "\")", "std::string GetResource(\"" name "\")", "Gets: "}

const MethodDescriptionRow kShowcaseMethods[] = {
    {"", "------ Showcase ------", ""},
    {"Initialize(", "void Initialize()", ""},
    {"Calculate(", "void Calculate(double time)", ""},
    SHOWCASE_ATTRIBUTE_ROWS("Value", "float"),
    SHOWCASE_ATTRIBUTE_ROWS("Setpoint", "float"),
    SHOWCASE_ATTRIBUTE_ROWS("Running", "bool"),
    SHOWCASE_ATTRIBUTE_ROWS("Lighting", "bool"),
    {nullptr, nullptr, nullptr},
};
#undef SHOWCASE_ATTRIBUTE_ROWS

constexpr double kPi = 3.14159265358979323846;

// Materials: 0 the runtime's default, 1 polished steel (the bezel), 2 anodised amber (the thumb).
constexpr int kSteel = 1, kAmber = 2;
const vesColor kBezelGrey(150, 155, 162, 255), kThumbAmber(220, 150, 40, 255);
const vesColor kLampOff(30, 60, 36, 255), kLampOn(90, 255, 120, 255);

float Clamp100(float v) { return std::min(100.0f, std::max(0.0f, v)); }

float NeedleAngle(float value) { return kSweepHalf - 2.0f * kSweepHalf * Clamp100(value) / 100.0f; }

Vector OnDial(float radius, float degreesFromUp, float z = 0.0f) {
  const double a = degreesFromUp * kDegreesToRadians;
  return Vector(kGaugeX - static_cast<float>(radius * std::sin(a)), kGaugeY + static_cast<float>(radius * std::cos(a)),
                z);
}

// A polygon of the given corners in one colour; lit ones get the normals too.
GLPolygon* Shape(const char* name, const std::vector<Vector>& corners, const vesColor& colour, float z = 0.0f,
                 const std::vector<Vector>& normals = {}, int material = 0) {
  GLPolygon* p = new GLPolygon;
  p->SetValue(spec::kInstanceName, const_cast<char*>(name), spec::kPolygonMode, spec::kPolygonFilled, spec::kShading,
              normals.empty() ? spec::kShadingFlat : spec::kShadingGouraud, spec::kLightingEnabled,
              normals.empty() ? 0 : 1, spec::kMaterialIndex, material, spec::kPickable, spec::kPickNever, spec::kEnd);
  std::vector<Vertex> vertices;
  for (const Vector& c : corners) vertices.emplace_back(c.x, c.y, c.z + z, colour);
  p->SetVertices(static_cast<unsigned int>(vertices.size()), vertices.data());
  if (!normals.empty()) {
    std::vector<Vector> n(normals);
    p->SetNormals(static_cast<unsigned int>(n.size()), n.data());
    p->DepthTest(spec::kDepthTestAndWrite);  // solid: the nearer face hides the farther one
  }
  return p;
}

GLPolygon* Disc(const char* name, float x, float y, float z, float radius, const vesColor& colour) {
  std::vector<Vector> rim;
  for (int i = 0; i < 24; ++i)
    rim.emplace_back(x + radius * std::cos(i * kPi / 12.0), y + radius * std::sin(i * kPi / 12.0), z);
  return Shape(name, rim, colour);
}

// Text of the built-in font centred in a width x height box at (x, y); no panel of its own,
// and presses go through it.
VesTextBox* Label(const char* name, const char* text, float x, float y, float width, float height, float cell,
                  const vesColor& colour) {
  VesTextBox* box = new VesTextBox;
  box->SetValue(spec::kInstanceName, const_cast<char*>(name), spec::kLocation, static_cast<double>(x),
                static_cast<double>(y), 0.5, spec::kPolygonMode, 0, spec::kPickable, spec::kPickNever,
                spec::kTextControlCellSize, 1, spec::kTextCellHeight, static_cast<double>(cell), spec::kTextCellWidth,
                static_cast<double>(cell * 16.0f / 17.0f), spec::kTextJustify, static_cast<int>(CENTER),
                spec::kTextWrap, 0, spec::kTextString, text, spec::kEnd);
  box->SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, static_cast<double>(width), 0.0, 0.0, 255,
                   255, 255, 255, static_cast<double>(width), static_cast<double>(height), 0.0, 255, 255, 255, 255, 0.0,
                   static_cast<double>(height), 0.0);
  box->VerticalAlignment(ALIGN_CENTER);
  box->TextColor(colour);
  return box;
}

}  // namespace

Showcase::Showcase()
    : ComponentBase(), needle(nullptr), marker(nullptr), lit(nullptr), thumb(nullptr), lamp(nullptr), light(nullptr),
      readout(nullptr), valueBacking(42.0f), setpointBacking(60.0f), runningBacking(false), lightingBacking(true) {
  Palette()->Resize(1);
  Palette()->SetImage(0, &showcase_plate);
  Materials()->Set(0, Material());
  Materials()->Set(kSteel, Material(vesColor(70, 72, 78, 255), vesColor(165, 170, 178, 255),
                                    vesColor(255, 255, 255, 255), vesColor(0, 0, 0, 255), 40.0f));
  Materials()->Set(kAmber, Material(vesColor(90, 60, 15, 255), vesColor(230, 150, 40, 255),
                                    vesColor(200, 200, 200, 255), vesColor(0, 0, 0, 255), 20.0f));
  auto add = [this](const char* name, auto* storage, auto setter, auto getter) {
    using T = std::remove_pointer_t<decltype(storage)>;
    FrameAttributes()->Add(new OrvanAttributeProperty<Showcase, T>(AttributeName(name), this, storage, setter, getter));
  };
  add("Value", &valueBacking, static_cast<void (Showcase::*)(const float&)>(&Showcase::Value),
      static_cast<float (Showcase::*)()>(&Showcase::Value));
  add("Setpoint", &setpointBacking, static_cast<void (Showcase::*)(const float&)>(&Showcase::Setpoint),
      static_cast<float (Showcase::*)()>(&Showcase::Setpoint));
  add("Running", &runningBacking, static_cast<void (Showcase::*)(const bool&)>(&Showcase::Running),
      static_cast<bool (Showcase::*)()>(&Showcase::Running));
  add("Lighting", &lightingBacking, static_cast<void (Showcase::*)(const bool&)>(&Showcase::Lighting),
      static_cast<bool (Showcase::*)()>(&Showcase::Lighting));
}

DisplayObject* Showcase::CloneObject(bool generateNames) { return FinishClone(new Showcase, generateNames); }

MethodDescriptionList* Showcase::GetMethodDescriptions(MethodDescriptionList* list) {
  return DescribeMethods(list, kShowcaseMethods);
}

void Showcase::Initialize() {
  objects.Resize(16);
  // The faceplate picture replaces the fill colour over the whole panel.
  GLPolygon* plate = new GLPolygon;
  plate->SetValue(spec::kInstanceName, const_cast<char*>("faceplate"), spec::kPolygonMode, spec::kPolygonFilled,
                  spec::kLightingEnabled, 0, spec::kTextureIndex, 0, spec::kTextureMap, spec::kTextureReplace,
                  spec::kTextureMinFilter, spec::kFilterLinear, spec::kTextureMagFilter, spec::kFilterLinear,
                  spec::kPickable, spec::kPickNever, spec::kTexturePoints, static_cast<double>(kWidth), 0.0, 0.0,
                  0.0, 0.0, 0.0, 0.0, static_cast<double>(kHeight), 0.0, static_cast<double>(kWidth),
                  static_cast<double>(kHeight), 0.0, spec::kEnd);
  plate->SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, static_cast<double>(kWidth), 0.0, 0.0,
                     255, 255, 255, 255, static_cast<double>(kWidth), static_cast<double>(kHeight), 0.0, 255, 255, 255,
                     255, 0.0, static_cast<double>(kHeight), 0.0);
  plate->CalculateTexCoordinates();
  InsertObject(plate, true, false);

  // The light comes from above left, in front of the panel. Its marker and the eye stay inside
  // the panel's rectangle, which is the component's extent that the host places by.
  light = new VesLightSource;
  // The marker's usual six vertices, but vertex 0 to vertex 1 points towards the light.
  const vesColor white(255, 255, 255, 255);
  Vertex marks[6] = {Vertex(0, 0, 0, white),      Vertex(-0.45f, 0.55f, 1, white), Vertex(-25, -25, -50, white),
                     Vertex(25, -25, -50, white), Vertex(25, 25, -50, white),      Vertex(-25, 25, -50, white)};
  light->SetVertices(6, marks);
  light->SetValue(spec::kInstanceName, const_cast<char*>("panelLight"), spec::kLocation, static_cast<double>(kWidth / 2),
                  static_cast<double>(kHeight / 2), 60.0, spec::kPickable, spec::kPickNever,
                  spec::kLightAmbient, 60, 60, 60, 255, spec::kLightDiffuse, 255, 248, 235, 255, spec::kEnd);
  InsertObject(light, true, false);
  lit = new Group;
  lit->SetValue(spec::kInstanceName, const_cast<char*>("litParts"), spec::kPickable, spec::kPickNever, spec::kEnd);

  BuildGauge();
  BuildControls();
  lit->RecalculateBoundingBox();
  InsertObject(lit, true, false);
  BuildLabels();

  VesEyePoint* eye = new VesEyePoint;
  eye->SetValue(spec::kInstanceName, const_cast<char*>("panelEye"), spec::kLocation, static_cast<double>(kWidth / 2),
                0.0, 250.0, spec::kEyeFov, 37.0, spec::kEyeNearClip, 10.0, spec::kEyeFarClip, 2000.0, spec::kEnd);
  eye->Orientation(Vector(0.0f, kHeight / 2, -250.0f), 0.0f, Vector(0.0f, 1.0f, 0.0f));
  InsertObject(eye, true, false);

  Value(valueBacking);
  Setpoint(setpointBacking);
  Running(runningBacking);
  Lighting(lightingBacking);
  DesignSize(static_cast<int>(kWidth), static_cast<int>(kHeight));
  SetResource("ComponentHeaderFile", "showcase.h");
  FinishConstruction();
  PostInitialize();
}

void Showcase::BuildGauge() {
  // The bezel: a ring of facets rising from the dial to a ridge and falling to the plate; each
  // vertex's normal leans with its slope, so the light brightens the side that faces it.
  constexpr int kSegments = 48;
  constexpr float kRidge = (kDialRadius + kBezelOuter) / 2, kHeightZ = 4.0f;
  const float rise = kHeightZ / (kRidge - kDialRadius);
  Group* bezel = new Group;
  bezel->SetValue(spec::kInstanceName, const_cast<char*>("bezel"), spec::kPickable, spec::kPickNever, spec::kEnd);
  bezel->Objects().Resize(2 * kSegments);
  for (int i = 0; i < kSegments; ++i) {
    const float a0 = 360.0f * i / kSegments, a1 = 360.0f * (i + 1) / kSegments;
    for (int band = 0; band < 2; ++band) {
      const float r0 = band == 0 ? kDialRadius : kRidge, r1 = band == 0 ? kRidge : kBezelOuter;
      const float z0 = band == 0 ? 0.0f : kHeightZ, z1 = band == 0 ? kHeightZ : 0.0f;
      const float lean = band == 0 ? -rise : rise;  // inwards on the inner slope
      auto normal = [&](float a) {
        const Vector out = OnDial(1.0f, a) - Vector(kGaugeX, kGaugeY, 0.0f);
        return Vector(out.x * lean, out.y * lean, 1.0f).Normalised();
      };
      const std::string name = "bezel" + std::to_string(2 * i + band);
      bezel->InsertObject(Shape(name.c_str(), {OnDial(r0, a0, z0), OnDial(r1, a0, z1), OnDial(r1, a1, z1),
                                               OnDial(r0, a1, z0)},
                                kBezelGrey, 0.0f, {normal(a0), normal(a0), normal(a1), normal(a1)}, kSteel),
                          true, false);
    }
  }
  bezel->RecalculateBoundingBox();
  lit->InsertObject(bezel, true, false);

  // The setpoint's marker at the scale's rim and the needle, both turning about the centre.
  marker = new Group;
  marker->SetValue(spec::kInstanceName, const_cast<char*>("setpointMarker"), spec::kRotationPoint,
                   static_cast<double>(kGaugeX), static_cast<double>(kGaugeY), 0.0, spec::kPickable,
                   spec::kPickNever, spec::kEnd);
  marker->InsertObject(Shape("markerShape", {OnDial(kDialRadius - 6.0f, 0.0f), OnDial(kDialRadius, 5.0f),
                                             OnDial(kDialRadius, -5.0f)},
                             vesColor(255, 200, 40, 255), 0.5f),
                       true, false);
  marker->RecalculateBoundingBox();
  InsertObject(marker, true, false);
  needle = new Group;
  needle->SetValue(spec::kInstanceName, const_cast<char*>("needle"), spec::kRotationPoint,
                   static_cast<double>(kGaugeX), static_cast<double>(kGaugeY), 0.0, spec::kPickable, spec::kPickNever,
                   spec::kEnd);
  needle->InsertObject(Shape("needleShape", {Vector(kGaugeX - 2.0f, kGaugeY, 0.0f), Vector(kGaugeX + 2.0f, kGaugeY, 0.0f),
                                             Vector(kGaugeX, kGaugeY + kDialRadius - 3.0f, 0.0f)},
                             vesColor(235, 60, 40, 255), 1.0f),
                       true, false);
  needle->RecalculateBoundingBox();
  InsertObject(needle, true, false);
  InsertObject(Disc("hub", kGaugeX, kGaugeY, 1.5f, 3.5f, vesColor(50, 52, 58, 255)), true, false);
}

void Showcase::BuildControls() {
  for (const auto& [name, x, colour] : {std::make_tuple("startButton", kStartX, vesColor(40, 150, 70, 255)),
                                        std::make_tuple("stopButton", kStopX, vesColor(190, 50, 40, 255))}) {
    GLPolygon* button = Shape(name, {Vector(x, kButtonY, 0), Vector(x + kButtonWidth, kButtonY, 0),
                                     Vector(x + kButtonWidth, kButtonY + kButtonHeight, 0),
                                     Vector(x, kButtonY + kButtonHeight, 0)},
                              colour);
    button->Pickable(spec::kPickFirstHit);
    button->CallbackCaller(new CallbackMethodCallerTemplate<Showcase>(this, &Showcase::OnButton));
    InsertObject(button, true, false);
  }
  lamp = Disc("runLamp", kLampX, kLampY, 0.0f, kLampRadius, kLampOff);
  InsertObject(lamp, true, false);

  // The slider answers presses anywhere over its slot; its surface draws nothing.
  GLPolygon* slider = Shape("slider", {Vector(kSlotLeft - 4.0f, kSlotY - kSlotHalfHeight, 0),
                                       Vector(kSlotRight + 4.0f, kSlotY - kSlotHalfHeight, 0),
                                       Vector(kSlotRight + 4.0f, kSlotY + kSlotHalfHeight, 0),
                                       Vector(kSlotLeft - 4.0f, kSlotY + kSlotHalfHeight, 0)},
                            vesColor(0, 0, 0, 0));
  slider->Pickable(spec::kPickFirstHit);
  slider->CallbackCaller(new CallbackMethodCallerTemplate<Showcase>(this, &Showcase::OnSlider));
  InsertObject(slider, true, false);

  // The thumb: a block with a bevelled top, built at value 0 and moved along the slot.
  const float w = 3.5f, h = 6.5f, t = 2.0f, top = 4.0f;
  const Vector base[4] = {Vector(-w, -h, 0), Vector(w, -h, 0), Vector(w, h, 0), Vector(-w, h, 0)};
  const Vector cap[4] = {Vector(-w + t, -h + t, top), Vector(w - t, -h + t, top), Vector(w - t, h - t, top),
                         Vector(-w + t, h - t, top)};
  const Vector sides[4] = {Vector(0, -1, 1), Vector(1, 0, 1), Vector(0, 1, 1), Vector(-1, 0, 1)};
  thumb = new Group;
  thumb->SetValue(spec::kInstanceName, const_cast<char*>("thumb"), spec::kPickable, spec::kPickNever, spec::kEnd);
  const Vector at(kSlotLeft, kSlotY, 0.0f);
  for (int s = 0; s < 4; ++s) {
    const Vector n = sides[s].Normalised();
    const std::string name = "thumbSide" + std::to_string(s);
    thumb->InsertObject(Shape(name.c_str(), {at + base[s], at + base[(s + 1) % 4], at + cap[(s + 1) % 4], at + cap[s]},
                              kThumbAmber, 0.0f, {n, n, n, n}, kAmber),
                        true, false);
  }
  const Vector up(0.0f, 0.0f, 1.0f);
  thumb->InsertObject(
      Shape("thumbCap", {at + cap[0], at + cap[1], at + cap[2], at + cap[3]}, kThumbAmber, 0.0f, {up, up, up, up}, kAmber),
      true, false);
  thumb->RecalculateBoundingBox();
  lit->InsertObject(thumb, true, false);
}

void Showcase::BuildLabels() {
  const vesColor ink(225, 228, 232, 255);
  InsertObject(Label("title", "PUMP STATION 1", 4.0f, 106.0f, 152.0f, 10.0f, 7.0f, ink), true, false);
  InsertObject(Label("flowLabel", "FLOW %", kGaugeX - 15.0f, kGaugeY + 9.0f, 30.0f, 7.0f, 5.0f, ink), true, false);
  readout = Label("readout", "", kGaugeX - 16.0f, kGaugeY - 24.0f, 32.0f, 11.0f, 9.0f, vesColor(255, 190, 60, 255));
  InsertObject(readout, true, false);
  for (int value = 0; value <= 100; value += 20) {
    const Vector p = OnDial(kDialRadius - 13.0f, NeedleAngle(static_cast<float>(value)));
    const std::string name = "scale" + std::to_string(value);
    InsertObject(Label(name.c_str(), std::to_string(value).c_str(), p.x - 7.0f, p.y - 3.0f, 14.0f, 6.0f, 4.5f, ink),
                 true, false);
  }
  InsertObject(Label("startLabel", "START", kStartX, kButtonY, kButtonWidth, kButtonHeight, 4.5f, ink), true, false);
  InsertObject(Label("stopLabel", "STOP", kStopX, kButtonY, kButtonWidth, kButtonHeight, 4.5f, ink), true, false);
  InsertObject(Label("runLabel", "RUN", kLampX - 20.0f, kLampY - 3.0f, 12.0f, 6.0f, 4.5f, ink), true, false);
  InsertObject(Label("setpointLabel", "SETPOINT", kSlotLeft - 4.0f, kSlotY + 8.0f, kSlotRight - kSlotLeft + 8.0f,
                     7.0f, 5.0f, ink),
               true, false);
}

int Showcase::OnButton(DisplayObject* sender, DisplayEvent* ev) {
  const MouseEvent* mouse = dynamic_cast<const MouseEvent*>(ev);
  if (mouse == nullptr) return 0;
  if (mouse->eventSubtype == MOUSE_DOWN && (mouse->button & MOUSE_LBUTTON) != 0) {
    EmitObjectEvent(sender, "Click", "pressed");
    Running(std::string(sender->InstanceName()) == "startButton");
  }
  return 1;
}

int Showcase::OnSlider(DisplayObject* sender, DisplayEvent* ev) {
  const MouseEvent* mouse = dynamic_cast<const MouseEvent*>(ev);
  if (mouse == nullptr) return 0;
  // A drag keeps the slider as long as the press that started on it lasts.
  if ((mouse->eventSubtype == MOUSE_DOWN && (mouse->button & MOUSE_LBUTTON) != 0) ||
      mouse->eventSubtype == MOUSE_DRAG) {
    const float at = std::round(Clamp100((mouse->objectPoint.x - kSlotLeft) * 100.0f / (kSlotRight - kSlotLeft)));
    if (at != setpointBacking) {
      Setpoint(at);
      EmitObjectEvent(sender, "Setpoint", std::to_string(static_cast<int>(at)).c_str());
    }
  }
  return 1;
}

float Showcase::Value() { return valueBacking; }

void Showcase::Value(const float& value) {
  valueBacking = value;
  if (needle != nullptr) needle->DynamicRotate(0.0f, 0.0f, NeedleAngle(value));
  if (readout != nullptr) readout->VaString("%.1f", static_cast<double>(value));
}

float Showcase::Setpoint() { return setpointBacking; }

void Showcase::Setpoint(const float& value) {
  setpointBacking = value;
  if (marker != nullptr) marker->DynamicRotate(0.0f, 0.0f, NeedleAngle(value));
  if (thumb != nullptr) thumb->DynamicTranslate((kSlotRight - kSlotLeft) * Clamp100(value) / 100.0f, 0.0f, 0.0f);
}

bool Showcase::Running() { return runningBacking; }

void Showcase::Running(const bool& on) {
  const bool changed = on != runningBacking;
  runningBacking = on;
  if (lamp == nullptr) return;
  lamp->SetFillColor(on ? kLampOn : kLampOff);
  if (changed) EmitObjectEvent(lamp, "Running", on ? "on" : "off");
}

bool Showcase::Lighting() { return lightingBacking; }

void Showcase::Lighting(const bool& on) {
  lightingBacking = on;
  if (lit != nullptr) lit->LightingEnabled(on);
  if (light != nullptr) light->Visibility(on);
}
