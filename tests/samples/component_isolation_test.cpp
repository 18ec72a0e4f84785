// Component libraries in one process: each exports the contract and nothing else, refers to no
// runtime outside itself, and works next to the others in the same frame. Two of them are the
// instrument built twice, so two private copies of the runtime run side by side (and beside the
// player's own); the third is the handmade component, which has none. The handmade component
// is written against the contract header alone and compiled by clang++: its square appears, its
// attributes answer through the frame's resource operations, and its click and key events reach
// the root group.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "bridge/kesh_interface1.h"
#include "bridge/ves_kesh_wrapper.h"
#include "common/dynamic_library.h"
#include "orvan/group.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "support/headless_control.h"
#include "support/object_event_log.h"
#include "support/run_command.h"

namespace vessant {
namespace {

struct ComponentLibrary {
    const char* file;
    const char* factory;
};

const ComponentLibrary kInstrument = {"libinstrument.so", "CreateKeshInterface1_Instrument"};
const ComponentLibrary kTwin = {"libinstrument_twin.so", "CreateKeshInterface1_Instrument"};
const ComponentLibrary kHandmade = {"libhandmade.so", "CreateKeshInterface1_Handmade"};

std::string PathOf(const ComponentLibrary& library) {
    return std::string(VESSANT_BINARY_DIR) + "/samples/" + library.file;
}

// The file whose code implements the object's first contract operation.
std::string LibraryOf(const KeshInterface1* object) {
    void* const* table = *reinterpret_cast<void* const* const*>(object);
    Dl_info info{};
    if (dladdr(table[0], &info) == 0 || info.dli_fname == nullptr) return "";
    const std::string path = info.dli_fname;
    return path.substr(path.find_last_of('/') + 1);
}

// Loaded once and kept to the end of the process. Each component's runtime holds tables for the
// life of the process (attribute and enumeration names); unloading the library would only turn
// them into leak reports that say nothing about isolation.
const DynamicLibrary& Loaded(const ComponentLibrary& which) {
    static auto* libraries = new std::map<std::string, const DynamicLibrary*>;
    const DynamicLibrary*& library = (*libraries)[which.file];
    if (library == nullptr) library = new DynamicLibrary(PathOf(which).c_str(), true, false, true);
    return *library;
}

VesKeshWrapper* Create(const DynamicLibrary& library, const ComponentLibrary& which) {
    auto factory = reinterpret_cast<KeshFactoryFunction>(library.GetSymbol(which.factory));
    return factory != nullptr ? VesKeshWrapper::NewWrapper(factory()) : nullptr;
}

bool NeedleRed(const std::uint8_t* p) { return p[0] > 150 && p[1] < 80 && p[2] < 80; }

TEST(ComponentIsolation, LibrariesExportOnlyTheContractAndNeedNoOutsideRuntime) {
    for (const ComponentLibrary& library : {kInstrument, kTwin, kHandmade}) {
        // The linker's own section markers aside.
        const std::string names = " | awk '$3 !~ /^(_edata|_end|__bss_start)$/ {print $3}' | sort";
        const test::CommandResult defined = test::RunCommand("nm -D --defined-only " + PathOf(library) + names);
        EXPECT_EQ(defined.output, std::string(library.factory) + "\nGetVesBuiltVersionInfo\nVesDefaultClassName\n")
            << library.file;

        const test::CommandResult undefined = test::RunCommand("nm -D -C --undefined-only " + PathOf(library));
        ASSERT_EQ(undefined.status, 0) << undefined.output;
        EXPECT_EQ(undefined.output.find("orvan::"), std::string::npos) << library.file;
        EXPECT_EQ(undefined.output.find("Kesh"), std::string::npos) << library.file;
    }
}

TEST(ComponentIsolation, TwoRuntimeCopiesAndAHandmadeComponentWorkSideBySide) {
    const DynamicLibrary& instrumentLibrary = Loaded(kInstrument);
    const DynamicLibrary& twinLibrary = Loaded(kTwin);
    const DynamicLibrary& handmadeLibrary = Loaded(kHandmade);
    ASSERT_TRUE(instrumentLibrary.IsLoaded() && twinLibrary.IsLoaded() && handmadeLibrary.IsLoaded());

    auto* panel = new orvan::Group;
    VesKeshWrapper* left = Create(instrumentLibrary, kInstrument);
    VesKeshWrapper* middle = Create(twinLibrary, kTwin);
    VesKeshWrapper* right = Create(handmadeLibrary, kHandmade);
    ASSERT_TRUE(left && middle && right);
    ASSERT_TRUE(left->KeshInterface() && middle->KeshInterface() && right->KeshInterface());
    EXPECT_EQ(LibraryOf(left->KeshInterface()), kInstrument.file);
    EXPECT_EQ(LibraryOf(middle->KeshInterface()), kTwin.file);
    EXPECT_EQ(LibraryOf(right->KeshInterface()), kHandmade.file);

    middle->Location(100, 0, 0);
    right->Location(200, 0, 0);
    for (VesKeshWrapper* wrapper : {left, middle, right}) panel->InsertObject(wrapper, true, false);
    test::ObjectEventLog events;
    events.Listen(*panel);

    // Each runtime keeps its own value; the twin's needle raises its alarm across the boundary.
    left->SetResource("Value", "0");
    middle->SetResource("Value", "100");
    EXPECT_EQ(left->GetResource("Value"), "0");
    EXPECT_EQ(middle->GetResource("Value"), "100");
    EXPECT_EQ(events.seen, std::vector<std::string>{"needle/Alarm/on"});
    EXPECT_EQ(events.initiator, middle);

    {
        test::HeadlessControl hc(300, 100);
        if (hc.Ok()) {
            hc.Control().Properties().useExtents = false;  // one unit per pixel
            hc.SetDrawnObject(panel);
            const RgbaImage image = hc.RenderFrame();
            ASSERT_EQ(image.width, 300);
            // Needles 15 units from the dial centres: lower left at 0, lower right at 100.
            EXPECT_TRUE(NeedleRed(image.At(39, 99 - 39)));
            EXPECT_FALSE(NeedleRed(image.At(60, 99 - 39)));
            EXPECT_TRUE(NeedleRed(image.At(160, 99 - 39)));
            EXPECT_FALSE(NeedleRed(image.At(139, 99 - 39)));
            const std::uint8_t* button = image.At(240, 99 - 40);
            EXPECT_EQ(button[2], 255);  // the handmade button's blue
            EXPECT_EQ(button[0], 0);
            hc.SetDrawnObject(nullptr);
        }
    }
    for (VesKeshWrapper* wrapper : {left, middle, right}) EXPECT_EQ(wrapper->FailureCount(), 0u);
    panel->DeleteAllChildren();
    delete panel;
}

std::string HandmadePath() { return test::SampleLibrary("handmade"); }

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
