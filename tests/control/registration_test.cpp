// What registration writes for paths a desktop entry must quote, and which data directory it
// picks from the environment. The type information it registers (the library, every property
// with its id, type and access, the methods and the event) is what a recorded reference holds:
// a change to the published interface is a change to the reference too.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>

#include "control/registration.h"
#include "control/type_info.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

std::string ExecLine(const std::string& program) {
    std::string error;
    const std::string entry = Registration(RegistrationPaths::Below("/data"), program).DesktopEntryText(&error);
    const size_t at = entry.find("\nExec=");
    return at == std::string::npos ? "refused: " + error : entry.substr(at + 6, entry.find('\n', at + 1) - at - 6);
}

TEST(Registration, TheDesktopEntryQuotesAndEscapesThePlayersPath) {
    EXPECT_EQ(ExecLine("/usr/bin/vessant-player"), "/usr/bin/vessant-player --load %f");
    EXPECT_EQ(ExecLine("/opt/my apps/v\"p$%"), "\"/opt/my apps/v\\\\\"p\\\\$%%\" --load %f");
    EXPECT_EQ(ExecLine("/opt/back\\slash"), "\"/opt/back\\\\\\\\slash\" --load %f");
    EXPECT_EQ(ExecLine("/opt/line\nbreak").rfind("refused: ", 0), 0u);
    EXPECT_EQ(ExecLine("relative/player").rfind("refused: ", 0), 0u);
}

TEST(Registration, AnUnusablePlayerPathIsAClassFailureThatLeavesNothing) {
    test::ScratchDir dir;
    const RegistrationResult r = Registration(RegistrationPaths::Below(dir / "data"), "").Register();
    EXPECT_EQ(r.code, Registration::kClassFailure);
    EXPECT_NE(r.message.find("0x80040201"), std::string::npos) << r.message;
    EXPECT_FALSE(test::Exists(dir / "data/vessant-player/TessaryLib-4.4.json"));
}

TEST(Registration, TheDataDirectoryComesFromXdgDataHomeWhenAbsoluteElseHome) {
    RegistrationPaths paths;
    std::string error;
    setenv("XDG_DATA_HOME", "/x/data/", 1);
    setenv("HOME", "/home/u", 1);
    ASSERT_TRUE(RegistrationPaths::FromEnvironment(&paths, &error));
    EXPECT_EQ(paths.desktopEntry, "/x/data/applications/vessant-player.desktop");
    setenv("XDG_DATA_HOME", "relative", 1);
    ASSERT_TRUE(RegistrationPaths::FromEnvironment(&paths, &error));
    EXPECT_EQ(paths.mimePackage, "/home/u/.local/share/mime/packages/vessant-player.xml");
    unsetenv("XDG_DATA_HOME");
    unsetenv("HOME");
    EXPECT_FALSE(RegistrationPaths::FromEnvironment(&paths, &error));
    EXPECT_NE(error.find("HOME"), std::string::npos);
}

TEST(TypeInformation, IsTheRecordedInterfaceOnOneLine) {
    const std::string text = DescribeTypeInformation();
    const std::string reference =
        test::ReadText(std::string(VESSANT_SOURCE_DIR) + "/tests/data/type_info/TessaryLib-4.4.json");
    ASSERT_FALSE(reference.empty());
    EXPECT_EQ(nlohmann::json::parse(text), nlohmann::json::parse(reference));
    EXPECT_EQ(text.find('\n'), std::string::npos);  // the player's standard output carries JSON lines
}

}  // namespace
}  // namespace vessant
