// Registration for one user, against a scratch XDG_DATA_HOME: the files, the desktop's view of
// the saved property set's type, removal of exactly what was registered, and the failure codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "support/acquisition_fixture.h"
#include "support/run_command.h"

namespace vessant {
namespace {

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
