#pragma once

#include "orvan/display_event.h"

namespace orvan {

// Key codes (KeyboardEvent::keysym), in the X Window System keysym encoding. Printable keys
// give their lower-case character; the rest are below. Keys that exist both on the keypad and
// in the separate cursor and editing block have a KEYSYM_KP_ code for the keypad one.
constexpr int KEYSYM_BACKSPACE = 0xFF08;
constexpr int KEYSYM_TAB = 0xFF09;
constexpr int KEYSYM_CLEAR = 0xFF0B;
constexpr int KEYSYM_KP_CLEAR = 0xFFB5;  // keypad 5 without Num Lock
constexpr int KEYSYM_ENTER = 0xFF0D;
constexpr int KEYSYM_KP_ENTER = 0xFF8D;
constexpr int KEYSYM_SHIFT_L = 0xFFE1;
constexpr int KEYSYM_SHIFT_R = 0xFFE2;
constexpr int KEYSYM_CONTROL_L = 0xFFE3;
constexpr int KEYSYM_CONTROL_R = 0xFFE4;
constexpr int KEYSYM_ALT_L = 0xFFE9;
constexpr int KEYSYM_ALT_R = 0xFFEA;
constexpr int KEYSYM_PAUSE = 0xFF13;
constexpr int KEYSYM_CAPS_LOCK = 0xFFE5;
constexpr int KEYSYM_ESCAPE = 0xFF1B;
constexpr int KEYSYM_SPACE = 0x20;
constexpr int KEYSYM_PAGE_UP = 0xFF55;
constexpr int KEYSYM_KP_PAGE_UP = 0xFFB9;
constexpr int KEYSYM_PAGE_DOWN = 0xFF56;
constexpr int KEYSYM_KP_PAGE_DOWN = 0xFFB3;
constexpr int KEYSYM_END = 0xFF57;
constexpr int KEYSYM_KP_END = 0xFFB1;
constexpr int KEYSYM_HOME = 0xFF50;
constexpr int KEYSYM_KP_HOME = 0xFFB7;
constexpr int KEYSYM_LEFT = 0xFF51;
constexpr int KEYSYM_KP_LEFT = 0xFFB4;
constexpr int KEYSYM_UP = 0xFF52;
constexpr int KEYSYM_KP_UP = 0xFFB8;
constexpr int KEYSYM_RIGHT = 0xFF53;
constexpr int KEYSYM_KP_RIGHT = 0xFFB6;
constexpr int KEYSYM_DOWN = 0xFF54;
constexpr int KEYSYM_KP_DOWN = 0xFFB2;
constexpr int KEYSYM_PRINT_SCREEN = 0xFF61;
constexpr int KEYSYM_INSERT = 0xFF63;
constexpr int KEYSYM_KP_INSERT = 0xFFB0;
constexpr int KEYSYM_DELETE = 0xFFFF;
constexpr int KEYSYM_KP_DELETE = 0xFFAE;
constexpr int KEYSYM_WINDOWS_L = 0xFFE7;
constexpr int KEYSYM_WINDOWS_R = 0xFFE8;
constexpr int KEYSYM_MENU = 0xFF67;
constexpr int KEYSYM_KP_0 = 0xFFB0;  // keypad digits run on to KEYSYM_KP_9
constexpr int KEYSYM_KP_9 = 0xFFB9;
constexpr int KEYSYM_KP_MULTIPLY = 0xFFAA;
constexpr int KEYSYM_KP_ADD = 0xFFAB;
constexpr int KEYSYM_KP_SUBTRACT = 0xFFAD;
constexpr int KEYSYM_KP_DECIMAL = 0xFFAE;
constexpr int KEYSYM_KP_DIVIDE = 0xFFAF;
constexpr int KEYSYM_NUM_LOCK = 0xFF7F;
constexpr int KEYSYM_SCROLL_LOCK = 0xFF14;
constexpr int KEYSYM_F1 = 0xFFBE;  // function keys run on to KEYSYM_F16
constexpr int KEYSYM_F16 = 0xFFCD;
constexpr int KEYSYM_SEMICOLON = 0x3B;
constexpr int KEYSYM_EQUALS = 0x3D;
constexpr int KEYSYM_COMMA = 0x2C;
constexpr int KEYSYM_MINUS = 0x2D;
constexpr int KEYSYM_PERIOD = 0x2E;
constexpr int KEYSYM_SLASH = 0x2F;
constexpr int KEYSYM_GRAVE = 0x60;
constexpr int KEYSYM_BRACKET_LEFT = 0x5B;
constexpr int KEYSYM_BACKSLASH = 0x5C;
constexpr int KEYSYM_BRACKET_RIGHT = 0x5D;
constexpr int KEYSYM_APOSTROPHE = 0x27;

// The keysym of function key n (1 to 16).
constexpr int FunctionKeysym(int n) { return KEYSYM_F1 + n - 1; }
// The keysym of keypad digit d (0 to 9).
constexpr int KeypadDigitKeysym(int d) { return KEYSYM_KP_0 + d; }

// The character a keypad key stands for: codes 0xFF80 to 0xFFBD map to their low byte plus 128
// (as a signed 8-bit value), so keypad 0 gives '0' and keypad Enter a carriage return; 0 for
// every other code.
constexpr int KeypadCharacter(int keysym) {
  return keysym >= 0xFF80 && keysym <= 0xFFBD ? static_cast<signed char>(((keysym & 0xFF) + 128) & 0xFF) : 0;
}

// A key pressed (EVENT_KEYBOARD) or released (EVENT_KEYBOARD_UP); its location is the last
// known pointer position.
class KeyboardEvent : public LocationEvent {
 public:
  KeyboardEvent() : keysym(0), ascii(0), modifiers(0) { eventType = EVENT_KEYBOARD; }
  KeyboardEvent(unsigned short type, int keysym_, int ascii_ = 0, int modifiers_ = 0)
      : keysym(keysym_), ascii(ascii_), modifiers(modifiers_) {
    eventType = type;
  }

  int keysym;
  int ascii;  // the character produced, as a signed 8-bit value, or 0
  int modifiers;
};

}  // namespace orvan
