#include "control/key_mapping.h"

namespace vessant {

int RuntimeKeysym(unsigned long x) {
    if (x >= 'A' && x <= 'Z') return static_cast<int>(x - 'A' + 'a');
    // The keypad's cursor meanings (Home 0xFF95 ... Delete 0xFF9F) stand for its digits.
    switch (x) {
        case 0xFF95: return 0xFFB7;  // KP_Home: 7
        case 0xFF96: return 0xFFB4;  // KP_Left: 4
        case 0xFF97: return 0xFFB8;  // KP_Up: 8
        case 0xFF98: return 0xFFB6;  // KP_Right: 6
        case 0xFF99: return 0xFFB2;  // KP_Down: 2
        case 0xFF9A: return 0xFFB9;  // KP_Prior: 9
        case 0xFF9B: return 0xFFB3;  // KP_Next: 3
        case 0xFF9C: return 0xFFB1;  // KP_End: 1
        case 0xFF9D: return 0xFFB5;  // KP_Begin: 5
        case 0xFF9E: return 0xFFB0;  // KP_Insert: 0
        case 0xFF9F: return 0xFFAE;  // KP_Delete: decimal point
        default: break;
    }
    // Latin-1 and the function-key page map one to one; other pages are not keys we report.
    if (x <= 0xFF || (x >= 0xFF00 && x <= 0xFFFF)) return static_cast<int>(x);
    return 0;
}

}  // namespace vessant
