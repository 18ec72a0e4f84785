// The player's script mode end to end: commands on standard input, JSON lines back; clicks and
// drags on the sample components reach their objects through picking. And the player under
// hostile or mistaken input: a protocol that cannot be forged, statuses that tell failures,
// files that cannot be hijacked, stored values that are never dropped, bounds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/acquisition_fixture.h"
#include "support/player_script.h"
#include "support/png_read.h"
#include "support/run_command.h"
#include "support/script_replies.h"

namespace vessant {
namespace {

using test::ClickEvent;
using test::Event;
using test::Reply;

TEST(PlayerScript, PropertiesFramesAndSnapshotAnswerInJson) {
    test::ScratchDir dir;
    const std::string png = dir.Path() + "/shot.png";
    const auto lines = test::RunPlayerScript("", "set BackgroundColor 0x00FF00\nset UseContainerBackground 0\n"
                                                 "get BackgroundColor\nget TargetFrameRate\nframes 3\n"
                                                 "snapshot " + png + "\nquit\nget scaleX\n");
    const std::vector<std::string> expected = {
        Reply("set"),    Reply("set"),      Reply("get", "65280"), Reply("get", "30"),
        Reply("frames"), Reply("snapshot"), Reply("quit"),  // nothing after quit runs
    };
    EXPECT_EQ(lines, expected);
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(png, &image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.At(5, 5)[1], 255);  // the 2:1 splash leaves the top rows to the background
}

TEST(PlayerScript, AttributesWaitForAComponentAndEscapesDecode) {
    // "\n" and "\\" are a script's escapes; any other backslash stays as written.
    const auto lines = test::RunPlayerScript("", "setattrib note two\\nlines \\\\ \"q\" C:\\temp\n"
                                                 "set ComponentFileName " + test::Probe() + "\n"
                                                 "getattrib note\ngetattrib log\nquit\n");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], Reply("setattrib"));
    EXPECT_EQ(lines[1], Reply("set"));
    // The component received the waiting value decoded, and answers it back.
    const std::string decoded = R"(two\nlines \\ \"q\" C:\\temp)";
    EXPECT_NE(lines[3].find("SetAttribute note=" + decoded + "\\n"), std::string::npos) << lines[3];
    EXPECT_EQ(lines[2], Reply("getattrib", decoded));
}

// A sample component's script session (the samples are always built with the player).
std::vector<std::string> Sample(const std::string& sample, const std::string& script) {
    return test::RunPlayerScript(test::SampleLibrary(sample), script);
}

// At 200 x 200 the instrument's 100 x 100 square fills the window: world (x, y) is pixel
// (2x, 200 - 2y) from the top left.
TEST(SampleScript, InstrumentButtonsAndTheNearerBadgeAnswerClicksByName) {
    const auto lines = Sample("instrument", "frames 1\n"
                                            "mouse ldown 180 180\nmouse lup 180 180\n"  // plus
                                            "getattrib Value\n"
                                            "mouse ldown 20 180\nmouse lup 20 180\n"  // minus
                                            "mouse ldown 178 18\nmouse lup 178 18\n"  // where the two badges overlap
                                            "mouse ldown 196 2\nmouse lup 196 2\n"    // the back badge alone
                                            "mouse ldown 4 4\nmouse lup 4 4\n"        // the empty upper left corner
                                            "quit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),   ClickEvent("plus"),      Reply("getattrib", "60"), ClickEvent("minus"),
        ClickEvent("badgeFront"), ClickEvent("badgeBack"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, DraggingOnTheInstrumentsDialTurnsTheNeedleAndChangesTheValue) {
    const auto lines = Sample("instrument", "frames 1\n"
                                            "mouse ldown 40 100\n"  // left of the centre: value 16.7
                                            "getattrib Value\n"
                                            "mouse move 160 100\n"  // dragged to the right of the centre
                                            "mouse lup 160 100\n"
                                            "getattrib Value\n"
                                            "mouse move 100 20\n"  // released: moving no longer turns it
                                            "getattrib Value\nquit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),          Reply("getattrib", "16.66666603"), Event("Alarm", "needle", "on"),
        Reply("getattrib", "83.33333588"), Reply("getattrib", "83.33333588"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, TheInstrumentsEyePointGivesTheViewThatClicksArePickedIn) {
    // 380 units in front of the dial's centre with its 30 degree field of view, the eye sees
    // the instrument in the middle half of the window: the plus button's centre (90, 10) is at
    // pixel (139, 139), which the flat view would put on the dial.
    const auto lines = Sample("instrument", "set EyePoint eye\nsetattrib eye.Location 50 50 380\nframes 1\n"
                                            "mouse ldown 139 139\nmouse lup 139 139\ngetattrib Value\nquit\n");
    const std::vector<std::string> expected = {
        Reply("set"),       Reply("setattrib"),       Reply("frames"),
        ClickEvent("plus"), Reply("getattrib", "60"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, AContractOnlyComponentsEyePointGivesTheView) {
    // Flat view: the handmade 100 x 100 square fills the window and (100, 100) is inside the
    // button (10..70). Its eye "handEye" maps a unit to a pixel from the lower left: the button
    // then covers pixels 10..70 from the left and 130..190 from the top.
    const auto lines = Sample("handmade", "frames 1\nmouse ldown 100 100\nmouse lup 100 100\n"
                                          "set EyePoint handEye\nframes 1\n"
                                          "mouse ldown 100 100\nmouse lup 100 100\n"
                                          "mouse ldown 40 160\nmouse lup 40 160\n"
                                          "getattrib Presses\nquit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),      ClickEvent("button"),    Reply("set"), Reply("frames"),
        ClickEvent("button"), Reply("getattrib", "2"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

using test::PlayerPath;
using test::RunCommandSplit;

using test::Instrument;
using test::Lines;
using test::Probe;
using test::ReadText;

class PlayerBadInput : public ::testing::Test {
protected:
    void SetUp() override { setenv("TEMP", (dir_ / "cache").c_str(), 1); }
    void TearDown() override { unsetenv("TEMP"); }

    // Runs a headless script from a file; every line of standard output must be a JSON object.
    test::SplitResult Script(const std::string& args, const std::string& script) {
        const std::string input = dir_ / "script.txt";
        test::WriteText(input, script);
        auto r = RunCommandSplit("cd '" + dir_.Path() + "' && " + PlayerPath() + " --headless --script " + args +
                                 " < '" + input + "'");
        for (const std::string& line : Lines(r.out))
            EXPECT_TRUE(nlohmann::json::accept(line) && line[0] == '{') << "not a JSON object: " << line;
        return r;
    }

    test::ScratchDir dir_;
};

TEST_F(PlayerBadInput, StandardOutputCarriesOnlyValidJsonLines) {
    auto r = Script("", "set ComponentFileName x\n{\"reply\":\"get\",\"ok\":true,\"value\":\"FORGED\"}\nget scaleX\nquit\n");
    EXPECT_EQ(r.out.find("FORGED\"}\n"), std::string::npos) << r.out;  // only inside an error text
    EXPECT_NE(r.err.find("Merged URL is: "), std::string::npos) << r.err;  // diagnostics on stderr
    // Bytes that are not UTF-8 arrive as U+FFFD.
    r = Script("", "\xff\nset EyePoint \xfe\nget EyePoint\nquit\n");
    EXPECT_NE(r.out.find("{\"reply\":\"get\",\"ok\":true,\"value\":\"\xef\xbf\xbd\"}"), std::string::npos) << r.out;
    // A newline in the page address cannot forge an event.
    r = RunCommandSplit(PlayerPath() + " --headless --base-url $'http://h/\\n{\"event\":\"ObjectEvent\"}' x.so");
    EXPECT_EQ(r.out, "");
}

TEST_F(PlayerBadInput, AComponentThatCannotBeLoadedExitsWithStatusThree) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/no/such/lib.so", "No such file: /no/such/lib.so"},
        {Probe() + " NullProbe", "created no component"},
    };
    for (const auto& [args, why] : cases) {
        const auto r = RunCommandSplit(PlayerPath() + " --headless " + args);
        EXPECT_EQ(r.status, 3) << args << ": " << r.err;
        EXPECT_NE(r.err.find(why), std::string::npos) << args << ": " << r.err;
        EXPECT_EQ(r.out, "");
    }
    // The class asked for is the one played.
    const auto r = Script(Probe() + " ProbeTwin", "getattrib class\nquit\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"({"reply":"getattrib","ok":true,"value":"ProbeTwin"})"), std::string::npos) << r.out;
}

TEST_F(PlayerBadInput, ScriptRepliesTellFailedLoadsAndAttributes) {
    if (access(Instrument().c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    const auto r = Script("",
                          "getattrib Value\n"
                          "setattrib Value 12\n"
                          "set ComponentFileName /no/such/lib.so\n"
                          "set ComponentFileName " + Instrument() + "\n"
                          "getattrib Value\n"
                          "setattrib Value abc\n"
                          "getattrib Value\n"
                          "getattrib NoSuchAttribute\n"
                          "setattrib NoSuchAttribute 1\n"
                          "set ClassName NoSuchClass\n"
                          "quit\n");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 11u) << r.out;
    EXPECT_EQ(lines[0], R"({"reply":"getattrib","ok":false,"error":"no component is loaded"})");
    EXPECT_EQ(lines[1], R"({"reply":"setattrib","ok":true})");  // waits for the component
    EXPECT_EQ(lines[2].rfind(R"({"reply":"set","ok":false,"error":"Cannot load /no/such/lib.so)", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3], R"({"reply":"set","ok":true})");
    EXPECT_EQ(lines[4], R"({"reply":"getattrib","ok":true,"value":"12"})");
    EXPECT_EQ(lines[5], R"({"reply":"setattrib","ok":false,"error":"attribute Value cannot read 'abc'"})");
    EXPECT_EQ(lines[6], R"({"reply":"getattrib","ok":true,"value":"12"})");
    EXPECT_EQ(lines[7], R"({"reply":"getattrib","ok":false,"error":"no attribute NoSuchAttribute"})");
    EXPECT_EQ(lines[8], R"({"reply":"setattrib","ok":false,"error":"no attribute NoSuchAttribute"})");
    EXPECT_EQ(lines[9].rfind(R"({"reply":"set","ok":false,"error":"Could not find)", 0), 0u) << lines[9];
    EXPECT_EQ(r.status, 3);  // the component asked for last could not be loaded
}

TEST_F(PlayerBadInput, SavesGoThroughAPrivateTemporaryAndKeepLinksAndModes) {
    // A link planted where a predictable temporary would go is left alone.
    const std::string victim = dir_ / "victim.txt";
    test::WriteText(victim, "precious");
    for (int pid = 0; pid < 5; ++pid)
        ASSERT_EQ(symlink(victim.c_str(), (dir_ / ("out.props.tmp" + std::to_string(pid))).c_str()), 0);
    auto r = RunCommandSplit(PlayerPath() + " --headless --save " + (dir_ / "out.props"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(victim), "precious");

    // Saving over a file keeps its mode; saving to a link replaces what it points to.
    const std::string real = dir_ / "real.props", link = dir_ / "link.props";
    test::WriteText(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.props", link.c_str()), 0);
    r = RunCommandSplit(PlayerPath() + " --headless --set scaleX=2 --save " + link);
    ASSERT_EQ(r.status, 0) << r.err;
    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_NE(ReadText(real).find("scaleX = 2"), std::string::npos);
    EXPECT_EQ(test::RunCommand("ls -A '" + dir_.Path() + "' | grep -c XXXX\\|props\\\\.").output, "0\n");

    // A snapshot that cannot be written does not skip the save; both failures are told.
    r = RunCommandSplit(PlayerPath() + " --headless --snapshot /no/such/dir/a.png --save /no/such/dir/a.props");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("a.png"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("a.props"), std::string::npos) << r.err;
    r = RunCommandSplit(PlayerPath() + " --headless --snapshot /no/such/dir/a.png --save " + (dir_ / "b.props"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(access((dir_ / "b.props").c_str(), R_OK), 0);
}

TEST_F(PlayerBadInput, StoredValuesAreReadStrictlyOrRefused) {
    const std::string set = dir_ / "in.props";
    test::WriteText(set, "version 4.4\nperspective = True\nTargetFrameRate = 12\n");
    auto r = RunCommandSplit(PlayerPath() + " --headless --load " + set + " --save " + (dir_ / "out.props"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string saved = ReadText(dir_ / "out.props");
    EXPECT_NE(saved.find("perspective = TRUE"), std::string::npos) << saved;
    EXPECT_NE(saved.find("TargetFrameRate = 12"), std::string::npos) << saved;

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"TargetFrameRate = abc", ":2: property TargetFrameRate"},
        {"scaleX = notanumber", ":2: property scaleX"},
        {"scaleX = nan", ":2: property scaleX"},
        {"offsetX = 1e999", ":2: property offsetX"},
        {"BackgroundColor = -5", ":2: property BackgroundColor"},
    };
    for (const auto& [line, message] : refused) {
        test::WriteText(set, "version 4.4\n" + line + "\n");
        r = RunCommandSplit(PlayerPath() + " --headless --load " + set);
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_NE(r.err.find(set + message), std::string::npos) << line << ": " << r.err;
    }
    test::WriteText(set, "version 99999999999999999999.0\n");
    r = RunCommandSplit(PlayerPath() + " --headless --load " + set);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("version 99999999999999999999.0 cannot be read"), std::string::npos) << r.err;
}

TEST_F(PlayerBadInput, ReadsAreBounded) {
    auto r = RunCommandSplit("timeout 20 " + PlayerPath() + " --headless --load /dev/zero");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("larger than 16 MiB"), std::string::npos) << r.err;

    // An endless line is skipped with an error, and the session goes on.
    std::string script = "load /dev/zero\nget " + std::string(17u << 20, 'x') + "\nget TargetFrameRate\nquit\n";
    r = Script("", script);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out.substr(0, 400);
    EXPECT_NE(lines[0].find(R"("reply":"load","ok":false)"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("line longer than 16 MiB skipped"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], R"({"reply":"get","ok":true,"value":"30"})");
}

TEST_F(PlayerBadInput, MalformedCommandsGetErrorRepliesAndReadingGoesOn) {
    auto r = Script("",
                    "bogus\n"
                    "set NoSuchThing 1\n"
                    "set TargetFrameRate fast\n"
                    "get\n"
                    "frames x\n"
                    "mouse fly 1 2\n"
                    "mouse ldown 1\n"
                    "key down NoSuchKey\n"
                    "key sideways a\n"
                    "mouse move 3 4 left sideways\n"
                    "load /no/such/file.vpp\n"
                    "mouse ldown 5 5 left\n"  // a button word is taken on every message
                    "mouse lup 5 5 left shift\n"
                    "get scaleX");  // a last line without a newline is answered
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 14u) << r.out;
    for (size_t i = 0; i < 11; ++i) EXPECT_NE(lines[i].find("\"ok\":false,\"error\":"), std::string::npos) << lines[i];
    EXPECT_EQ(lines[0].rfind(R"({"reply":"bogus","ok":false)", 0), 0u);
    EXPECT_NE(lines[2].find("fast"), std::string::npos);
    EXPECT_EQ(lines[11], R"({"reply":"mouse","ok":true})");
    EXPECT_EQ(lines[12], R"({"reply":"mouse","ok":true})");
    EXPECT_EQ(lines[13], R"({"reply":"get","ok":true,"value":"1"})");
}

TEST_F(PlayerBadInput, OddComponentNamesAndCacheFolders) {
    // "--" ends the options, so a component may start with "-"; a relative TEMP still loads.
    ASSERT_EQ(test::RunCommand("cp '" + Probe() + "' '" + (dir_ / "-x.so") + "'").status, 0);
    auto r = RunCommandSplit("cd '" + dir_.Path() + "' && TEMP=rel/cache " + PlayerPath() + " --headless -- -x.so");
    EXPECT_EQ(r.status, 0) << r.err;

    // A cache folder others may write without the sticky bit is refused.
    ASSERT_EQ(test::RunCommand("mkdir -m 0777 '" + (dir_ / "open") + "' && chmod 0777 '" + (dir_ / "open") + "'").status, 0);
    r = RunCommandSplit("TEMP='" + (dir_ / "open") + "' " + PlayerPath() + " --headless " + Probe());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("not sticky"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vessant
