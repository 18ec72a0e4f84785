// Loading a component from a local path into a control: the cache copy, the factory, the
// messages of each failure, attribute access around creation, input and container events.
// The component is the contract probe, which logs every call (read back as attribute "log").
// Object events reach the container as ObjectEvent(EventName, InitiatorName, EventData)
// through the control's root group, synchronously.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bridge/recording_component.h"
#include "bridge/ves_kesh_wrapper.h"
#include "support/acquisition_fixture.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

std::string Fixture(const std::string& name) { return std::string(VESSANT_BINARY_DIR) + "/tests/fixtures/" + name; }
using test::Probe;

class ComponentLoading : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TEMP", cache_.Path().c_str(), 1);
        hc_ = std::make_unique<test::HeadlessControl>(64, 64);
        if (!hc_->Ok()) GTEST_SKIP() << "no EGL here";
        Ctrl().SetMessageListener([this](const std::string& m) { messages_.push_back(m); });
        Ctrl().SetObjectEventSink([this](const std::string& n, const std::string& i, const std::string& d) {
            events_.push_back(n + "|" + i + "|" + d);
        });
    }
    void TearDown() override {
        hc_.reset();
        unsetenv("TEMP");
    }
    CTessaryCtrl& Ctrl() { return hc_->Control(); }
    std::string Log() { return Ctrl().GetAttrib("log"); }
    // The component's log holds these entries, each after the one before.
    ::testing::AssertionResult InOrder(const std::vector<std::string>& entries) {
        const std::string log = Log();
        size_t at = 0;
        for (const std::string& entry : entries)
            if ((at = log.find(entry, at)) == std::string::npos)
                return ::testing::AssertionFailure() << "no " << entry << " in order in:\n" << log;
        return ::testing::AssertionSuccess();
    }
    std::string LastMessage() const { return messages_.empty() ? "" : messages_.back(); }

    test::ScratchDir cache_;
    std::unique_ptr<test::HeadlessControl> hc_;
    std::vector<std::string> messages_;
    std::vector<std::string> events_;
};

TEST_F(ComponentLoading, LocalLibraryIsCachedAndCreatedByTheNextPaint) {
    Ctrl().SetComponentFileName(Probe());
    ASSERT_NE(Ctrl().Wrapper(), nullptr) << LastMessage();
    EXPECT_EQ(Ctrl().LoadedCount(), 1u);
    EXPECT_FALSE(Ctrl().Loading());
    EXPECT_EQ(Ctrl().ReferencingUrl().rfind("file:///", 0), 0u);
    // The library ran from the per-user cache, not from where it was named.
    const std::string copy = cache_.Path() + "/Vessant Temporary Files/";
    EXPECT_EQ(test::RunCommand("find '" + copy + "' -name libkesh_contract_probe.so | wc -l").output, "1\n");
    EXPECT_NE(Log().find("SetEmittedEventHandler set"), std::string::npos);
    const std::vector<std::string> expected = {"Loading " + Probe() + "...", "Downloading " + Probe() + "...",
                                               "Loading Component..."};
    ASSERT_GE(messages_.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(messages_.begin(), messages_.begin() + 3), expected);
    hc_->RenderFrame();
    EXPECT_NE(Log().find("Draw"), std::string::npos);
    // Destroyed without a close first, the component is still told the pointer left.
    Ctrl().OnDestroy();
    EXPECT_NE(Log().find("HandleInput type=0 subtype=4 at=32000,32000,1 button=0"), std::string::npos);
}

TEST_F(ComponentLoading, ClassChangesReuseTheLibraryAndFailuresAreNotRetriedForTheSamePair) {
    Ctrl().SetComponentFileName(Probe());
    ASSERT_EQ(Ctrl().LoadedCount(), 1u);
    Ctrl().SetClassName("Nope");
    EXPECT_EQ(Ctrl().Wrapper(), nullptr);
    EXPECT_EQ(LastMessage(), "Could not find CreateKeshInterface1_Nope in " + Probe() + "\n");
    const size_t count = messages_.size();
    Ctrl().SetClassName("Nope");
    hc_->RenderFrame();
    EXPECT_EQ(messages_.size(), count);  // the same pair starts nothing
    Ctrl().SetClassName("ContractProbe");
    EXPECT_NE(Ctrl().Wrapper(), nullptr);
    EXPECT_EQ(Ctrl().LoadedCount(), 2u);
    // The library stayed loaded: no copy into the cache this time.
    EXPECT_EQ(std::count(messages_.begin() + count, messages_.end(), "Downloading " + Probe() + "..."), 0);
}

TEST_F(ComponentLoading, EachFailureEndsWithItsMessage) {
    Ctrl().SetComponentFileName(Fixture("libkesh_version_3_2_1506.so"));
    EXPECT_EQ(LastMessage(), "No default name found in " + Fixture("libkesh_version_3_2_1506.so") + "\n");
    EXPECT_EQ(Ctrl().Wrapper(), nullptr);

    // A missing file is reported as missing, and the failed load leaves nothing in the cache.
    Ctrl().SetComponentFileName("/no/such/dir/component.so");
    EXPECT_EQ(LastMessage(), "Cannot load /no/such/dir/component.so\nNo such file: /no/such/dir/component.so");
    EXPECT_EQ(Ctrl().LoadFailure(), LastMessage());
    EXPECT_EQ(test::RunCommand("find '" + cache_.Path() + "' -mindepth 2 -type d -empty | wc -l").output, "0\n");

    const std::string junk = cache_.Path() + "/junk.so";
    test::WriteText(junk, "not a library");
    Ctrl().SetComponentFileName(junk);
    EXPECT_EQ(LastMessage().rfind("Error loading ", 0), 0u) << LastMessage();
    EXPECT_NE(LastMessage().find("\n\nReason: "), std::string::npos) << LastMessage();
    EXPECT_FALSE(Ctrl().Loading());
    EXPECT_EQ(Ctrl().LoadedCount(), 0u);
}

// A control without a window creates its component only at its first paint; properties changed
// before that decide what is created.
TEST(ComponentLoadingWithoutWindow, TheLastFileAndClassAskedForAreTheOnesLoaded) {
    test::ScratchDir cache;
    setenv("TEMP", cache.Path().c_str(), 1);
    {
        CTessaryCtrl ctrl;
        ctrl.SetComponentFileName(Probe());
        EXPECT_TRUE(ctrl.Loading());  // the default class waits for a paint
        ctrl.SetClassName("ProbeTwin");
        ASSERT_TRUE(ctrl.LoadComponent()) << ctrl.LoadFailure();
        EXPECT_EQ(ctrl.GetAttrib("class"), "ProbeTwin");
        EXPECT_EQ(ctrl.LoadedCount(), 1u);  // the superseded default class was never created

        ctrl.SetClassName("NoSuchClass");
        EXPECT_FALSE(ctrl.LoadComponent());
        EXPECT_EQ(ctrl.LoadFailure(), "Could not find CreateKeshInterface1_NoSuchClass in " + Probe() + "\n");

        // A factory that creates nothing leaves nothing drawn, and says so.
        ctrl.SetClassName("NullProbe");
        EXPECT_FALSE(ctrl.LoadComponent());
        EXPECT_EQ(ctrl.Wrapper(), nullptr);
        EXPECT_EQ(ctrl.LoadFailure(), "The class NullProbe of " + Probe() + " created no component");

        // Back to the default class of another library while a load waits: its own default.
        ctrl.SetClassName("");
        ctrl.SetComponentFileName(Fixture("libkesh_version_3_2_1506.so"));
        ctrl.SetComponentFileName(Probe());
        ASSERT_TRUE(ctrl.LoadComponent()) << ctrl.LoadFailure();
        EXPECT_EQ(ctrl.GetAttrib("class"), "ContractProbe");
    }
    unsetenv("TEMP");
}

TEST_F(ComponentLoading, InitialAttributesThenPendingTextAreAppliedAfterCreation) {
    Ctrl().Properties().initialAttribs = "first: 1\n";
    Ctrl().SetAttrib("second", "2");
    Ctrl().SetAttrib("third", "3");
    EXPECT_EQ(Ctrl().PendingAttributes(), "second: 2\nthird: 3\n");
    EXPECT_EQ(Ctrl().GetAttrib("second"), "");  // nothing to ask yet
    Ctrl().SetComponentFileName(Probe());
    ASSERT_NE(Ctrl().Wrapper(), nullptr);
    EXPECT_TRUE(InOrder({"SetAttribute first=1", "SetAttribute second=2", "SetAttribute third=3"}));
    EXPECT_TRUE(Ctrl().PendingAttributes().empty());
    // Reads and writes now reach the component; a name it does not know reads empty.
    Ctrl().SetAttrib("Panel.Needle.Rotation", "3");
    EXPECT_EQ(Ctrl().GetAttrib("Panel.Needle.Rotation"), "3");
    EXPECT_EQ(Ctrl().GetAttrib("Unknown.Thing"), "");
}

TEST_F(ComponentLoading, MouseAndKeysReachTheComponentAndItsEventsTheContainer) {
    Ctrl().SetComponentFileName(Probe());
    ASSERT_NE(Ctrl().Wrapper(), nullptr);
    Ctrl().OnMouse(MouseMessage::LButtonDblClk, 10, 20, kMkLButton);
    EXPECT_FALSE(hc_->Host().HasCapture());
    EXPECT_TRUE(InOrder({"HandleInput type=0 subtype=0 at=10,44,0.5 button=1",
                         "HandleInput type=0 subtype=1 at=10,44,0.5 button=1"}));

    Ctrl().OnMouse(MouseMessage::RButtonDown, 5, 5, kMkRButton);
    EXPECT_TRUE(hc_->Host().HasCapture());
    Ctrl().OnMouse(MouseMessage::Move, 6, 7, kMkRButton);
    EXPECT_NE(Log().find("HandleInput type=0 subtype=3 at=6,57,0.5 button=4"), std::string::npos);
    Ctrl().OnMouse(MouseMessage::RButtonUp, 6, 7, 0);

    // Shift+A: the move comes first, then the key in lower case with the shift bit.
    Ctrl().OnKey(true, 0x41, kMkShift);
    EXPECT_TRUE(InOrder({"HandleInput type=0 subtype=2 at=6,57,0.5",
                         "HandleInput type=1 subtype=0 at=6,57,0.5 reserved=0 keysym=97 modifiers=65536"}));
    Ctrl().OnKey(false, 0x41, 0);
    EXPECT_NE(Log().find("HandleInput type=4"), std::string::npos);

    // The probe answers every input with an object event of its own.
    ASSERT_FALSE(events_.empty());
    EXPECT_EQ(events_.front(), "Input|Probe|0");

    // Closing tells the component the pointer left, and the destroy that follows does not again.
    hc_->Host().Close();
    const std::string leave = "HandleInput type=0 subtype=4 at=32000,32000,1 button=0";
    const std::string closed = Log();
    EXPECT_NE(closed.find(leave), std::string::npos);
    Ctrl().OnDestroy();
    EXPECT_EQ(Log().find(leave, closed.find(leave) + 1), std::string::npos);
}

TEST_F(ComponentLoading, WithoutAComponentInputDoesNothingAndVisibilityIsNotKept) {
    Ctrl().OnKey(true, 0x61, 0);
    Ctrl().OnMouse(MouseMessage::LButtonDown, 1, 1, kMkLButton);
    Ctrl().OnMouse(MouseMessage::LButtonUp, 1, 1, 0);
    EXPECT_TRUE(events_.empty());
    EXPECT_FALSE(hc_->Host().HasCapture());

    EXPECT_TRUE(Ctrl().Visibility());
    Ctrl().Visibility(false);  // not remembered without a component
    Ctrl().SetComponentFileName(Probe());
    ASSERT_NE(Ctrl().Wrapper(), nullptr);
    EXPECT_TRUE(Ctrl().Visibility());
    Ctrl().Visibility(false);
    EXPECT_FALSE(Ctrl().Visibility());
    EXPECT_FALSE(Ctrl().Wrapper()->Visibility());
}

TEST(ContainerEvent, InitiatorNameAndMissingDataArriveAsTexts) {
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    std::vector<std::string> events;
    hc.Control().SetObjectEventSink([&events](const std::string& n, const std::string& i, const std::string& d) {
        events.push_back(n + "|" + i + "|" + d);
    });
    test::ComponentRecord record;
    VesKeshWrapper* wrapper = VesKeshWrapper::NewWrapper(new test::RecordingComponent(&record));
    hc.SetDrawnObject(wrapper);
    hc.RenderFrame();  // the root group now holds the wrapper
    ASSERT_NE(record.handler, nullptr);

    EXPECT_EQ(record.Emit("knob", "Turn", nullptr), -1);  // the root group took it
    record.Emit(nullptr, "Reset", "all");
    record.Emit("knob", "Turn", "12.5");
    const std::vector<std::string> expected = {"Turn|knob|", "Reset||all", "Turn|knob|12.5"};
    EXPECT_EQ(events, expected);
    // Events of other types are not object events and reach nobody.
    record.Emit("knob", "Turn", "x", KeshInterface1::KESH_EVENT_MOUSE);
    EXPECT_EQ(events.size(), 3u);

    hc.SetDrawnObject(nullptr);
    wrapper->DeleteInstance();
}

}  // namespace
}  // namespace vessant
