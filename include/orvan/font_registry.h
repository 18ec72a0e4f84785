#pragma once

namespace orvan {

class VesFontBase;

// The process-wide registry through which text objects share fonts: each registered font with
// the number of its users, found by its key (name, style and size without blanks). Created on
// first use; every operation takes its lock.
namespace FontRegistry {

// The registered font of that name, style and size, or null.
VesFontBase* Find(const char* name, const char* style, int size);
// Enters font with no users yet (how the built-in font is entered). Null, or a font already
// registered, changes nothing.
void Add(VesFontBase* font);
// One more user: ignored for null and the built-in font; a font not yet registered is entered
// with one user.
void AddRef(VesFontBase* font);
// One user less: ignored for null and the built-in font. A font that is not registered is
// destroyed at once; a registered one is destroyed and removed when its last user leaves.
void Release(VesFontBase* font);
// The built-in default font ("Arial", "Regular", 12): the registered font of that key, built and
// added on first use. Releases never destroy the built-in font; it goes with the registry at the
// end of the program (or of the component library that holds this copy of the runtime), and
// every operation does nothing from then on.
VesFontBase* DefaultFont();
// True for the font DefaultFont built.
bool IsBuiltIn(const VesFontBase* font);
// The number of users of a registered font, or -1 when it is not registered.
int UserCount(const VesFontBase* font);

}  // namespace FontRegistry

}  // namespace orvan
