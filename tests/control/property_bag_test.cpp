// Saving and loading the control's property set.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "control/property_bag.h"
#include "control/property_exchange.h"
#include "control/property_table.h"
#include "control/tessary_ctrl.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

using test::ReadText;

TEST(PropertyBag, RoundTripsEveryPersistedProperty) {
    CTessaryCtrl a;
    ControlProperties& p = a.Properties();
    p.scaleX = 1.25f;
    p.scaleY = -2.5f;
    p.offsetX = 3.0f;
    p.offsetY = 0.1f;
    p.offsetZ = -7.75f;
    p.maintainAspect = false;
    p.perspective = true;
    p.fieldOfView = 33.333f;
    p.depthFactor = 2.0f;
    p.useExtents = false;
    p.absolutePlacement = false;
    p.targetFrameRate = 60;
    p.eyePoint = "cockpit.eye";
    p.useContainerBackground = false;
    p.drawBackground = false;
    p.backgroundColor = 0x123456;
    p.componentFileName = "/opt/panels/libdial.so";
    p.className = "Dial";
    p.initialAttribs = std::string("needle.Rotation 0 0 45\nlabel \"quoted\" \\ back\ttab\r\x01\x7f end\n", 46) +
                       std::string(1, '\0') + "after nul \xc3\xa9";
    test::ScratchDir dir;
    const std::string path = dir / "roundtrip.vpp";
    PropertyBag out;
    ExchangeProperties(a, out, false);
    std::string error;
    ASSERT_TRUE(out.WriteFile(path, &error)) << error;

    CTessaryCtrl b;
    PropertyBag in;
    ASSERT_TRUE(in.ReadFile(path, &error)) << error;
    ExchangeProperties(b, in, true);
    for (const PropertyInfo* info = PropertiesBegin(); info != PropertiesEnd(); ++info) {
        if (info->dispId == 23) continue;  // the control's own address differs
        EXPECT_EQ(GetPropertyText(a, *info), GetPropertyText(b, *info)) << info->name;
    }
    EXPECT_EQ(b.Properties().initialAttribs, p.initialAttribs);
    // One property per line, under the persisted names in their order; the sizes are not saved.
    const std::string saved = ReadText(path);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 21);
    EXPECT_EQ(saved.rfind("# Vessant Player property set\nversion 4.4\nscaleX = 1.25\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("\ndepthFactor = 2\nUseExtents = FALSE\nAbsolutePlacement = FALSE\n"), std::string::npos);
    EXPECT_EQ(saved.find("setSize"), std::string::npos);
    EXPECT_LT(saved.find("offsetZ"), saved.find("maintainAspect"));
    EXPECT_LT(saved.find("ClassName"), saved.find("InitialAttribs"));
}

TEST(PropertyBag, MissingEntriesTakeDefaultsWithThePlacementRule) {
    CTessaryCtrl ctrl;
    ctrl.Properties().scaleX = 9.0f;
    PropertyBag bag;
    std::string error;
    ASSERT_TRUE(bag.Parse("version 4.4\nUseExtents = FALSE\n", "test", &error)) << error;
    ExchangeProperties(ctrl, bag, true);
    EXPECT_FLOAT_EQ(ctrl.Properties().scaleX, 1.0f);
    EXPECT_FALSE(ctrl.Properties().useExtents);
    EXPECT_TRUE(ctrl.Properties().absolutePlacement);
    EXPECT_EQ(ctrl.Properties().targetFrameRate, 30u);

    PropertyBag bag2;
    ASSERT_TRUE(bag2.Parse("version 4.4\n# a comment\n  UseExtents = TRUE  \nUnknown = 3\nEyePoint = \"\\x41\\x6a\" \n",
                           "test", &error));
    ExchangeProperties(ctrl, bag2, true);
    EXPECT_FALSE(ctrl.Properties().absolutePlacement);
    EXPECT_EQ(ctrl.Properties().eyePoint, "Aj");  // hand-written escapes in either case
}

TEST(PropertyBag, MalformedFilesAreRefusedWithFileAndLine) {
    PropertyBag bag;
    std::string error;
    EXPECT_FALSE(bag.Parse("scaleX = 1\n", "a.vpp", &error));
    EXPECT_NE(error.find("version 4.4"), std::string::npos) << error;
    EXPECT_FALSE(bag.Parse("version 5.0\n", "a.vpp", &error));
    EXPECT_NE(error.find("a.vpp:1"), std::string::npos) << error;
    EXPECT_FALSE(bag.Parse("version 4.4\nscaleX 1\n", "a.vpp", &error));
    EXPECT_NE(error.find("a.vpp:2"), std::string::npos) << error;
    EXPECT_FALSE(bag.Parse("version 4.4\nEyePoint = \"open\n", "a.vpp", &error));
    EXPECT_FALSE(bag.Parse("version 4.4\nEyePoint = \"bad \\q\"\n", "a.vpp", &error));
    EXPECT_FALSE(bag.Parse("version 4.4\nEyePoint = \"x\" trailing\n", "a.vpp", &error));
    EXPECT_FALSE(bag.Parse("version 4.4\nEyePoint = \"\\x4\"\n", "a.vpp", &error));
    // A value that does not parse refuses the whole set, which changes nothing.
    ASSERT_TRUE(bag.Parse("version 4.4\nscaleY = 3\nscaleX = 2x\n", "a.vpp", &error));
    CTessaryCtrl ctrl;
    EXPECT_FALSE(ExchangeProperties(ctrl, bag, true, &error));
    EXPECT_EQ(error, "a.vpp:3: property scaleX expects a finite number, not '2x'");
    EXPECT_FLOAT_EQ(ctrl.Properties().scaleY, 1.0f);
}

TEST(PropertyBag, FailedSaveKeepsTheOldFile) {
    test::ScratchDir scratch;
    const std::string dir = scratch.Path(), path = dir + "/set.vpp";
    test::WriteText(path, "version 4.4\nscaleX = 2\n");
    PropertyBag bag;
    bag.Set("scaleX", "3", false);
    std::string error;
    ASSERT_TRUE(chmod(dir.c_str(), 0500) == 0);
    const bool written = bag.WriteFile(path, &error);
    chmod(dir.c_str(), 0700);
    if (getuid() != 0) {  // root writes anyway
        EXPECT_FALSE(written);
        EXPECT_NE(error.find(path), std::string::npos);
        EXPECT_EQ(ReadText(path), "version 4.4\nscaleX = 2\n");
    }
    // A save over a directory fails and leaves nothing beside it.
    const std::string asDir = dir + "/sub";
    ASSERT_EQ(mkdir(asDir.c_str(), 0700), 0);
    EXPECT_FALSE(bag.WriteFile(asDir, &error));
    EXPECT_EQ(test::CountEntries(dir), 2);
}

}  // namespace
}  // namespace vessant
