#include "splash/ActiveXSplash.h"

#include "splash_picture.h"

#include "orvan/attrib_dict.h"
#include "orvan/attribute_property.h"
#include "orvan/eye_point.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/material_list.h"
#include "orvan/texture_palette.h"
#include "orvan/value_specs.h"
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

DisplayObject* ActiveXSplashClass::CloneObject(bool generateNames) { return FinishClone(new ActiveXSplashClass, generateNames); }

MethodDescriptionList* ActiveXSplashClass::GetMethodDescriptions(MethodDescriptionList* list) {
  return DescribeMethods(list, kSplashMethods);
}

void ActiveXSplashClass::Initialize() {
  objects.Resize(4);

  backgroundPoly = new GLPolygon;
  backgroundPoly->SetValue(spec::kInstanceName, const_cast<char*>("backgroundPoly"), spec::kPolygonMode,
                           spec::kPolygonFilledOutlined, spec::kShading, spec::kShadingGouraud, spec::kLightingEnabled,
                           0, spec::kMaterialIndex, 0, spec::kColor, 14, 20, 34, 255, spec::kTexturePoints, 1.0, 0.0,
                           0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 1.0, 1.0, 0.0, spec::kEnd);
  // Behind the picture only: it shows through the rounded corners; around the picture the
  // control's own background stays visible.
  backgroundPoly->SetVertices(4, 14, 20, 34, 255, 0.0, 0.0, -10.0, 14, 20, 34, 255, 1024.0, 0.0, -10.0, 14, 20, 34, 255,
                              1024.0, 512.0, -10.0, 14, 20, 34, 255, 0.0, 512.0, -10.0);
  backgroundPoly->SetNormals(4, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0);
  InsertObject(backgroundPoly, true, false);

  splashImageGroup = new Group;
  splashImageGroup->SetValue(spec::kInstanceName, const_cast<char*>("splashImageGroup"), spec::kLocation, 0.0, 0.0, 0.0,
                             spec::kTexturePoints, 1024.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 512.0, 0.0, 1024.0, 512.0,
                             0.0, spec::kEnd);

  splashImage = new GLPolygon;
  splashImage->SetValue(spec::kInstanceName, const_cast<char*>("splashImage"), spec::kTextureIndex, 0,
                        spec::kTextureRepeat, 1, spec::kTextureMap, spec::kTextureReplace, spec::kTextureMinFilter,
                        spec::kFilterLinear, spec::kTextureMagFilter, spec::kFilterLinear, spec::kLightingEnabled, 0,
                        spec::kMaterialIndex, 0, spec::kEnd);
  splashImage->SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 1024.0, 0.0, 0.0, 255, 255, 255,
                           255, 1024.0, 512.0, 0.0, 255, 255, 255, 255, 0.0, 512.0, 0.0);
  splashImage->SetNormals(4, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0);
  splashImage->SetTexCoords(4, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0);
  splashImageGroup->InsertObject(splashImage, true, false);

  mainText = new VesTextBox;
  mainText->SetValue(spec::kInstanceName, const_cast<char*>("mainText"), spec::kLocation, 18.763271331787,
                     255.03303527832, 0.0, spec::kTextureRepeat, 1, spec::kTextureMap, spec::kTextureReplace,
                     spec::kTextureMinFilter, spec::kFilterLinear, spec::kTextureMagFilter, spec::kFilterLinear,
                     spec::kPolygonMode, spec::kPolygonFilledOutlined, spec::kColor, 0, 0, 0, 107,
                     spec::kLightingEnabled, 0, spec::kMaterialIndex, 0, spec::kTextBorder, 0.0, spec::kTextCellHeight,
                     17.0, spec::kTextCellWidth, 16.0, spec::kTextConstrainCellRatio, 1, spec::kTextControlCellSize, 0,
                     spec::kTextFont, "Arial", "Regular", 12, spec::kTextLineSpacing, 1.0, spec::kTextHalo, 0, 0, 0, 0,
                     0, spec::kTextLockCellSize, 1, spec::kTextJustify, static_cast<int>(LEFT), spec::kTextShadow, 1,
                     0.13, 39, 39, 39, 206, spec::kTextString, "This is text", spec::kTextUppercase, 0,
                     spec::kTextWrap, 1, spec::kEnd);
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
  mainEye->SetValue(spec::kInstanceName, const_cast<char*>("mainEye"), spec::kLocation, 512.0, 256.0, 1000.0,
                    spec::kEyeOrthographic, 1, spec::kEyeOrthoSize, 1024.0, spec::kEyeFovIsHorizontal, 1,
                    spec::kEyeNearClip, 1.0, spec::kEyeFarClip, 5000.0, spec::kEnd);
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
