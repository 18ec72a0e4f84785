#pragma once
// X keysyms to the runtime's key codes.

namespace vessant {

// The runtime keysym for an X keysym: letters in lower case whatever the shift state; keypad
// keys without Num Lock give the keypad codes (keypad 9 as Page Up gives 0xFFB9), while the
// separate editing block keeps its own (Page Up 0xFF55); everything else passes unchanged.
int RuntimeKeysym(unsigned long xKeysym);

}  // namespace vessant
