// Object events a component emits reach the container as ObjectEvent(EventName, InitiatorName,
// EventData) through the control's root group, synchronously.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/recording_component.h"
#include "bridge/ves_kesh_wrapper.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

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
