// The handmade component: written against the contract header alone and compiled by clang++,
// loaded, wrapped and drawn by the g++-built player. Its square appears, its attributes answer
// through the frame's resource operations, and its click and key events reach the root group.
#include <gtest/gtest.h>

#include <string>

#include "bridge/kesh_interface1.h"
#include "bridge/ves_kesh_wrapper.h"
#include "common/dynamic_library.h"
#include "orvan/group.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "support/headless_control.h"
#include "support/object_event_log.h"

namespace vessant {
namespace {

std::string HandmadePath() { return std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so"; }

bool Near(const std::uint8_t* p, int r, int g, int b) {
    auto close = [](int a, int b) { return a - b <= 2 && b - a <= 2; };
    return close(p[0], r) && close(p[1], g) && close(p[2], b);
}

class HandmadeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.IsLoaded()) << (library.ErrorText() ? library.ErrorText() : "");
        auto factory = reinterpret_cast<KeshFactoryFunction>(library.GetSymbol("CreateKeshInterface1_Handmade"));
        ASSERT_NE(factory, nullptr);
        wrapper = VesKeshWrapper::NewWrapper(factory());
        ASSERT_NE(wrapper->KeshInterface(), nullptr);
    }
    void TearDown() override {
        if (wrapper != nullptr) wrapper->DeleteInstance();
    }

    DynamicLibrary library{HandmadePath().c_str(), true, false, true};
    VesKeshWrapper* wrapper = nullptr;
};

TEST_F(HandmadeTest, AttributesAnswerThroughTheFrame) {
    EXPECT_EQ(wrapper->GetResource("Color"), "0 0 255 255");
    wrapper->SetResource("Color", "255 0 0 255");
    EXPECT_EQ(wrapper->GetColor(), orvan::vesColor(255, 0, 0, 255));
    wrapper->SetColor(orvan::vesColor(0, 255, 0, 255));
    EXPECT_EQ(wrapper->GetResource("Color"), "0 255 0 255");
    EXPECT_EQ(wrapper->GetResource("Unknown"), "");
    char* text = wrapper->GetResources(nullptr);
    EXPECT_STREQ(text, "Color: 0 255 0 255\nLamp: 0\nPresses: 0\n");
    wrapper->FreeResources(text);

    auto* clone = static_cast<VesKeshWrapper*>(wrapper->CloneObject());
    EXPECT_EQ(clone->GetResource("Color"), "0 255 0 255");
    clone->DeleteInstance();
}

TEST_F(HandmadeTest, DrawnHeadlessClickedAndKeyed) {
    test::HeadlessControl hc(100, 100);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL";
    hc.Control().Properties().useExtents = false;  // one unit per pixel
    test::ObjectEventLog events;
    events.Listen(*hc.Control().RootGroup());
    hc.SetDrawnObject(wrapper);

    // Rows of the image run top-down; the component's y runs up.
    auto image = hc.RenderFrame();
    ASSERT_EQ(image.width, 100);
    EXPECT_TRUE(Near(image.At(40, 99 - 40), 0, 0, 255));      // the button's fill
    EXPECT_TRUE(Near(image.At(11, 99 - 40), 255, 255, 255));  // its border
    EXPECT_TRUE(Near(image.At(85, 99 - 85), 64, 64, 64));     // the lamp, off
    EXPECT_TRUE(Near(image.At(5, 99 - 5), 0, 0, 0));          // outside

    wrapper->SetResource("Color", "255 0 0 255");
    image = hc.RenderFrame();
    EXPECT_TRUE(Near(image.At(40, 99 - 40), 255, 0, 0));

    // A press on the button, in window coordinates (y up), as the control delivers it.
    orvan::MouseEvent press(orvan::MOUSE_DOWN, orvan::MOUSE_LBUTTON);
    press.location = orvan::Vector(40, 40, 0);
    EXPECT_EQ(wrapper->HandleFrameEvent(&press), wrapper);
    ASSERT_EQ(events.seen.size(), 1u);
    EXPECT_EQ(events.seen[0], "button/Click/pressed");
    EXPECT_EQ(wrapper->GetResource("Presses"), "1");
    press.location = orvan::Vector(5, 95, 0);
    EXPECT_EQ(wrapper->HandleFrameEvent(&press), nullptr);
    EXPECT_EQ(events.seen.size(), 1u);

    orvan::KeyboardEvent space(orvan::EVENT_KEYBOARD, orvan::KEYSYM_SPACE, ' ');
    EXPECT_EQ(wrapper->HandleFrameEvent(&space), wrapper);
    ASSERT_EQ(events.seen.size(), 2u);
    EXPECT_EQ(events.seen[1], "lamp/Toggle/on");
    EXPECT_EQ(wrapper->GetResource("Lamp"), "1");
    image = hc.RenderFrame();
    EXPECT_TRUE(Near(image.At(85, 99 - 85), 255, 255, 0));

    // The close-down leave event is not a press anywhere.
    orvan::MouseEvent leave(orvan::MOUSE_LEAVE, 0);
    leave.location = orvan::Vector(32000, 32000, 1.0f);
    EXPECT_EQ(wrapper->HandleFrameEvent(&leave), nullptr);
    EXPECT_EQ(wrapper->FailureCount(), 0u);
    hc.SetDrawnObject(nullptr);
}

}  // namespace
}  // namespace vessant
