#include "instrument/instrument.h"

#include "instrument_face.h"

#include "orvan/object_event.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_property.h"
#include "orvan/callback_method_caller.h"
#include "orvan/eye_point.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/material_list.h"
#include "orvan/mouse_event.h"
#include "orvan/object_resources.h"
#include "orvan/texture_palette.h"
#include "orvan/value_specs.h"
#include "orvan/ves_text_box.h"

using namespace orvan;

namespace {

constexpr int kDialSegments = 48;
constexpr float kTickInner = 40.0f;
constexpr float kTickOuter = 48.0f;
// Value 0 sits this far counter-clockwise from straight up, value 100 as far clockwise.
constexpr float kSweepHalf = 135.0f;

const MethodDescriptionRow kInstrumentMethods[] = {
    {"", "------ Instrument ------", ""},
    {"Initialize(", "void Initialize()", ""},
    {"Calculate(", "void Calculate(double time)", ""},
    {"Resource(\"Value\")", "OrvanAttributeBase& Resource(\"Value\")", "Retrieves reference: "},
    {"Value(", "float Value(const float&)", "Sets: "},
    {"SetResource(\"Value\",\"", "void SetResource(\"Value\",const char* value)", "Sets: "},
    {"Value()", "float Value()", "Gets: "},
    {"GetResource(\"Value\")", "std::string GetResource(\"Value\")", "Gets: "},
    {nullptr, nullptr, nullptr},
};

Vector OnCircle(float radius, double degreesFromUp) {
  const double radians = degreesFromUp * kDegreesToRadians;
  return Vector(Instrument::kCentreX - static_cast<float>(radius * std::sin(radians)),
                Instrument::kCentreY + static_cast<float>(radius * std::cos(radians)), 0.0f);
}

}  // namespace

Instrument::Instrument()
    : ComponentBase(), dial(nullptr), ticks(nullptr), needle(nullptr), needleShape(nullptr), label(nullptr),
      readout(nullptr), eye(nullptr), valueBacking(50.0f) {
  // The dial face and the label plate show one compiled-in picture: the second entry shares
  // the image the first one made.
  Palette()->Resize(2);
  Palette()->SetImage(0, &instrument_face);
  Palette()->SetImage(1, &instrument_face);
  Materials()->Set(0, Material(vesColor(51, 51, 51, 255), vesColor(204, 204, 204, 255), vesColor(0, 0, 0, 255),
                               vesColor(0, 0, 0, 255), 0.0f));
  using Setter = void (Instrument::*)(const float&);
  using Getter = float (Instrument::*)();
  FrameAttributes()->Add(new OrvanAttributeProperty<Instrument, float>(
      AttributeName("Value"), this, &valueBacking, static_cast<Setter>(&Instrument::Value),
      static_cast<Getter>(&Instrument::Value)));
}

Instrument::~Instrument() {}

void Instrument::Calculate(double time) { Group::Calculate(time); }

DisplayObject* Instrument::CloneObject(bool generateNames) { return FinishClone(new Instrument, generateNames); }

MethodDescriptionList* Instrument::GetMethodDescriptions(MethodDescriptionList* list) {
  return DescribeMethods(list, kInstrumentMethods);
}

void Instrument::Initialize() {
  objects.Resize(4);

  Vertex rim[kDialSegments];
  for (int i = 0; i < kDialSegments; ++i) {
    const Vector p = OnCircle(kDialRadius, 360.0 * i / kDialSegments);
    rim[i] = Vertex(p.x, p.y, p.z, vesColor(40, 40, 40, 255));
  }
  dial = new GLPolygon;
  // The face picture replaces the fill colour; its square spans the dial's, mipmapped when small.
  dial->SetValue(spec::kInstanceName, const_cast<char*>("dial"), spec::kPolygonMode, spec::kPolygonFilled,
                 spec::kShading, spec::kShadingFlat, spec::kLightingEnabled, 0, spec::kMaterialIndex, 0, spec::kColor,
                 90, 90, 90, 255, spec::kTextureIndex, 0, spec::kTextureMap, spec::kTextureReplace,
                 spec::kTextureMinFilter, spec::kFilterLinearMipmapLinear, spec::kTextureMagFilter, spec::kFilterLinear,
                 spec::kTexturePoints, 100.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 100.0, 0.0, 100.0, 100.0, 0.0, spec::kEnd);
  dial->SetVertices(kDialSegments, rim);
  dial->CalculateTexCoordinates();
  // Pointer positions reach the dial's callback relative to its centre.
  dial->WorldRotationPoint(Vector(kCentreX, kCentreY, 0.0f));
  dial->CallbackCaller(new CallbackMethodCallerTemplate<Instrument>(this, &Instrument::OnDial));
  InsertObject(dial, true, false);

  ticks = new Group;
  ticks->SetValue(spec::kInstanceName, const_cast<char*>("ticks"), spec::kEnd);
  ticks->Objects().Resize(kTickCount);
  for (int i = 0; i < kTickCount; ++i) {
    const double angle = kSweepHalf - 2.0 * kSweepHalf * i / (kTickCount - 1);
    const Vector a = OnCircle(kTickInner, angle);
    const Vector b = OnCircle(kTickOuter, angle);
    const std::string name = "tick" + std::to_string(i);
    GLPolygon* tick = new GLPolygon;
    // An outline left open: a single line.
    tick->SetValue(spec::kInstanceName, const_cast<char*>(name.c_str()), spec::kPolygonMode, spec::kPolygonOutline,
                   spec::kPolygonEnd, 2, spec::kLineWidth, 2.0, spec::kColor, 255, 255, 255, 255,
                   spec::kLightingEnabled, 0, spec::kEnd);
    tick->SetVertices(2, 255, 255, 255, 255, static_cast<double>(a.x), static_cast<double>(a.y), 0.0, 255, 255, 255,
                      255, static_cast<double>(b.x), static_cast<double>(b.y), 0.0);
    ticks->InsertObject(tick, true, false);
  }
  ticks->RecalculateBoundingBox();
  InsertObject(ticks, true, false);

  needle = new Group;
  needle->SetValue(spec::kInstanceName, const_cast<char*>("needle"), spec::kRotationPoint,
                   static_cast<double>(kCentreX), static_cast<double>(kCentreY), 0.0, spec::kEnd);
  needleShape = new GLPolygon;
  needleShape->SetValue(spec::kInstanceName, const_cast<char*>("needleShape"), spec::kPolygonMode,
                        spec::kPolygonFilled, spec::kShading, spec::kShadingFlat, spec::kLightingEnabled, 0,
                        spec::kMaterialIndex, 0, spec::kColor, 255, 0, 0, 255, spec::kEnd);
  needleShape->SetVertices(3, 220, 0, 0, 255, static_cast<double>(kCentreX - 4.0f), static_cast<double>(kCentreY), 0.0,
                           220, 0, 0, 255, static_cast<double>(kCentreX + 4.0f), static_cast<double>(kCentreY), 0.0,
                           220, 0, 0, 255, static_cast<double>(kCentreX),
                           static_cast<double>(kCentreY + kNeedleLength), 0.0);
  needle->InsertObject(needleShape, true, false);
  needle->RecalculateBoundingBox();
  InsertObject(needle, true, false);

  label = new GLPolygon;
  // The middle band of the same picture, tinted by the plate's gold.
  label->SetValue(spec::kInstanceName, const_cast<char*>("label"), spec::kPolygonMode, spec::kPolygonFilled,
                  spec::kShading, spec::kShadingFlat, spec::kLightingEnabled, 0, spec::kMaterialIndex, 0,
                  spec::kTextureIndex, 1, spec::kTextureMap, spec::kTextureModulate, spec::kTextureMinFilter,
                  spec::kFilterLinear, spec::kTextureMagFilter, spec::kFilterLinear, spec::kTexturePoints, 75.0, -39.0,
                  0.0, 25.0, -39.0, 0.0, 25.0, 81.0, 0.0, 75.0, 81.0, 0.0, spec::kEnd);
  label->SetVertices(4, 200, 190, 60, 255, 35.0, 15.0, 0.0, 200, 190, 60, 255, 65.0, 15.0, 0.0, 200, 190, 60, 255,
                     65.0, 27.0, 0.0, 200, 190, 60, 255, 35.0, 27.0, 0.0);
  label->CalculateTexCoordinates();
  InsertObject(label, true, false);

  // Presses on the ticks, the needle and the label reach the dial below them.
  for (DisplayObject* decoration : {static_cast<DisplayObject*>(ticks), static_cast<DisplayObject*>(needle),
                                    static_cast<DisplayObject*>(label)}) {
    decoration->Pickable(spec::kPickNever);
  }
  BuildControls();
  BuildText();

  Value(valueBacking);
  DesignSize(100, 100);
  SetResource("ComponentHeaderFile", "instrument.h");
  FinishConstruction();
  PostInitialize();
}

float Instrument::NeedleAngle(float value) { return kSweepHalf - 2.0f * kSweepHalf * value / 100.0f; }

float Instrument::ValueAtAngle(float degrees) {
  const float value = (kSweepHalf - degrees) * 100.0f / (2.0f * kSweepHalf);
  return value < 0.0f ? 0.0f : value > 100.0f ? 100.0f : value;
}

namespace {

GLPolygon* Square(const char* name, float x, float y, float z, float size, const vesColor& fill) {
  GLPolygon* p = new GLPolygon;
  p->SetValue(spec::kInstanceName, const_cast<char*>(name), spec::kPolygonMode, spec::kPolygonFilled, spec::kShading,
              spec::kShadingFlat, spec::kLightingEnabled, 0, spec::kMaterialIndex, 0, spec::kEnd);
  p->SetVertices(4, fill.red, fill.green, fill.blue, fill.alpha, static_cast<double>(x), static_cast<double>(y),
                 static_cast<double>(z), fill.red, fill.green, fill.blue, fill.alpha, static_cast<double>(x + size),
                 static_cast<double>(y), static_cast<double>(z), fill.red, fill.green, fill.blue, fill.alpha,
                 static_cast<double>(x + size), static_cast<double>(y + size), static_cast<double>(z), fill.red,
                 fill.green, fill.blue, fill.alpha, static_cast<double>(x), static_cast<double>(y + size),
                 static_cast<double>(z));
  return p;
}

}  // namespace

void Instrument::BuildControls() {
  for (GLPolygon* button : {Square("minus", kMinusX, kButtonY, 0.0f, kButtonSize, vesColor(60, 120, 220, 255)),
                            Square("plus", kPlusX, kButtonY, 0.0f, kButtonSize, vesColor(60, 200, 90, 255))}) {
    button->CallbackCaller(new CallbackMethodCallerTemplate<Instrument>(this, &Instrument::OnButton));
    InsertObject(button, true, false);
  }

  // The front badge comes first in the list: only the depth rule finds it where they overlap.
  Group* badges = new Group;
  badges->SetValue(spec::kInstanceName, const_cast<char*>("badges"), spec::kPickable, spec::kPickNearest, spec::kEnd);
  GLPolygon* front = Square("badgeFront", kBadgeX, kBadgeY, 1.0f, kBadgeSize, vesColor(230, 230, 230, 255));
  GLPolygon* back =
      Square("badgeBack", kBadgeX + kBadgeShift, kBadgeY + kBadgeShift, 0.0f, kBadgeSize, vesColor(150, 60, 200, 255));
  for (GLPolygon* badge : {front, back}) {
    // Depth written and tested, so the front badge also looks nearer although drawn first.
    badge->DepthTest(spec::kDepthTestAndWrite);
    badge->CallbackCaller(new CallbackMethodCallerTemplate<Instrument>(this, &Instrument::OnButton));
    badges->InsertObject(badge, true, false);
  }
  badges->RecalculateBoundingBox();
  InsertObject(badges, true, false);

  eye = new VesEyePoint;
  eye->SetValue(spec::kInstanceName, const_cast<char*>("eye"), spec::kLocation, static_cast<double>(kCentreX),
                static_cast<double>(kCentreY), 190.0, spec::kEnd);
  InsertObject(eye, true, false);
}

namespace {

// A text box of the built-in font in a width x height rectangle at (x, y), its cell height given,
// the text centred both ways; it draws no panel of its own and lets presses through.
VesTextBox* TextLabel(const char* name, float x, float y, float width, float height, float cellHeight,
                      const vesColor& colour) {
  VesTextBox* box = new VesTextBox;
  // Polygon mode 0 draws no panel.
  box->SetValue(spec::kInstanceName, const_cast<char*>(name), spec::kLocation, static_cast<double>(x),
                static_cast<double>(y), 0.0, spec::kPolygonMode, 0, spec::kPickable, spec::kPickNever,
                spec::kTextControlCellSize, 1, spec::kTextCellHeight, static_cast<double>(cellHeight),
                spec::kTextCellWidth, static_cast<double>(cellHeight * 16.0f / 17.0f), spec::kTextJustify,
                static_cast<int>(CENTER), spec::kTextWrap, 0, spec::kEnd);
  box->SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, static_cast<double>(width), 0.0, 0.0, 255,
                   255, 255, 255, static_cast<double>(width), static_cast<double>(height), 0.0, 255, 255, 255, 255, 0.0,
                   static_cast<double>(height), 0.0);
  box->VerticalAlignment(ALIGN_CENTER);
  box->TextColor(colour);
  return box;
}

}  // namespace

void Instrument::BuildText() {
  // The readout sits on the label plate (35, 15)-(65, 27).
  readout = TextLabel("readout", 35.0f, 15.0f, 30.0f, 12.0f, 10.0f, vesColor(30, 25, 10, 255));
  InsertObject(readout, true, false);
  for (int i = 0; i < kTickCount; i += 2) {
    const int value = 100 * i / (kTickCount - 1);
    const Vector at = OnCircle(kScaleLabelRadius, NeedleAngle(static_cast<float>(value)));
    const std::string name = "scale" + std::to_string(value);
    VesTextBox* label = TextLabel(name.c_str(), at.x - kScaleLabelWidth * 0.5f, at.y - kScaleLabelHeight * 0.5f,
                                  kScaleLabelWidth, kScaleLabelHeight, 7.0f, vesColor(255, 255, 255, 255));
    label->String(std::to_string(value));
    InsertObject(label, true, false);
  }
}

int Instrument::OnDial(DisplayObject* /*sender*/, DisplayEvent* ev) {
  const MouseEvent* mouse = dynamic_cast<const MouseEvent*>(ev);
  if (mouse == nullptr) return 0;
  // A drag keeps the dial as long as the press that started on it lasts, whatever button.
  const bool turning = (mouse->eventSubtype == MOUSE_DOWN && (mouse->button & MOUSE_LBUTTON) != 0) ||
                       mouse->eventSubtype == MOUSE_DRAG;
  if (turning) {
    const Vector& p = mouse->objectPoint;  // relative to the dial's centre
    if (p.x != 0.0f || p.y != 0.0f) {
      const float degrees = static_cast<float>(std::atan2(-p.x, p.y) * kRadiansToDegrees);
      Value(ValueAtAngle(degrees));
    }
  }
  return 1;
}

int Instrument::OnButton(DisplayObject* sender, DisplayEvent* ev) {
  const MouseEvent* mouse = dynamic_cast<const MouseEvent*>(ev);
  if (mouse == nullptr) return 0;
  if (mouse->eventSubtype == MOUSE_DOWN && (mouse->button & MOUSE_LBUTTON) != 0) {
    const std::string name = sender->InstanceName();
    if (name == "minus") Value(std::max(0.0f, valueBacking - 10.0f));
    if (name == "plus") Value(std::min(100.0f, valueBacking + 10.0f));
    EmitObjectEvent(sender, "Click", "pressed");
  }
  return 1;
}

float Instrument::Value() { return valueBacking; }

void Instrument::Value(const float& value) {
  const bool wasAlarm = valueBacking >= kAlarmThreshold;
  valueBacking = value;
  if (needle != nullptr) needle->DynamicRotate(0.0f, 0.0f, NeedleAngle(value));
  if (readout != nullptr) readout->VaString("%.0f", static_cast<double>(value));
  const bool isAlarm = valueBacking >= kAlarmThreshold;
  if (needle != nullptr && wasAlarm != isAlarm) orvan::EmitObjectEvent(needle, "Alarm", isAlarm ? "on" : "off");
}
