#include "splash/ActiveXSplash.h"

#include "splash_picture.h"

#include "orvan/attrib_dict.h"
#include "orvan/attribute_property.h"
#include "orvan/eye_point.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/material_list.h"
#include "orvan/texture_palette.h"
#include "orvan/ves_text_box.h"

using namespace orvan;

namespace {

const MethodDescriptionRow kSplashMethods[] = {
    {"", "------ ActiveXSplashClass ------", ""},
    {"Initialize(", "void Initialize()", ""},
    {"Calculate(", "void Calculate(double time)", ""},
    {"Resource(\"MainMessage\")", "OrvanAttributeBase& Resource(\"MainMessage\")", "Retrieves reference: "},
    {"MainMessage(", "VesPropString MainMessage(const VesPropString&)", "Sets: "},
    {"SetResource(\"MainMessage\",\"", "void SetResource(\"MainMessage\",const char* value)", "Sets: "},
    {"MainMessage()", "VesPropString MainMessage()", "Gets: "},
    {"GetResource(\"MainMessage\")", "std::string GetResource(\"MainMessage\")", "Gets: "},
    {nullptr, nullptr, nullptr},
};

// The status line's rectangle, relative to mainText's location: over the picture's dark band.
constexpr double kTextLeft = 0.0, kTextRight = 986.0, kTextBottom = -225.0, kTextTop = -150.0;

}  // namespace

ActiveXSplashClass::ActiveXSplashClass()
    : ComponentBase(), backgroundPoly(nullptr), splashImageGroup(nullptr), splashImage(nullptr), mainText(nullptr),
      mainEye(nullptr) {
  Palette()->Resize(1);
  Palette()->SetImage(0, &splash_picture);
  Materials()->Set(0, Material(vesColor(51, 51, 51, 255), vesColor(204, 204, 204, 255), vesColor(0, 0, 0, 255),
                               vesColor(0, 0, 0, 255), 0.0f));
  using Setter = void (ActiveXSplashClass::*)(const VesPropString&);
  using Getter = VesPropString (ActiveXSplashClass::*)();
  FrameAttributes()->Add(new OrvanAttributeProperty<ActiveXSplashClass, VesPropString>(
      AttributeName("MainMessage"), this, &mainMessageBacking, static_cast<Setter>(&ActiveXSplashClass::MainMessage),
      static_cast<Getter>(&ActiveXSplashClass::MainMessage)));
}

void ActiveXSplashClass::Calculate(double time) { Group::Calculate(time); }

DisplayObject* ActiveXSplashClass::CloneObject(bool generateNames) {
  ActiveXSplashClass* copy = new ActiveXSplashClass;
  copy->RegisterAttributes(0x13);
  copy->AbsolutePlacement(AbsolutePlacement());
  copy->Initialize();
  copy->CopyProperties(this);
  copy->CopyHierarchyProperties(this, !generateNames);
  if (generateNames) copy->GenerateInstanceName();
  return copy;
}

MethodDescriptionList* ActiveXSplashClass::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kSplashMethods);
  return ComponentBase::GetMethodDescriptions(list);
}

void ActiveXSplashClass::Initialize() {
  objects.Resize(4);

  backgroundPoly = new GLPolygon;
  backgroundPoly->SetValue(1, const_cast<char*>("backgroundPoly"), 18, 4, 31, 1, 35, 0, 36, 0, 21, 14, 20, 34, 255, 40,
                           1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 1.0, 1.0, 0.0, 0);
  // Behind the picture only: it shows through the rounded corners; around the picture the
  // control's own background stays visible.
  backgroundPoly->SetVertices(4, 14, 20, 34, 255, 0.0, 0.0, -10.0, 14, 20, 34, 255, 1024.0, 0.0, -10.0, 14, 20, 34, 255,
                              1024.0, 512.0, -10.0, 14, 20, 34, 255, 0.0, 512.0, -10.0);
  backgroundPoly->SetNormals(4, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0);
  InsertObject(backgroundPoly, true, false);

  splashImageGroup = new Group;
  splashImageGroup->SetValue(1, const_cast<char*>("splashImageGroup"), 2, 0.0, 0.0, 0.0, 40, 1024.0, 0.0, 0.0, 0.0, 0.0,
                             0.0, 0.0, 512.0, 0.0, 1024.0, 512.0, 0.0, 0);

  splashImage = new GLPolygon;
  splashImage->SetValue(1, const_cast<char*>("splashImage"), 7, 0, 8, 1, 9, 3, 10, 1, 11, 1, 35, 0, 36, 0, 0);
  splashImage->SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 1024.0, 0.0, 0.0, 255, 255, 255,
                           255, 1024.0, 512.0, 0.0, 255, 255, 255, 255, 0.0, 512.0, 0.0);
  splashImage->SetNormals(4, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0);
  splashImage->SetTexCoords(4, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0);
  splashImageGroup->InsertObject(splashImage, true, false);

  mainText = new VesTextBox;
  mainText->SetValue(1, const_cast<char*>("mainText"), 2, 18.763271331787, 255.03303527832, 0.0, 8, 1, 9, 3, 10, 1, 11,
                     1, 18, 4, 21, 0, 0, 0, 107, 35, 0, 36, 0, 42, 0.0, 43, 17.0, 44, 16.0, 45, 1, 46, 0, 47, "Arial",
                     "Regular", 12, 49, 1.0, 48, 0, 0, 0, 0, 0, 50, 1, 51, static_cast<int>(LEFT), 52, 1, 0.13, 39, 39,
                     39, 206, 53, "This is text", 54, 0, 55, 1, 0);
  mainText->SetVertices(4, 0, 0, 0, 107, kTextLeft, kTextBottom, 0.0, 0, 0, 0, 107, kTextRight, kTextBottom, 0.0, 0, 0,
                        0, 107, kTextRight, kTextTop, 0.0, 0, 0, 0, 107, kTextLeft, kTextTop, 0.0);
  mainText->UpdateLayout();
  mainText->VerticalAlignment(ALIGN_TOP);
  mainText->Baseline(0.0f);
  mainText->BgColor(vesColor(255, 255, 255, 0));
  mainText->TextColor(vesColor(255, 255, 255, 255));
  mainText->CharScaling(1.0f);
  mainText->CharSpacing(1.0f);
  mainText->FauxBold(false);
  mainText->Inverse(false);
  mainText->StrikeThru(false);
  mainText->Underline(false);
  mainText->UpdateLayout();
  splashImageGroup->InsertObject(mainText, true, false);
  splashImageGroup->RecalculateBoundingBox();
  InsertObject(splashImageGroup, true, false);

  // Orthographic over the picture; the larger constraints keep all of it in any window shape.
  mainEye = new VesEyePoint;
  mainEye->SetValue(1, const_cast<char*>("mainEye"), 2, 512.0, 256.0, 1000.0, 43, 1, 44, 1024.0, 45, 1, 47, 1.0, 48,
                    5000.0, 0);
  mainEye->OtherOrthoSize(512.0);
  mainEye->HorizontalConstraint(FOV_CONSTRAINT_GREATER);
  mainEye->VerticalConstraint(FOV_CONSTRAINT_GREATER);
  InsertObject(mainEye, true, false);

  DesignSize(500, 500);
  SetResource("ComponentHeaderFile", "ActiveXSplash.h");
  FinishConstruction();
  PostInitialize();
}

VesPropString ActiveXSplashClass::MainMessage() {
  return mainText != nullptr ? VesPropString(mainText->String()) : VesPropString();
}

void ActiveXSplashClass::MainMessage(const VesPropString& text) {
  if (mainText != nullptr) mainText->String(text);
}
