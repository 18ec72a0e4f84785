// The player with the sample instrument, end to end: attributes set on the command line, a
// component fetched from a web page's address, and the instrument's alarm as a container event.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/player_script.h"
#include "support/png_read.h"
#include "support/run_command.h"
#include "support/signing_fixture.h"

namespace vessant {
namespace {

using test::Instrument;

// The needle is red; the dial is dark grey.
bool Red(const RgbaImage& image, int x, int y) {
    const std::uint8_t* p = image.At(x, y);
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
}

class PlayerComponent : public ::testing::Test {
protected:
    void SetUp() override {
        if (access(Instrument().c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    }
    RgbaImage Snapshot(const std::string& args) {
        const std::string png = dir_.Path() + "/shot.png";
        const auto r = test::RunCommand("TEMP='" + dir_.Path() + "' " + test::PlayerPath() +
                                        " --headless --size 200x200 --snapshot " + png + " " + args);
        EXPECT_EQ(r.status, 0) << r.output;
        RgbaImage image;
        EXPECT_TRUE(test::ReadPng(png, &image)) << r.output;
        return image;
    }
    test::ScratchDir dir_;
};

TEST_F(PlayerComponent, InitialAttributesPlaceTheNeedle) {
    RgbaImage image = Snapshot(Instrument());
    ASSERT_EQ(image.width, 200);
    EXPECT_TRUE(Red(image, 100, 40));  // Value 50: straight up
    EXPECT_FALSE(Red(image, 170, 100));
    image = Snapshot("--set 'InitialAttribs=needle.Rotation: 0 0 -90' " + Instrument());
    EXPECT_TRUE(Red(image, 170, 100));  // turned a quarter to the right
    EXPECT_FALSE(Red(image, 100, 40));
    image = Snapshot("--set 'InitialAttribs=Value: 0' " + Instrument());
    EXPECT_FALSE(Red(image, 100, 40));
    EXPECT_TRUE(Red(image, 60, 140));  // Value 0: lower left
}

TEST_F(PlayerComponent, CabinetFromTheHostingPageIsDrawn) {
    test::TestSigner signer;
    if (!signer.Ok()) GTEST_SKIP() << "openssl could not make the test certificates";
    test::ScratchDir site;
    test::LoopbackServer server(site.Path());
    ASSERT_TRUE(server.Running());
    const std::string app = site.Path() + "/app/";
    ACQ_RUN("mkdir -p '" + app + "' && cp '" + Instrument() + "' '" + app + "instrument.so' && cd '" + app +
            "' && gcab -c -z instrument.cab instrument.so");
    ASSERT_TRUE(signer.Sign(app + "instrument.cab"));
    const RgbaImage image =
        Snapshot("--base-url " + server.Url("/app/page.html") + " --set 'InitialAttribs=Value: 100' instrument.cab");
    EXPECT_TRUE(Red(image, 140, 140));  // Value 100: lower right
    EXPECT_NE(server.Requests().find("GET /app/instrument.cab\n"), std::string::npos);
}

TEST_F(PlayerComponent, CrossingTheAlarmThresholdIsAContainerEvent) {
    const auto lines = test::RunPlayerScript(Instrument(), "setattrib Value 90\ngetattrib Value\n"
                                                           "setattrib Value 85\nsetattrib Value 10\nquit\n");
    const auto count = [&lines](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
    EXPECT_EQ(count(R"({"event":"ObjectEvent","EventName":"Alarm","InitiatorName":"needle","EventData":"on"})"), 1)
        << "once: staying above raises nothing new";
    EXPECT_EQ(count(R"({"event":"ObjectEvent","EventName":"Alarm","InitiatorName":"needle","EventData":"off"})"), 1);
    EXPECT_EQ(count(R"({"reply":"getattrib","ok":true,"value":"90"})"), 1);
}

}  // namespace
}  // namespace vessant
