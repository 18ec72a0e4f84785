// What a frame clears to, and what offscreen (snapshot) rendering leaves transparent; the
// splash display drawn with its picture and status line while nothing is loaded, carrying
// loading failures, giving way to a component for good once one was created.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "orvan/group.h"
#include "splash/ActiveXSplash.h"
#include "support/headless_control.h"
#include "support/run_command.h"

namespace vessant {
namespace {

// Every pixel of the image has this colour; reports the first that differs.
::testing::AssertionResult AllPixels(const RgbaImage& image, int r, int g, int b, int a) {
    if (image.width == 0 || image.height == 0) return ::testing::AssertionFailure() << "empty image";
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            if (p[0] != r || p[1] != g || p[2] != b || p[3] != a)
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << int(p[0]) << ","
                                                     << int(p[1]) << "," << int(p[2]) << "," << int(p[3]);
        }
    return ::testing::AssertionSuccess();
}

// An image of this size without pixels (a target for offscreen rendering), or filled with rgb.
RgbaImage Sized(int width, int height) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    return image;
}
RgbaImage Plain(int width, int height, const std::uint8_t* rgb) {
    RgbaImage image = Sized(width, height);
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {rgb[0], rgb[1], rgb[2], 255});
    return image;
}

// Controls that draw an empty object in place of the splash: their frames are background only.
class Background : public ::testing::Test {
protected:
    test::HeadlessControl* Make(int width, int height, const HeadlessOptions& options = HeadlessOptions()) {
        hc_ = std::make_unique<test::HeadlessControl>(width, height, options);
        if (!hc_->Ok()) return nullptr;
        hc_->SetDrawnObject(&nothing_);
        return hc_.get();
    }
    orvan::Group nothing_;
    std::unique_ptr<test::HeadlessControl> hc_;
};

TEST_F(Background, ContainerAmbientColourOrBackgroundColor) {
    HeadlessOptions options;
    options.ambientBackColor = 0x00FF00;
    test::HeadlessControl* hc = Make(40, 30, options);
    if (!hc) GTEST_SKIP() << "no EGL here";
    hc->Control().SetBackgroundColor(0x0000FF);  // ignored while the container's colour is used
    EXPECT_TRUE(AllPixels(hc->RenderFrame(), 0, 255, 0, 255));
    hc->Control().SetUseContainerBackground(false);
    EXPECT_TRUE(AllPixels(hc->RenderFrame(), 0, 0, 255, 255));
    hc->Control().SetBackgroundColor(0x804020);
    EXPECT_TRUE(AllPixels(hc->RenderFrame(), 0x80, 0x40, 0x20, 255));
}

TEST_F(Background, OffscreenRenderingIsOpaqueWithDrawBackgroundAndLeavesTheRedKeyTransparent) {
    test::HeadlessControl* hc = Make(24, 16);
    if (!hc) GTEST_SKIP() << "no EGL here";
    hc->Control().SetUseContainerBackground(false);
    hc->Control().SetBackgroundColor(0x0000FF);
    RgbaImage other = Sized(50, 10);  // another size than the window: the working surface follows
    ASSERT_TRUE(hc->Control().RenderMetafile(other));
    EXPECT_TRUE(AllPixels(other, 0, 0, 255, 255));
    // The window's own frames go on afterwards.
    EXPECT_TRUE(AllPixels(hc->RenderFrame(), 0, 0, 255, 255));

    hc->Control().SetDrawBackground(false);  // UseContainerBackground has no effect without it
    EXPECT_TRUE(AllPixels(hc->RenderFrame(), 255, 0, 0, 255));
    // Offscreen, the key colour leaves the target untouched: transparent here.
    RgbaImage snapshot = Sized(24, 16);
    ASSERT_TRUE(hc->Control().RenderMetafile(snapshot));
    EXPECT_TRUE(AllPixels(snapshot, 0, 0, 0, 0));
    // And a target that already holds pixels keeps them.
    snapshot.pixels.assign(snapshot.pixels.size(), 7);
    ASSERT_TRUE(hc->Control().RenderMetafile(snapshot));
    EXPECT_TRUE(AllPixels(snapshot, 7, 7, 7, 7));
}

TEST_F(Background, SnapshotOfTheLastFrameIsWhatOffscreenRenderingGives) {
    test::HeadlessControl* hc = Make(24, 16);
    if (!hc) GTEST_SKIP() << "no EGL here";
    hc->Control().SetTargetFrameRate(0);
    RgbaImage snapshot = Sized(24, 16);
    EXPECT_FALSE(hc->Control().SnapshotFrame(snapshot)) << "no frame drawn yet";

    hc->Control().SetUseContainerBackground(false);
    hc->Control().SetBackgroundColor(0x0000FF);
    hc->RenderFrame();
    ASSERT_TRUE(hc->Control().SnapshotFrame(snapshot));
    EXPECT_TRUE(AllPixels(snapshot, 0, 0, 255, 255));

    // The red key of a frame without the container's pixels stays transparent.
    hc->Control().SetDrawBackground(false);
    hc->RenderFrame();
    snapshot.pixels.assign(snapshot.pixels.size(), 7);
    ASSERT_TRUE(hc->Control().SnapshotFrame(snapshot));
    EXPECT_TRUE(AllPixels(snapshot, 7, 7, 7, 7));

    // Another size, or a frame drawn over the container's pixels, needs offscreen rendering.
    RgbaImage other = Sized(10, 10);
    EXPECT_FALSE(hc->Control().SnapshotFrame(other));
    const std::uint8_t white[3] = {255, 255, 255};
    hc->Host().SetBackgroundImage(Plain(24, 16, white));
    hc->RenderFrame();
    EXPECT_FALSE(hc->Control().SnapshotFrame(snapshot));
}

// Every pixel of the frame is `inside` within the rectangles and `outside` elsewhere (red, green, blue).
::testing::AssertionResult Shows(const RgbaImage& frame, const std::vector<ScreenRect>& rects,
                                 const std::uint8_t* inside, const std::uint8_t* outside) {
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            bool in = false;
            for (const ScreenRect& r : rects) in = in || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            const std::uint8_t* want = in ? inside : outside;
            const std::uint8_t* p = frame.At(x, y);
            if (p[0] != want[0] || p[1] != want[1] || p[2] != want[2])
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << int(p[0]) << ","
                                                     << int(p[1]) << "," << int(p[2]);
        }
    return ::testing::AssertionSuccess();
}

TEST_F(Background, OnlyTheInvalidRectangleIsCopiedAgainUntilAResize) {
    test::HeadlessControl* hc = Make(20, 10);
    if (!hc) GTEST_SKIP() << "no EGL here";
    const std::uint8_t first[3] = {10, 20, 30}, second[3] = {200, 100, 50};
    hc->Host().SetBackgroundImage(Plain(20, 10, first));
    hc->Control().SetDrawBackground(false);
    hc->Control().SetTargetFrameRate(0);
    EXPECT_TRUE(Shows(hc->RenderFrame(), {}, first, first));

    // The container's pixels change; each paint copies again only what it was told is invalid.
    hc->Host().SetBackgroundImage(Plain(20, 10, second));
    hc->Host().InvalidateRect(ScreenRect{0, 0, 1, 1}, true);  // what the frame timer asks for
    hc->Host().UpdateNow();
    RgbaImage frame;
    ASSERT_TRUE(hc->Control().ReadFramePixels(frame));
    EXPECT_TRUE(Shows(frame, {{0, 0, 1, 1}}, second, first));
    hc->Host().InvalidateRect(ScreenRect{5, 2, 9, 7}, true);
    hc->Host().UpdateNow();
    ASSERT_TRUE(hc->Control().ReadFramePixels(frame));
    EXPECT_TRUE(Shows(frame, {{0, 0, 1, 1}, {5, 2, 9, 7}}, second, first));

    // A resize drops the capture: the next paint takes the whole background again.
    hc->Host().ResizeWindow(16, 8);
    EXPECT_TRUE(Shows(hc->RenderFrame(), {}, second, second));
}

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
