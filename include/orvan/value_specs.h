#pragma once
// Names for the property numbers of DisplayObject::SetValue chains and for the values of the
// mode fields those chains set. The numbers are fixed: generated components pass them as plain
// integers, so every name here stands for exactly the number it has always had.
//
//   p->SetValue(spec::kInstanceName, "dial", spec::kPolygonMode, spec::kPolygonFilled, spec::kEnd);
//
// Integer arguments travel as int, real ones as double; a chain ends with kEnd.

namespace orvan::spec {

constexpr int kEnd = 0;  // ends a chain

// Every display object.
constexpr int kInstanceName = 1;           // char*
constexpr int kLocation = 2;               // 3 doubles
constexpr int kRotationPoint = 3;          // 3 doubles
constexpr int kTextureIndex = 7;           // int
constexpr int kTextureRepeat = 8;          // int
constexpr int kTextureMap = 9;             // int, see kTextureModulate ...
constexpr int kTextureMinFilter = 10;      // int, see kFilterNearest ...
constexpr int kTextureMagFilter = 11;      // int
constexpr int kBlendColor = 12;            // 4 ints r, g, b, a
constexpr int kPolygonMode = 18;           // int, see kPolygonPoints ...
constexpr int kPolygonEnd = 19;            // int, see kPolygonClosed
constexpr int kPolygonOffset = 20;         // int
constexpr int kColor = 21;                 // 4 ints r, g, b, a
constexpr int kColorMaterialMode = 22;     // int
constexpr int kLineWidth = 23;             // double
constexpr int kLineStipplePattern = 24;    // int
constexpr int kLineStippleMultiplier = 25; // int
constexpr int kVisible = 26;               // int
constexpr int kCullBackFace = 27;          // int
constexpr int kAlphaMode = 28;             // int, see kAlphaOpaque ...
constexpr int kAntiAlias = 29;             // int
constexpr int kDepthTest = 30;             // int, see kDepthOff ...
constexpr int kShading = 31;               // int, see kShadingFlat ...
constexpr int kBlinking = 32;              // int
constexpr int kBlinkRate = 33;             // double
constexpr int kPickable = 34;              // int, see kPickNever ...
constexpr int kLightingEnabled = 35;       // int
constexpr int kMaterialIndex = 36;         // int
constexpr int kDcsMatrix = 37;             // 16 doubles, column-major
constexpr int kTexturePoints = 40;         // 12 doubles: four points

// Components.
constexpr int kAbsolutePlacement = 38;  // int
constexpr int kComponentMatrix = 39;    // 16 doubles, column-major

// Eye points (the same numbers mean other things on lights and texts).
constexpr int kEyeFov = 42;             // double, degrees
constexpr int kEyeOrthographic = 43;    // int
constexpr int kEyeOrthoSize = 44;       // double
constexpr int kEyeFovIsHorizontal = 45; // int
constexpr int kEyeNearClip = 47;        // double
constexpr int kEyeFarClip = 48;         // double
constexpr int kEyeViewVectors = 50;     // 9 doubles: x, y, z

// Lights.
constexpr int kLightAmbient = 42;               // 4 ints r, g, b, a
constexpr int kLightDiffuse = 43;               // 4 ints
constexpr int kLightSpecular = 44;              // 4 ints
constexpr int kLightSpotCutoff = 45;            // double, degrees
constexpr int kLightSpotExponent = 46;          // double
constexpr int kLightConstantAttenuation = 47;   // double
constexpr int kLightLinearAttenuation = 48;     // double
constexpr int kLightQuadraticAttenuation = 49;  // double

// Texts and text boxes.
constexpr int kTextBorder = 42;             // double
constexpr int kTextCellHeight = 43;         // double
constexpr int kTextCellWidth = 44;          // double
constexpr int kTextConstrainCellRatio = 45; // int
constexpr int kTextControlCellSize = 46;    // int
constexpr int kTextFont = 47;               // const char* name, const char* style, int size
constexpr int kTextHalo = 48;               // int, then 4 ints r, g, b, a
constexpr int kTextLineSpacing = 49;        // double
constexpr int kTextLockCellSize = 50;       // int
constexpr int kTextJustify = 51;            // int (Justify_t)
constexpr int kTextShadow = 52;             // int, double distance, 4 ints r, g, b, a
constexpr int kTextString = 53;             // const char*
constexpr int kTextUppercase = 54;          // int
constexpr int kTextWrap = 55;               // int

// Values of kPolygonMode.
constexpr int kPolygonPoints = 1;
constexpr int kPolygonOutline = 2;
constexpr int kPolygonFilled = 3;
constexpr int kPolygonFilledOutlined = 4;
// Values of kPolygonEnd: closed, any other value leaves an outline open.
constexpr int kPolygonOpen = 0;
constexpr int kPolygonClosed = 1;

// Values of kDepthTest.
constexpr int kDepthOff = 0;
constexpr int kDepthTestAndWrite = 1;
constexpr int kDepthTestOnly = 2;  // tested, not written: the default
constexpr int kDepthAlways = 3;    // always passes, written

// Values of kAlphaMode.
constexpr int kAlphaOpaque = 1;
constexpr int kAlphaTwoLevel = 2;
constexpr int kAlphaBlend = 3;  // 256 levels: the default

// Values of kPickable.
constexpr int kPickNever = 0;
constexpr int kPickFirstHit = 1;  // groups: the first child hit, from the last drawn, wins
constexpr int kPickNearest = 2;   // groups: the child hit nearest the eye wins
constexpr int kPickWhole = 3;     // the object itself, without a geometric test

// Values of kShading.
constexpr int kShadingFlat = 0;
constexpr int kShadingGouraud = 1;

// Values of kTextureMap.
constexpr int kTextureModulate = 0;
constexpr int kTextureDecal = 1;
constexpr int kTextureBlend = 2;
constexpr int kTextureReplace = 3;

// Values of kTextureMinFilter and kTextureMagFilter (the magnification filter takes the first two).
constexpr int kFilterNearest = 0;
constexpr int kFilterLinear = 1;
constexpr int kFilterNearestMipmapNearest = 2;
constexpr int kFilterLinearMipmapLinear = 3;
constexpr int kFilterNearestMipmapLinear = 4;
constexpr int kFilterLinearMipmapNearest = 5;

}  // namespace orvan::spec
