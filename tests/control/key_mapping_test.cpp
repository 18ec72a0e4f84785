// X keysyms to the runtime's key codes, through the names xdotool and the script mode use.
#include <gtest/gtest.h>

#include "control/key_mapping.h"
#include "orvan/keyboard_event.h"
#include "platform/x11_keysym_name.h"

namespace vessant {
namespace {

int Mapped(const char* name) { return RuntimeKeysym(KeysymFromName(name)); }

TEST(KeyMapping, LettersAreLowerCaseWhateverTheShiftState) {
    EXPECT_EQ(Mapped("a"), 0x61);
    EXPECT_EQ(Mapped("A"), 0x61);
    EXPECT_EQ(Mapped("Z"), 0x7A);
    EXPECT_EQ(Mapped("1"), 0x31);
    EXPECT_EQ(Mapped("space"), orvan::KEYSYM_SPACE);
}

TEST(KeyMapping, KeypadWithoutNumLockGivesTheKeypadCodes) {
    EXPECT_EQ(Mapped("KP_Prior"), orvan::KEYSYM_KP_PAGE_UP);  // keypad 9 as Page Up
    EXPECT_EQ(Mapped("KP_Page_Up"), 0xFFB9);
    EXPECT_EQ(Mapped("KP_Begin"), 0xFFB5);
    EXPECT_EQ(Mapped("KP_Home"), 0xFFB7);
    EXPECT_EQ(Mapped("KP_Insert"), 0xFFB0);
    EXPECT_EQ(Mapped("KP_Delete"), orvan::KEYSYM_KP_DECIMAL);
    // With Num Lock the digits are the same codes.
    EXPECT_EQ(Mapped("KP_9"), 0xFFB9);
    EXPECT_EQ(Mapped("KP_5"), 0xFFB5);
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_5")), '5');
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_Enter")), '\r');
}

TEST(KeyMapping, EditingBlockAndFunctionKeysKeepTheirCodes) {
    EXPECT_EQ(Mapped("Prior"), orvan::KEYSYM_PAGE_UP);
    EXPECT_EQ(Mapped("Next"), orvan::KEYSYM_PAGE_DOWN);
    EXPECT_EQ(Mapped("Home"), orvan::KEYSYM_HOME);
    EXPECT_EQ(Mapped("Delete"), orvan::KEYSYM_DELETE);
    EXPECT_EQ(Mapped("F1"), orvan::KEYSYM_F1);
    EXPECT_EQ(Mapped("F12"), orvan::FunctionKeysym(12));
    EXPECT_EQ(Mapped("Shift_L"), orvan::KEYSYM_SHIFT_L);
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("Prior")), 0);
    EXPECT_EQ(KeysymFromName("NoSuchKey"), 0ul);
    EXPECT_EQ(RuntimeKeysym(0x1000041), 0);  // a Unicode keysym is no key we report
}

}  // namespace
}  // namespace vessant
