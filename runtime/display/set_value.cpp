// Property numbers through which generated component code configures objects.
#include "display/value_args.h"
#include "orvan/display_object.h"
#include "orvan/value_specs.h"

namespace orvan {

using value_args::Byte;
using value_args::Colour;
using value_args::Real;

void DisplayObject::SetValue(int property, ...) {
  va_list args;
  va_start(args, property);
  while (property != 0) {
    SetValue(property, args);
    property = va_arg(args, int);
  }
  va_end(args);
}

void DisplayObject::SetValue(int property, va_list& args) {
  switch (property) {
    case spec::kInstanceName:
      InstanceName(va_arg(args, char*));
      break;
    case spec::kLocation: {
      const float x = Real(args);
      const float y = Real(args);
      const float z = Real(args);
      Location(x, y, z);
      break;
    }
    case spec::kRotationPoint: {
      const float x = Real(args);
      const float y = Real(args);
      const float z = Real(args);
      RotationPoint(x, y, z);
      break;
    }
    case spec::kTextureIndex: textureIndex = va_arg(args, int); break;
    case spec::kTextureRepeat: textureRepeat = Byte(args); break;
    case spec::kTextureMap: textureMap = Byte(args); break;
    case spec::kTextureMinFilter: textureMinFilter = Byte(args); break;
    case spec::kTextureMagFilter: textureMagFilter = Byte(args); break;
    case spec::kBlendColor: blendColor = Colour(args); break;
    case spec::kPolygonMode: polygonMode = Byte(args); break;
    case spec::kPolygonEnd: polygonEnd = Byte(args); break;
    case spec::kPolygonOffset: polygonOffset = va_arg(args, int); break;
    case spec::kColor: color = Colour(args); break;
    case spec::kColorMaterialMode: colorMaterialMode = Byte(args); break;
    case spec::kLineWidth: lineWidth = Real(args); break;
    case spec::kLineStipplePattern: lineStipplePattern = static_cast<unsigned short>(va_arg(args, int)); break;
    case spec::kLineStippleMultiplier: lineStippleMultiplier = Byte(args); break;
    case spec::kVisible: visible = va_arg(args, int) != 0; break;
    case spec::kCullBackFace: cullBackFace = Byte(args); break;
    case spec::kAlphaMode: alphaMode = va_arg(args, int); break;
    case spec::kAntiAlias: antiAlias = va_arg(args, int) != 0; break;
    case spec::kDepthTest: depthTest = Byte(args); break;
    case spec::kShading: shading = va_arg(args, int); break;
    case spec::kBlinking: blinking = va_arg(args, int) != 0; break;
    case spec::kBlinkRate: blinkRate = Real(args); break;
    case spec::kPickable: pickable = Byte(args); break;
    case spec::kLightingEnabled: lightingEnabled = va_arg(args, int) != 0; break;
    case spec::kMaterialIndex: materialIndex = va_arg(args, int); break;
    case spec::kDcsMatrix: {
      VesMatrix<double, 4> m;
      for (int i = 0; i < 16; ++i) m.data[i] = va_arg(args, double);
      DCSMatrix(m);
      break;
    }
    case spec::kTexturePoints:
      for (Vector& point : texturePoints) {
        const float x = Real(args);
        const float y = Real(args);
        const float z = Real(args);
        point = Vector(x, y, z);
      }
      break;
    default:
      // Unknown numbers take no arguments and change nothing.
      break;
  }
}

}  // namespace orvan
