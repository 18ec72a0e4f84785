// Property numbers through which generated component code configures a text.
#include "display/value_args.h"
#include "orvan/font_registry.h"
#include "orvan/ves_text.h"
#include "orvan/value_specs.h"

namespace orvan {

using value_args::Colour;
using value_args::Real;

void VesText::SetValue(int property, va_list& args) {
  switch (property) {
    case spec::kTextBorder: border = Real(args); break;
    case spec::kTextCellHeight: cellHeight = Real(args); break;
    case spec::kTextCellWidth: cellWidth = Real(args); break;
    case spec::kTextConstrainCellRatio: constrainCellRatio = va_arg(args, int) != 0; break;
    case spec::kTextControlCellSize: controlCellSize = va_arg(args, int) != 0; break;
    case spec::kTextFont: {
      const char* name = va_arg(args, const char*);
      const char* style = va_arg(args, const char*);
      const int size = va_arg(args, int);
      Font(FontRegistry::Find(name, style, size));
      break;
    }
    case spec::kTextHalo:
      halo = va_arg(args, int) != 0;
      haloColor = Colour(args);
      return;  // appearance only
    case spec::kTextLineSpacing: lineSpacing = Real(args); break;
    case spec::kTextLockCellSize: lockCellSize = va_arg(args, int) != 0; break;
    case spec::kTextJustify: justify = static_cast<Justify_t>(va_arg(args, int)); break;
    case spec::kTextShadow:
      shadow = va_arg(args, int) != 0;
      shadowDistance = Real(args);
      shadowColor = Colour(args);
      return;
    case spec::kTextString: String(va_arg(args, const char*)); break;
    case spec::kTextUppercase:
      uppercase = va_arg(args, int) != 0;
      return;
    case spec::kTextWrap: wrapText = va_arg(args, int) != 0; break;
    default:
      GLPolygon::SetValue(property, args);
      return;
  }
  layoutDirty = true;
}

}  // namespace orvan
