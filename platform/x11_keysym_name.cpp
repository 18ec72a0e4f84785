#include "platform/x11_keysym_name.h"

#include <X11/Xlib.h>

namespace vessant {

unsigned long KeysymFromName(const std::string& name) {
    if (name.empty()) return 0;
    const KeySym keysym = XStringToKeysym(name.c_str());
    return keysym == NoSymbol ? 0 : static_cast<unsigned long>(keysym);
}

}  // namespace vessant
