#include "platform/x11_input_translator.h"

#include <gtest/gtest.h>

#include <X11/X.h>

namespace vessant {
namespace {

struct Pressed {
    MouseMessage message;
    unsigned flags;
};

Pressed Press(X11InputTranslator& input, unsigned button, int x, int y, unsigned long time, unsigned state = 0) {
    Pressed result{MouseMessage::Move, 0};
    EXPECT_TRUE(input.Press(button, x, y, time, state, &result.message, &result.flags));
    return result;
}

TEST(X11InputTranslator, SecondPressNearAndSoonIsADoubleClickAndAThirdStartsOver) {
    X11InputTranslator input;
    EXPECT_EQ(Press(input, Button1, 10, 10, 1000).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button1, 14, 6, 1500).message, MouseMessage::LButtonDblClk);
    EXPECT_EQ(Press(input, Button1, 14, 6, 1600).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button3, 14, 6, 1700).message, MouseMessage::RButtonDown);  // another button
    EXPECT_EQ(Press(input, Button3, 14, 6, 1800).message, MouseMessage::RButtonDblClk);
    EXPECT_EQ(Press(input, Button2, 0, 0, 2000).message, MouseMessage::MButtonDown);
    EXPECT_EQ(Press(input, Button2, 0, 0, 2000).message, MouseMessage::MButtonDblClk);
}

TEST(X11InputTranslator, TooLateOrTooFarIsASecondSingleClick) {
    X11InputTranslator input;
    Press(input, Button1, 10, 10, 1000);
    EXPECT_EQ(Press(input, Button1, 10, 10, 1501).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button1, 15, 10, 1600).message, MouseMessage::LButtonDown);
    // Server time wraps at 32 bits; a press just after the wrap still pairs.
    Press(input, Button1, 0, 0, 0xFFFFFF00ul);
    EXPECT_EQ(Press(input, Button1, 0, 0, 0x10ul).message, MouseMessage::LButtonDblClk);
}

TEST(X11InputTranslator, FlagsDescribeTheStateAfterTheEvent) {
    X11InputTranslator input;
    const Pressed down = Press(input, Button1, 0, 0, 10, ShiftMask);
    EXPECT_EQ(down.flags, unsigned(kMkLButton | kMkShift));

    MouseMessage message;
    unsigned flags = 0;
    ASSERT_TRUE(input.Release(Button1, Button1Mask | Button3Mask | ControlMask, &message, &flags));
    EXPECT_EQ(message, MouseMessage::LButtonUp);
    EXPECT_EQ(flags, unsigned(kMkRButton | kMkControl));

    // The wheel has no message.
    EXPECT_FALSE(input.Press(Button4, 0, 0, 20, 0, &message, &flags));
    EXPECT_FALSE(input.Release(Button5, 0, &message, &flags));
}

}  // namespace
}  // namespace vessant
