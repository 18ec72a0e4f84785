// The vessant-player program as a user runs it: options, failures and the headless snapshot;
// its options as --help prints them and as README.md documents them are the same set; with the
// sample instrument, attributes set on the command line, a component fetched from a web page's
// address, and the instrument's alarm as a container event; registration for one user against
// a scratch XDG_DATA_HOME: the files, the desktop's view of the saved property set's type,
// removal of exactly what was registered, and the failure codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/player_script.h"
#include "support/player_snapshot.h"
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
    const RgbaImage image = test::PlayerSnapshot("--size 32x8 --set drawbackground=false --frames 3", dir);
    ASSERT_EQ(image.width, 32);
    // Left and right of the 2:1 splash (columns 8 to 23) only the key was drawn.
    for (int y = 0; y < 8; ++y)
        for (int x : {0, 1, 2, 3, 4, 5, 6, 25, 26, 27, 28, 29, 30, 31}) ASSERT_EQ(image.At(x, y)[3], 0) << x << "," << y;
}

TEST(PlayerCli, SavedPropertySetLoadsBackBeforeOtherOptions) {
    test::ScratchDir dir;
    const std::string set = dir / "props.vpp";
    const auto r = RunCommand(PlayerPath() + " --headless --size 8x8 --set UseContainerBackground=FALSE"
                                             " --set BackgroundColor=0x00FF00 --set InitialAttribs=x --save " + set);
    ASSERT_EQ(r.status, 0) << r.output;
    RgbaImage image = test::PlayerSnapshot("--size 8x8 --load " + set, dir);
    ASSERT_EQ(image.width, 8);
    EXPECT_EQ(image.At(3, 0)[1], 255);
    // Options after --load override what it read.
    image = test::PlayerSnapshot("--size 8x8 --set BackgroundColor=0x0000FF --load " + set, dir);
    ASSERT_EQ(image.width, 8);
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
    RgbaImage Snapshot(const std::string& args) { return test::PlayerSnapshot("--size 200x200 " + args, dir_); }
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

using test::Exists;
using test::ReadText;
using test::RunCommand;
using test::RunCommandSplit;

const char* kType = "application/x-vessant-property-set";

class Registering : public ::testing::Test {
protected:
    std::string Env() const {
        return "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION XDG_DATA_HOME='" + data_ + "' ";
    }
    test::SplitResult Player(const std::string& args) const { return RunCommandSplit(Env() + test::PlayerPath() + " " + args); }
    std::string FileType(const std::string& path) const {
        std::string type = RunCommand(Env() + "xdg-mime query filetype '" + path + "'").output;
        while (!type.empty() && type.back() == '\n') type.pop_back();
        return type;
    }
    static bool HaveXdgMime() { return RunCommand("command -v xdg-mime").status == 0; }

    test::ScratchDir dir_;
    std::string data_ = dir_ / "data";
};

TEST_F(Registering, RegisterWritesTheFilesTheDesktopReadsAndUnregisterTakesExactlyThoseAway) {
    ACQ_RUN("mkdir -p '" + data_ + "/applications' '" + data_ + "/vessant-player' && echo keep > '" + data_ +
            "/applications/other.desktop' && echo keep > '" + data_ + "/vessant-player/notes'");
    const auto registered = Player("--register");
    ASSERT_EQ(registered.status, 0) << registered.err;
    const auto files = nlohmann::json::parse(registered.out)["registered"];
    ASSERT_EQ(files.size(), 4u) << registered.out;
    for (const auto& f : files) EXPECT_TRUE(Exists(f.get<std::string>())) << f;

    const auto record = nlohmann::json::parse(ReadText(data_ + "/vessant-player/registration.json"));
    EXPECT_EQ(record["classes"][0]["progId"], "VESSANT.TessaryCtrl");
    EXPECT_EQ(record["classes"][1]["progId"], "VESSANT.TessaryPropPage.1");
    EXPECT_EQ(record["classes"][0]["typeLibraryVersion"], "4.4");
    EXPECT_EQ(record["strings"]["1"], "Tessary");
    EXPECT_EQ(record["strings"]["2"], "Tessary Property Page");
    EXPECT_EQ(record["classes"][0]["guid"], "{25621773-72E6-4D4D-AC49-6EF4D72121A0}");
    EXPECT_NE(record["classes"][0]["guid"], record["classes"][1]["guid"]);
    EXPECT_EQ(ReadText(data_ + "/vessant-player/TessaryLib-4.4.json"), Player("--describe").out);
    const std::string desktop = ReadText(data_ + "/applications/vessant-player.desktop");
    EXPECT_NE(desktop.find("\nName=Vessant Player Control\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find(std::string("MimeType=") + kType + ";"), std::string::npos) << desktop;
    if (RunCommand("command -v desktop-file-validate").status == 0) {
        ACQ_RUN("desktop-file-validate '" + data_ + "/applications/vessant-player.desktop'");
    }

    // A property set the player saved is known by its extension, and by its first lines alone.
    const std::string saved = dir_ / "panel.vessant";
    ASSERT_EQ(Player("--headless --set TargetFrameRate=12 --save '" + saved + "'").status, 0);
    ACQ_RUN("cp '" + saved + "' '" + (dir_ / "panel") + "'");
    if (HaveXdgMime()) {
        EXPECT_EQ(FileType(saved), kType);
        EXPECT_EQ(FileType(dir_ / "panel"), kType);
        EXPECT_EQ(RunCommand(Env() + "xdg-mime query default " + kType).output, "vessant-player.desktop\n");
    }

    const auto unregistered = Player("--unregister");
    ASSERT_EQ(unregistered.status, 0) << unregistered.err;
    EXPECT_EQ(nlohmann::json::parse(unregistered.out)["unregistered"], files);
    for (const auto& f : files) EXPECT_FALSE(Exists(f.get<std::string>())) << f;
    EXPECT_EQ(ReadText(data_ + "/applications/other.desktop"), "keep\n");
    EXPECT_EQ(ReadText(data_ + "/vessant-player/notes"), "keep\n");
    if (HaveXdgMime()) {
        EXPECT_NE(FileType(saved), kType);
    }

    // Unregistering what is not registered removes nothing and succeeds.
    const auto again = Player("--unregister");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, "{\"unregistered\":[]}\n");
}

TEST_F(Registering, AReadOnlyDataFolderFailsWithTheTypeInformationCode) {
    ACQ_RUN("mkdir -p '" + data_ + "' && chmod 0555 '" + data_ + "'");
    // The superuser writes anywhere: the player runs as nobody then.
    std::string as;
    if (geteuid() == 0) {
        if (RunCommand("command -v setpriv").status != 0) GTEST_SKIP() << "running as root without setpriv";
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    const auto r = RunCommandSplit(Env() + as + test::PlayerPath() + " --register");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("0x80040200"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    ACQ_RUN("chmod 0755 '" + data_ + "'");
    EXPECT_EQ(test::CountEntries(data_), 0);
}

TEST_F(Registering, AClassFailureTakesTheTypeInformationBackAndSaysSo) {
    // A file where the desktop entries' folder should be.
    ACQ_RUN("mkdir -p '" + data_ + "' && touch '" + data_ + "/applications'");
    const auto r = Player("--register");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("0x80040201"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("applications"), std::string::npos) << r.err;
    EXPECT_FALSE(Exists(data_ + "/vessant-player/TessaryLib-4.4.json"));
    EXPECT_FALSE(Exists(data_ + "/vessant-player/registration.json"));
}

}  // namespace
}  // namespace vessant
