// Property numbers through which generated component code configures objects.
#include "orvan/display_object.h"

namespace orvan {

namespace {

unsigned char Byte(va_list& args) { return static_cast<unsigned char>(va_arg(args, int)); }

float Real(va_list& args) { return static_cast<float>(va_arg(args, double)); }

vesColor Colour(va_list& args) {
  const unsigned char r = Byte(args);
  const unsigned char g = Byte(args);
  const unsigned char b = Byte(args);
  const unsigned char a = Byte(args);
  return vesColor(r, g, b, a);
}

}  // namespace

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
    case 1:
      InstanceName(va_arg(args, char*));
      break;
    case 2: {
      const float x = Real(args);
      const float y = Real(args);
      const float z = Real(args);
      Location(x, y, z);
      break;
    }
    case 3: {
      const float x = Real(args);
      const float y = Real(args);
      const float z = Real(args);
      RotationPoint(x, y, z);
      break;
    }
    case 7: textureIndex = va_arg(args, int); break;
    case 8: textureRepeat = Byte(args); break;
    case 9: textureMap = Byte(args); break;
    case 10: textureMinFilter = Byte(args); break;
    case 11: textureMagFilter = Byte(args); break;
    case 12: blendColor = Colour(args); break;
    case 18: polygonMode = Byte(args); break;
    case 19: polygonEnd = Byte(args); break;
    case 20: polygonOffset = va_arg(args, int); break;
    case 21: color = Colour(args); break;
    case 22: colorMaterialMode = Byte(args); break;
    case 23: lineWidth = Real(args); break;
    case 24: lineStipplePattern = static_cast<unsigned short>(va_arg(args, int)); break;
    case 25: lineStippleMultiplier = Byte(args); break;
    case 26: visible = va_arg(args, int) != 0; break;
    case 27: cullBackFace = Byte(args); break;
    case 28: alphaMode = va_arg(args, int); break;
    case 29: antiAlias = va_arg(args, int) != 0; break;
    case 30: depthTest = Byte(args); break;
    case 31: shading = va_arg(args, int); break;
    case 32: blinking = va_arg(args, int) != 0; break;
    case 33: blinkRate = Real(args); break;
    case 34: pickable = Byte(args); break;
    case 35: lightingEnabled = va_arg(args, int) != 0; break;
    case 36: materialIndex = va_arg(args, int); break;
    case 37: {
      VesMatrix<double, 4> m;
      for (int i = 0; i < 16; ++i) m.data[i] = va_arg(args, double);
      DCSMatrix(m);
      break;
    }
    case 40:
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
