// The splash display in the control: drawn with its picture and status line while nothing is
// loaded, carrying loading failures, giving way to a component for good once one was created.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <utility>

#include "splash/ActiveXSplash.h"
#include "support/headless_control.h"
#include "support/run_command.h"

namespace vessant {
namespace {

// Twice as wide as high, the window shows the 1024 x 512 picture at half size exactly.
constexpr int kWidth = 512, kHeight = 256;

using test::Instrument;

// Bottom-up pixel access, as the picture's coordinates run.
const std::uint8_t* Pixel(const RgbaImage& image, int x, int y) { return image.At(x, image.height - 1 - y); }
int Brightness(const RgbaImage& image, int x, int y) {
    const std::uint8_t* p = Pixel(image, x, y);
    return p[0] + p[1] + p[2];
}

// Rows (bottom-up) of the status line's area that hold white glyph pixels, and their count.
struct Ink {
    int low = -1, high = -1, pixels = 0;
};
Ink StatusInk(const RgbaImage& image) {
    Ink ink;
    for (int y = 0; y < 56; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (Brightness(image, x, y) < 500) continue;
            if (ink.low < 0) ink.low = y;
            ink.high = y;
            ++ink.pixels;
        }
    }
    return ink;
}

class SplashDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!control_.Ok()) GTEST_SKIP() << "no EGL display here";
        control_.Control().Properties().backgroundColor = 0x000000;
    }
    CTessaryCtrl& Ctrl() { return control_.Control(); }
    test::HeadlessControl control_{kWidth, kHeight};
};

TEST_F(SplashDisplay, WithoutAComponentThePictureAndTheFirstMessageAreDrawn) {
    EXPECT_EQ(Ctrl().SplashMessage(), "Please set control properties.");
    const RgbaImage image = control_.RenderFrame();
    ASSERT_EQ(image.width, kWidth);
    // The top bar of the first "E" of the lettering is near white.
    EXPECT_GT(Brightness(image, 84, 201), 600);
    // Between the lines of lettering the panel is a dark blue.
    const std::uint8_t* panel = Pixel(image, 30, 170);
    EXPECT_GT(panel[2], panel[0]);
    EXPECT_LT(Brightness(image, 30, 170), 200);
    // The status line's glyphs sit in the lower band.
    const Ink ink = StatusInk(image);
    EXPECT_GT(ink.pixels, 30);
}

TEST_F(SplashDisplay, ATwoLineMessageShowsTwoLinesTheFirstAtTheTop) {
    const Ink one = StatusInk(control_.RenderFrame());
    Ctrl().SetSplashMessage("Loading first line...\nsecond line");
    EXPECT_EQ(Ctrl().SplashMessage(), "Loading first line...\nsecond line");
    const Ink two = StatusInk(control_.RenderFrame());
    ASSERT_GT(one.pixels, 0);
    ASSERT_GT(two.pixels, 0);
    EXPECT_EQ(two.high / 3, one.high / 3);  // the first line stays at the top
    EXPECT_LT(two.low, one.low - 4);        // the second line lies below it
}

TEST_F(SplashDisplay, AComponentReplacesTheSplashWhichDoesNotComeBackAfterUnloading) {
    if (access(Instrument().c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    Ctrl().SetComponentFileName(Instrument());
    RgbaImage image = control_.RenderFrame();
    ASSERT_NE(Ctrl().Wrapper(), nullptr) << Ctrl().SplashMessage();
    EXPECT_LT(Brightness(image, 84, 201) + Brightness(image, 30, 170), 1000);
    EXPECT_EQ(StatusInk(image).pixels < 100 || Brightness(image, 30, 170) > 200, true);
    Ctrl().SetComponentFileName("");
    EXPECT_EQ(Ctrl().Wrapper(), nullptr);
    image = control_.RenderFrame();
    // Nothing but the black background is drawn.
    for (const auto& at : {std::pair<int, int>{84, 201}, {30, 170}, {256, 128}, {100, 30}})
        EXPECT_EQ(Brightness(image, at.first, at.second), 0) << at.first << "," << at.second;
}

}  // namespace
}  // namespace vessant
