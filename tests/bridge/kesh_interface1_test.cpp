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

#include "bridge/resource_filter_impl.h"
#include "common/dynamic_library.h"
#include "orvan/resource_filter.h"

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

// The player's side of the handler: entry 2 after the destructor.
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

// The object event's setters, the handler and the player's filter adapter, entry by entry.
TEST(KeshPlayerSideTest, EventHandlerAndFilterEntriesReachTheirOperations) {
    KeshInterface1::ObjectEvent event;
    char text[] = "Needle";
    CallEntry<void>(&event, 2, static_cast<const char*>(text));
    CallEntry<void>(&event, 3, "Moved");
    CallEntry<void>(&event, 4, "42");
    text[0] = 'X';  // the event keeps copies
    EXPECT_STREQ(event.initiatorName, "Needle");
    EXPECT_STREQ(event.eventName, "Moved");
    EXPECT_STREQ(event.eventData, "42");
    event.EventData(nullptr);
    EXPECT_EQ(event.eventData, nullptr);

    RecordingHandler handler;
    KeshInterface1::MouseEvent mouse;
    EXPECT_EQ(CallEntry<int>(&handler, 2, static_cast<KeshInterface1::Event*>(&mouse)), -1);
    EXPECT_EQ(handler.events, std::vector<std::string>{"type=0"});

    orvan::VesResourceFilter filter;
    VesKesh1_ResourceFilterImpl adapter(&filter);
    void* f = &adapter;
    CallEntry<void>(f, 2, 5);
    EXPECT_EQ(filter.QualificationLevels(), 5);
    EXPECT_EQ(CallEntry<int>(f, 3), 5);
    CallEntry<void>(f, 4, 3);
    EXPECT_EQ(filter.LevelsDown(), 3);
    EXPECT_EQ(CallEntry<int>(f, 5), 3);
    CallEntry<void>(f, 6, true);
    EXPECT_TRUE(CallEntry<bool>(f, 7));
    std::string hidden = "Hidden";
    CallEntry<void>(f, 8, hidden.c_str());
    hidden[0] = 'X';
    CallEntry<void>(f, 8, static_cast<const char*>(nullptr));
    EXPECT_EQ(CallEntry<unsigned>(f, 9), 1u);
    EXPECT_STREQ(CallEntry<const char*>(f, 10, 0u), "Hidden");
    EXPECT_EQ(CallEntry<const char*>(f, 10, 1u), nullptr);
    CallEntry<void>(f, 11, "Shown");
    EXPECT_EQ(CallEntry<unsigned>(f, 12), 1u);
    EXPECT_STREQ(CallEntry<const char*>(f, 13, 0u), "Shown");
    EXPECT_FALSE(CallEntry<bool>(f, 14, "Hidden"));
    EXPECT_TRUE(CallEntry<bool>(f, 14, "Shown"));

    // Without a filter the adapter reads as the defaults and ignores changes.
    VesKesh1_ResourceFilterImpl none(nullptr);
    none.Levels(5);
    none.AddExcludedName("X");
    EXPECT_EQ(none.Depth(), -1);
    EXPECT_EQ(none.Levels(), 0);
    EXPECT_EQ(none.ExcludedNameCount(), 0u);
    EXPECT_TRUE(none.Accepts("anything"));
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

TEST_F(ContractProbeTest, EachEntryReachesItsOperationAndObjectEventsCrossInBothDirections) {
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

    // Key and mouse input reaching the probe is read back through the control in the loading tests.
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
    EXPECT_EQ(handler.events, std::vector<std::string>{"type=3 Probe/Input/3"});
}

}  // namespace
}  // namespace vessant
