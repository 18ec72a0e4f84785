// The component contract. Besides the version rule and the event records, the table entries are
// called by number, as code built from another copy of the header would call them, so a reordered
// or added virtual operation fails here rather than in a component built elsewhere.
#include "bridge/kesh_interface1.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "common/dynamic_library.h"

namespace vessant {
namespace {

// Calls entry `entry` of the object's virtual table with the object as first argument, as the
// Itanium ABI passes it.
template <typename Result, typename... Args>
Result CallEntry(void* object, std::size_t entry, Args... args) {
    using Function = Result (*)(void*, Args...);
    void* const* table = *static_cast<void* const* const*>(object);
    return reinterpret_cast<Function>(table[entry])(object, args...);
}

TEST(KeshBuiltVersionTest, SameMajorAndMinorWithinFiveHundredBuilds) {
    struct Case {
        KeshBuiltVersion version;
        bool accepted;
    };
    const Case cases[] = {
        {{3, 2, 1006}, true},     {{3, 2, 1506}, true},     {{3, 2, 506}, true},
        {{3, 2, 1507}, false},    {{3, 2, 505}, false},     {{3, 1, 1006}, false},
        {{4, 2, 1006}, false},    {{2, 2, 1006}, false},    {{3, 3, 1006}, false},
        {{3, 2, INT_MIN}, false}, {{3, 2, INT_MAX}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeshBuiltVersionAccepted(&c.version), c.accepted)
            << c.version.majorVersion << "." << c.version.minorVersion << "."
            << c.version.buildNumber;
    }
    EXPECT_FALSE(KeshBuiltVersionAccepted(nullptr));
}

TEST(KeshEventTest, ObjectEventSettersAreEntriesTwoToFourAndCopy) {
    KeshInterface1::ObjectEvent event;
    char text[] = "Needle";
    CallEntry<void>(&event, 2, static_cast<const char*>(text));
    CallEntry<void>(&event, 3, "Moved");
    CallEntry<void>(&event, 4, "42");
    text[0] = 'X';
    EXPECT_STREQ(event.initiatorName, "Needle");
    EXPECT_STREQ(event.eventName, "Moved");
    EXPECT_STREQ(event.eventData, "42");

    event.EventData("43");
    EXPECT_STREQ(event.eventData, "43");
    event.EventData(nullptr);
    EXPECT_EQ(event.eventData, nullptr);
    event.InitiatorName(nullptr);
    EXPECT_EQ(event.initiatorName, nullptr);
    EXPECT_STREQ(event.eventName, "Moved");
}

// The player's side of the handler and the filter, recording what reaches them.
class RecordingHandler : public KeshInterface1::EmittedEventHandler {
public:
    int HandleEvent(KeshInterface1::Event* event) override {
        std::string line = "type=" + std::to_string(event->eventType);
        if (event->eventType == KeshInterface1::KESH_EVENT_OBJECT) {
            const auto* object = static_cast<KeshInterface1::ObjectEvent*>(event);
            line += std::string(" ") + object->initiatorName + "/" + object->eventName + "/" +
                    object->eventData;
        }
        events.push_back(line);
        return -1;
    }
    std::vector<std::string> events;
};

// Records which operation each entry reached; the answers are fixed.
class RecordingFilter : public KeshInterface1::ResourceFilter {
public:
    void Depth(int value) override { Call("Depth(" + std::to_string(value) + ")"); }
    int Depth() override { Call("Depth()"); return 11; }
    void Levels(int value) override { Call("Levels(" + std::to_string(value) + ")"); }
    int Levels() override { Call("Levels()"); return 12; }
    void NamesOnly(bool value) override { Call(value ? "NamesOnly(1)" : "NamesOnly(0)"); }
    bool NamesOnly() override { Call("NamesOnly()"); return true; }
    void AddExcludedName(const char* name) override { Call("AddExcludedName " + std::string(name)); }
    unsigned ExcludedNameCount() override { Call("ExcludedNameCount()"); return 13u; }
    const char* ExcludedName(unsigned i) override {
        Call("ExcludedName " + std::to_string(i));
        return "excluded";
    }
    void AddIncludedName(const char* name) override { Call("AddIncludedName " + std::string(name)); }
    unsigned IncludedNameCount() override { Call("IncludedNameCount()"); return 14u; }
    const char* IncludedName(unsigned i) override {
        Call("IncludedName " + std::to_string(i));
        return "included";
    }
    bool Accepts(const char* name) override { Call("Accepts " + std::string(name)); return false; }

    std::vector<std::string> calls;

private:
    void Call(const std::string& name) { calls.push_back(name); }
};

TEST(KeshPlayerSideTest, HandlerAndFilterEntriesFollowTheirDestructor) {
    RecordingHandler handler;
    KeshInterface1::MouseEvent mouse;
    EXPECT_EQ(CallEntry<int>(&handler, 2, static_cast<KeshInterface1::Event*>(&mouse)), -1);
    EXPECT_EQ(handler.events, std::vector<std::string>{"type=0"});

    RecordingFilter filter;
    void* f = &filter;
    CallEntry<void>(f, 2, 5);
    EXPECT_EQ(CallEntry<int>(f, 3), 11);
    CallEntry<void>(f, 4, 3);
    EXPECT_EQ(CallEntry<int>(f, 5), 12);
    CallEntry<void>(f, 6, true);
    EXPECT_TRUE(CallEntry<bool>(f, 7));
    CallEntry<void>(f, 8, "Hidden");
    EXPECT_EQ(CallEntry<unsigned>(f, 9), 13u);
    EXPECT_STREQ(CallEntry<const char*>(f, 10, 1u), "excluded");
    CallEntry<void>(f, 11, "Shown");
    EXPECT_EQ(CallEntry<unsigned>(f, 12), 14u);
    EXPECT_STREQ(CallEntry<const char*>(f, 13, 2u), "included");
    EXPECT_FALSE(CallEntry<bool>(f, 14, "Color"));
    const std::vector<std::string> expected = {
        "Depth(5)",           "Depth()",          "Levels(3)",      "Levels()",
        "NamesOnly(1)",       "NamesOnly()",      "AddExcludedName Hidden",
        "ExcludedNameCount()", "ExcludedName 1",  "AddIncludedName Shown",
        "IncludedNameCount()", "IncludedName 2",  "Accepts Color"};
    EXPECT_EQ(filter.calls, expected);
}

// A component library built apart from the test, opened and created through its exports.
class ContractProbeTest : public testing::Test {
protected:
    void SetUp() override {
        library_ = std::make_unique<DynamicLibrary>(KESH_PROBE_LIBRARY, true, false, false);
        ASSERT_TRUE(library_->IsLoaded()) << library_->ErrorText();
        const auto defaultName = reinterpret_cast<KeshDefaultClassNameFunction>(
            library_->GetSymbol(kKeshDefaultClassNameExport));
        ASSERT_NE(defaultName, nullptr);
        const auto factory = reinterpret_cast<KeshFactoryFunction>(
            library_->GetSymbol((std::string(kKeshFactoryPrefix) + defaultName()).c_str()));
        ASSERT_NE(factory, nullptr);
        destroyedCount_ = reinterpret_cast<int (*)()>(
            library_->GetSymbol("ContractProbeDestroyedCount"));
        ASSERT_NE(destroyedCount_, nullptr);
        probe_ = factory();
        ASSERT_NE(probe_, nullptr);
    }
    void TearDown() override {
        if (probe_ != nullptr) probe_->Destroy();
    }
    std::string Log() { return probe_->GetAttribute("log"); }

    std::unique_ptr<DynamicLibrary> library_;
    int (*destroyedCount_)() = nullptr;
    KeshInterface1* probe_ = nullptr;
};

TEST_F(ContractProbeTest, EachEntryReachesItsOperationWithItsArguments) {
    int viewport[4] = {1, 2, 640, 480};
    double projection[16] = {0.5};
    double modelView[16] = {};
    modelView[14] = -5.0;
    KeshViewMatrices matrices = {viewport, projection, modelView};
    bool cull = true;
    void* probe = probe_;

    CallEntry<void>(probe, 0, 1.25);
    CallEntry<void>(probe, 1, &matrices, &cull);
    CallEntry<void>(probe, 2);
    CallEntry<void>(probe, 3, "Color", "1 2 3");
    EXPECT_STREQ(CallEntry<const char*>(probe, 4, "Color"), "1 2 3");
    EXPECT_STREQ(CallEntry<const char*>(probe, 5, static_cast<KeshInterface1::ResourceFilter*>(nullptr)),
                 "no filter");
    KeshInterface1::MouseEvent mouse;
    mouse.eventSubtype = 3;
    mouse.location[0] = 10.0f;
    mouse.location[1] = 20.0f;
    mouse.location[2] = 0.5f;
    mouse.button = 1;
    mouse.modifiers = 0x10000;
    EXPECT_TRUE(CallEntry<bool>(probe, 6, static_cast<KeshInterface1::Event*>(&mouse)));
    RecordingHandler handler;
    CallEntry<void>(probe, 7, static_cast<KeshInterface1::EmittedEventHandler*>(&handler));
    const float win[3] = {10.0f, 20.0f, 0.5f};
    const float origin[3] = {0.0f, 0.0f, 5.0f};
    const float direction[3] = {0.0f, 0.0f, -1.0f};
    float hit[3] = {};
    EXPECT_TRUE(CallEntry<bool>(probe, 8, &win[0], &origin[0], 2.0f, &direction[0], &hit[0],
                                &matrices));
    EXPECT_EQ(hit[0] + hit[1] + hit[2], 24.0f);
    float centre[3] = {};
    float radius = 0.0f;
    EXPECT_TRUE(CallEntry<bool>(probe, 9, &centre[0], &radius));
    EXPECT_EQ(radius, 4.0f);
    float minimum[3] = {};
    float maximum[3] = {};
    EXPECT_TRUE(CallEntry<bool>(probe, 10, &minimum[0], &maximum[0], static_cast<void*>(nullptr)));
    EXPECT_EQ(maximum[2], 3.0f);
    auto* clone = CallEntry<KeshInterface1*>(probe, 11);
    ASSERT_NE(clone, nullptr);
    EXPECT_STREQ(clone->GetAttribute("Color"), "1 2 3");

    EXPECT_EQ(Log(),
              "Calculate 1.25\n"
              "PreDraw viewport=1,2,640,480 projection0=0.5 modelView14=-5 cull=1\n"
              "Draw\n"
              "SetAttribute Color=1 2 3\n"
              "GetAttribute Color\n"
              "GetResources null\n"
              "HandleInput type=0 subtype=3 at=10,20,0.5 button=1 reserved=0 modifiers=65536\n"
              "SetEmittedEventHandler set\n"
              "Pick3D win=10,20,0.5 origin=0,0,5 scale=2 direction=0,0,-1 "
              "viewport=1,2,640,480 projection0=0.5 modelView14=-5\n"
              "GetBoundingSphere\n"
              "GetExtents reserved=null\n"
              "CloneObject\n");
    EXPECT_TRUE(handler.events.empty());

    const int destroyed = destroyedCount_();
    CallEntry<void>(clone, 12);
    EXPECT_EQ(destroyedCount_(), destroyed + 1);
}

// Key and mouse input reaching the probe is read back through the control in the loading tests.
TEST_F(ContractProbeTest, ObjectEventsCrossInBothDirections) {
    RecordingHandler handler;
    probe_->SetEmittedEventHandler(&handler);
    // The probe replaces the data text of the player's event through the event's own setter.
    KeshInterface1::ObjectEvent object;
    object.InitiatorName("Panel");
    object.EventName("Clicked");
    probe_->HandleInput(&object);
    EXPECT_STREQ(object.eventData, "seen by probe");

    const std::string log = Log();
    EXPECT_NE(log.find("HandleInput type=3 subtype=0 initiator=Panel name=Clicked data=null\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("emitted handler=-1\n"), std::string::npos) << log;
    EXPECT_EQ(handler.events, std::vector<std::string>{"type=3 Probe/Input/3"});
}

}  // namespace
}  // namespace vessant
