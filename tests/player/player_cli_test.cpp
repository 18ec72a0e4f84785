// The vessant-player program as a user runs it: options, failures and the headless snapshot;
// its options as --help prints them and as README.md documents them are the same set; with the
// sample instrument, attributes set on the command line, a component fetched from a web page's
// address, and the instrument's alarm as a container event.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/player_script.h"
#include "support/png_read.h"
#include "support/run_command.h"
#include "support/signing_fixture.h"

namespace vessant {
namespace {

using test::PlayerPath;
using test::RunCommand;

TEST(PlayerCli, MalformedCommandLinesExitWithStatusTwoNamingTheCulprit) {
    struct Case {
        const char* args;
        const char* culprit;
    } cases[] = {
        {"--bogus", "--bogus"},
        {"--size 640", "640"},
        {"--size 0x10", "0x10"},
        {"--size axb", "axb"},
        {"--set NoSuchProperty=1", "NoSuchProperty"},
        {"--set TargetFrameRate=fast", "fast"},
        {"--set perspective=maybe", "maybe"},
        {"--set BackgroundColor=0x1000000", "0x1000000"},
        {"--set novalue", "novalue"},
        {"--frames 0", "0"},
        {"--frames 4294977297", "4294977297"},
        {"--frames", "--frames"},
        {"a b c", "c"},
    };
    for (const Case& c : cases) {
        const auto r = RunCommand(PlayerPath() + " --headless " + c.args);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.output;
        EXPECT_NE(r.output.find(c.culprit), std::string::npos) << c.args << ": " << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one line: " << r.output;
    }
}

TEST(PlayerCli, NoDisplayWithoutHeadlessSuggestsHeadless) {
    const auto r = RunCommand("env -u DISPLAY " + PlayerPath());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("--headless"), std::string::npos) << r.output;
}

TEST(PlayerCli, KeyColourIsTransparentInTheSnapshot) {
    test::ScratchDir dir;
    const std::string out = dir / "key.png";
    const auto r = RunCommand(PlayerPath() + " --headless --size 32x8 --set drawbackground=false --frames 3 --snapshot " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(out, &image));
    // Left and right of the 2:1 splash (columns 8 to 23) only the key was drawn.
    for (int y = 0; y < 8; ++y)
        for (int x : {0, 1, 2, 3, 4, 5, 6, 25, 26, 27, 28, 29, 30, 31}) ASSERT_EQ(image.At(x, y)[3], 0) << x << "," << y;
}

TEST(PlayerCli, SavedPropertySetLoadsBackBeforeOtherOptions) {
    test::ScratchDir dir;
    const std::string set = dir / "props.vpp", out = dir / "green.png";
    auto r = RunCommand(PlayerPath() + " --headless --size 8x8 --set UseContainerBackground=FALSE"
                                       " --set BackgroundColor=0x00FF00 --set InitialAttribs=x --save " + set);
    ASSERT_EQ(r.status, 0) << r.output;
    r = RunCommand(PlayerPath() + " --headless --size 8x8 --load " + set + " --snapshot " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(out, &image));
    EXPECT_EQ(image.At(3, 0)[1], 255);
    // Options after --load override what it read.
    r = RunCommand(PlayerPath() + " --headless --size 8x8 --set BackgroundColor=0x0000FF --load " + set +
                   " --snapshot " + out);
    ASSERT_TRUE(test::ReadPng(out, &image));
    EXPECT_EQ(image.At(3, 0)[2], 255);
}

using Options = std::set<std::string>;

// Every --word in text, "--" alone included.
Options OptionsIn(const std::string& text) {
    static const std::regex option(R"((^|[^\w-])(--[a-z][a-z-]*|--)(?=$|[^\w-]))");
    Options found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) found.insert((*it)[2]);
    return found;
}

// The options --help lists: the first word of each line of its option list.
Options HelpOptions() {
    const auto help = test::RunCommand(test::PlayerPath() + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_EQ(help.output.rfind("Usage: vessant-player", 0), 0u) << help.output;
    Options found;
    std::istringstream lines(help.output);
    static const std::regex entry(R"(^  (--[a-z-]*)( |$).*)");
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, match, entry)) found.insert(match[1]);
    return found;
}

struct ReadmeOptions {
    Options table;     // the first column of the option table of "## The player"
    Options commands;  // every option of a vessant-player command line anywhere
};

ReadmeOptions ReadReadme() {
    std::ifstream file(std::string(VESSANT_SOURCE_DIR) + "/README.md");
    EXPECT_TRUE(file.good());
    ReadmeOptions readme;
    bool inPlayerSection = false;
    std::string command;  // a command line, its backslash continuations joined
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("## ", 0) == 0) inPlayerSection = line == "## The player";
        if (inPlayerSection && line.rfind("| `-", 0) == 0)
            for (const auto& option : OptionsIn(line.substr(0, line.find('|', 1)))) readme.table.insert(option);
        command += line;
        if (!line.empty() && line.back() == '\\') continue;
        const auto program = command.find("vessant-player ");
        if (program != std::string::npos)
            for (const auto& option : OptionsIn(command.substr(program))) readme.commands.insert(option);
        command.clear();
    }
    return readme;
}

TEST(PlayerHelpAndReadme, DocumentTheSameOptions) {
    const Options help = HelpOptions();
    ASSERT_GT(help.size(), 10u);
    const ReadmeOptions readme = ReadReadme();
    EXPECT_EQ(readme.table, help) << "the option table of README.md and --help differ";
    for (const auto& option : readme.commands)
        EXPECT_EQ(help.count(option), 1u) << "README.md runs vessant-player with " << option << ", which --help lacks";
}

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
