// Property numbers through which generated component code configures a text.
#include "orvan/font_registry.h"
#include "orvan/ves_text.h"

namespace orvan {

namespace {

vesColor Colour(va_list& args) {
  const unsigned char r = static_cast<unsigned char>(va_arg(args, int));
  const unsigned char g = static_cast<unsigned char>(va_arg(args, int));
  const unsigned char b = static_cast<unsigned char>(va_arg(args, int));
  const unsigned char a = static_cast<unsigned char>(va_arg(args, int));
  return vesColor(r, g, b, a);
}

float Real(va_list& args) { return static_cast<float>(va_arg(args, double)); }

}  // namespace

void VesText::SetValue(int property, va_list& args) {
  switch (property) {
    case 42: border = Real(args); break;
    case 43: cellHeight = Real(args); break;
    case 44: cellWidth = Real(args); break;
    case 45: constrainCellRatio = va_arg(args, int) != 0; break;
    case 46: controlCellSize = va_arg(args, int) != 0; break;
    case 47: {
      const char* name = va_arg(args, const char*);
      const char* style = va_arg(args, const char*);
      const int size = va_arg(args, int);
      Font(FontRegistry::Find(name, style, size));
      break;
    }
    case 48:
      halo = va_arg(args, int) != 0;
      haloColor = Colour(args);
      return;  // appearance only
    case 49: lineSpacing = Real(args); break;
    case 50: lockCellSize = va_arg(args, int) != 0; break;
    case 51: justify = static_cast<Justify_t>(va_arg(args, int)); break;
    case 52:
      shadow = va_arg(args, int) != 0;
      shadowDistance = Real(args);
      shadowColor = Colour(args);
      return;
    case 53: String(va_arg(args, const char*)); break;
    case 54:
      uppercase = va_arg(args, int) != 0;
      return;
    case 55: wrapText = va_arg(args, int) != 0; break;
    default:
      GLPolygon::SetValue(property, args);
      return;
  }
  layoutDirty = true;
}

}  // namespace orvan
