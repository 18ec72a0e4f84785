// X keysyms to the runtime's key codes, through the names xdotool and the script mode use.
#include <gtest/gtest.h>

#include <utility>

#include "control/key_mapping.h"
#include "orvan/keyboard_event.h"
#include "platform/x11_keysym_name.h"

namespace vessant {
namespace {

int Mapped(const char* name) { return RuntimeKeysym(KeysymFromName(name)); }

TEST(KeyMapping, NamesGiveTheRuntimesCodes) {
    const std::pair<const char*, int> cases[] = {
        // Letters are lower case whatever the shift state.
        {"a", 0x61}, {"A", 0x61}, {"Z", 0x7A}, {"1", 0x31}, {"space", orvan::KEYSYM_SPACE},
        // The keypad without Num Lock gives the keypad codes (9 as Page Up), with it the same.
        {"KP_Prior", orvan::KEYSYM_KP_PAGE_UP}, {"KP_Page_Up", 0xFFB9}, {"KP_Begin", 0xFFB5}, {"KP_Home", 0xFFB7},
        {"KP_Insert", 0xFFB0}, {"KP_Delete", orvan::KEYSYM_KP_DECIMAL}, {"KP_9", 0xFFB9}, {"KP_5", 0xFFB5},
        // The editing block and the function keys keep their codes.
        {"Prior", orvan::KEYSYM_PAGE_UP}, {"Next", orvan::KEYSYM_PAGE_DOWN}, {"Home", orvan::KEYSYM_HOME},
        {"Delete", orvan::KEYSYM_DELETE}, {"F1", orvan::KEYSYM_F1}, {"F12", orvan::FunctionKeysym(12)},
        {"Shift_L", orvan::KEYSYM_SHIFT_L},
    };
    for (const auto& [name, code] : cases) EXPECT_EQ(Mapped(name), code) << name;
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_5")), '5');
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_Enter")), '\r');
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("Prior")), 0);
    EXPECT_EQ(KeysymFromName("NoSuchKey"), 0ul);
    EXPECT_EQ(RuntimeKeysym(0x1000041), 0);  // a Unicode keysym is no key we report
}

}  // namespace
}  // namespace vessant
