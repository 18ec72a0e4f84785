// The sample instrument: built the way generated components are, its attributes reached by
// dotted names through the frame it sits in, its whole tree written to a file and read into a
// second instance. The player's snapshots show its needle drawn where its attributes put it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "instrument/instrument.h"
#include "orvan/error_report.h"
#include "orvan/group.h"
#include "orvan/resource_filter.h"
#include "support/run_command.h"

namespace {

using namespace orvan;

// A frame holding one instrument named "gauge".
struct Panel {
  Panel() : gauge(new Instrument) {
    gauge->InstanceName("gauge");
    gauge->Initialize();
    frame.Root()->InsertObject(gauge);
    frame.Root()->Parent(&frame);
  }
  std::string Text() {
    VesResourceFilter all;
    all.LevelsDown(-1);
    char* text = frame.GetResources(&all);
    std::string copy(text);
    frame.FreeResources(text);
    return copy;
  }
  DisplayFrame frame;
  Instrument* gauge;
};

using vessant::test::Lines;

TEST(InstrumentTest, ValueTurnsTheNeedleAndTheReadoutAndIsReachedThroughTheFrame) {
  Panel panel;
  DisplayObject* needle = panel.gauge->FindByName("needle");
  EXPECT_EQ(panel.frame.GetResource("gauge.readout.Text"), "50");
  panel.frame.SetResource("gauge.Value", "73.4");
  EXPECT_EQ(panel.frame.GetResource("gauge.readout.Text"), "73");
  panel.frame.SetResource("gauge.Value", "100");
  EXPECT_FLOAT_EQ(needle->DynamicRotation(2), -135.0f);
  EXPECT_EQ(panel.frame.GetResource("gauge.Value"), "100");
  panel.frame.SetResource("gauge.needle.Rotation", "0 0 12.5");
  EXPECT_FLOAT_EQ(needle->DynamicRotation(2), 12.5f);
  panel.gauge->Value(0.0f);
  EXPECT_FLOAT_EQ(needle->DynamicRotation(2), 135.0f);
  for (int value = 0; value <= 100; value += 20) {
    EXPECT_EQ(panel.gauge->GetResource("scale" + std::to_string(value) + ".Text"), std::to_string(value));
  }
}

TEST(InstrumentTest, ACloneIsBuiltAndPlacedLikeTheOriginal) {
  Panel panel;
  DisplayObject* copy = panel.gauge->CloneObject(false);
  EXPECT_STREQ(copy->InstanceName(), "gauge");
  Instrument* clone = dynamic_cast<Instrument*>(copy);
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone->FindByName("needleShape"), nullptr);
  delete copy;
}

TEST(InstrumentTest, TheWholeTreeSurvivesAFileRoundTrip) {
  SetErrorDialogsSuppressed(true);
  Panel source;
  source.frame.SetResource("gauge.Value", "80");
  source.frame.SetResource("gauge.label.Color", "9 8 7 6");
  VesResourceFilter all;
  all.LevelsDown(-1);
  char path[] = "/tmp/instrument_resources_XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(source.frame.WriteResources(path, &all));

  Panel target;
  // Lines name an object by its own name after its enclosing components' (groups add nothing).
  std::vector<std::string> parts = {"gauge", "gauge.dial", "gauge.ticks", "gauge.needle", "gauge.needleShape",
                                    "gauge.label"};
  for (int i = 0; i < Instrument::kTickCount; ++i) parts.push_back("gauge.tick" + std::to_string(i));
  target.frame.SetResource("gauge.Value", "3");
  const std::pair<const char*, const char*> changes[] = {
      {".Visible", "0"},       {".Pickable", "3"},     {".Color", "1 2 3 4"},     {".LineWidth", "7"},
      {".Rotation", "1 2 3"}, {".DynamicScale", "2 2 2"}, {".MaterialIndex", "4"}, {".BlendColor", "5 6 7 8"}};
  for (const std::string& p : parts)
    for (const auto& [attribute, value] : changes) target.frame.SetResource(p + attribute, value);
  const std::vector<std::string> expected = Lines(source.Text());
  const std::vector<std::string> before = Lines(target.Text());
  ASSERT_EQ(before.size(), expected.size());
  int differing = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) differing += before[i] != expected[i] ? 1 : 0;
  EXPECT_GE(differing, 8 * static_cast<int>(parts.size()));

  ASSERT_TRUE(target.frame.ReadResources(path));
  std::remove(path);
  EXPECT_EQ(Lines(target.Text()), expected);
  EXPECT_FLOAT_EQ(target.gauge->Value(), 80.0f);
}

}  // namespace
