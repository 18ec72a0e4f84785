// The installed tree as a component author and a host author meet it: `cmake --install` into a
// scratch prefix, a component built from a folder outside the source tree with nothing but
// find_package(VessantSDK) and vessant_add_component, drawn by the installed player; a C host
// built through pkg-config. A component library, built there or in this tree, needs no toolkit.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/run_command.h"

namespace vessant {
namespace {

using test::RunCommand;

#if defined(__SANITIZE_ADDRESS__)
// The installed libraries carry the sanitizers: whatever links them must too.
const std::string kSanitizerFlags = " -fsanitize=address,undefined";
const std::string kRunEnvironment = "ASAN_OPTIONS=detect_leaks=0 ";
#else
const std::string kSanitizerFlags;
const std::string kRunEnvironment;
#endif

// A component's copy of the runtime reports through its default log sink: the libraries it names
// as NEEDED must not bring the player's toolkit, nor GLU, into every process that loads it.
void ExpectNoToolkit(const std::string& library) {
    const std::string needed = RunCommand("readelf -d '" + library + "' | grep '(NEEDED)'").output;
    EXPECT_NE(needed.find("libc.so"), std::string::npos) << library << ":\n" << needed;
    EXPECT_EQ(needed.find("libfltk"), std::string::npos) << library << ":\n" << needed;
    EXPECT_EQ(needed.find("libGLU"), std::string::npos) << library << ":\n" << needed;
}

class InstalledSdk : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = std::make_unique<test::ScratchDir>();
        const auto r = RunCommand("cmake --install '" + std::string(VESSANT_BINARY_DIR) + "' --prefix '" + Prefix() + "'");
        installed_ = r.status == 0;
        installOutput_ = r.output;
    }
    static void TearDownTestSuite() { scratch_.reset(); }
    void SetUp() override { ASSERT_TRUE(installed_) << installOutput_; }

    static std::string Prefix() { return *scratch_ / "prefix"; }
    static std::string Scratch(const std::string& name) { return *scratch_ / name; }
    // Configures and builds a project at source against the installed prefix.
    static test::CommandResult Build(const std::string& source, const std::string& build) {
        return RunCommand("(cmake -S '" + source + "' -B '" + build + "' -DCMAKE_PREFIX_PATH='" + Prefix() +
                          "' -DCMAKE_BUILD_TYPE=Release && cmake --build '" + build + "' -j2)");
    }

    static std::unique_ptr<test::ScratchDir> scratch_;
    static bool installed_;
    static std::string installOutput_;
};
std::unique_ptr<test::ScratchDir> InstalledSdk::scratch_;
bool InstalledSdk::installed_ = false;
std::string InstalledSdk::installOutput_;

TEST_F(InstalledSdk, AComponentBuiltOutsideTheTreeIsDrawnByTheInstalledPlayer) {
    const std::string source = Scratch("plate");
    ASSERT_EQ(RunCommand("cp -r '" + std::string(VESSANT_SOURCE_DIR) + "/tests/data/sdk/plate' '" + source + "'").status, 0);
    const auto built = Build(source, Scratch("plate-build"));
    ASSERT_EQ(built.status, 0) << built.output;
    const std::string library = Scratch("plate-build") + "/out/libplate.so";

    // Only the contract leaves the library: the runtime inside stays private.
    const auto symbols = RunCommand("nm -D --defined-only '" + library + "' | awk '{print $3}' | sort");
    EXPECT_EQ(symbols.output, "CreateKeshInterface1_Plate\nGetVesBuiltVersionInfo\nVesDefaultClassName\n");
    ExpectNoToolkit(library);

    const std::string png = Scratch("plate.png");
    const auto played = RunCommand(Prefix() + "/bin/vessant-player --headless --size 64x64 --set UseContainerBackground=0"
                                   " --set BackgroundColor=0x0000FF --snapshot '" + png + "' '" + library + "'");
    ASSERT_EQ(played.status, 0) << played.output;
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(png, &image));
    const std::uint8_t* centre = image.At(32, 32);
    EXPECT_TRUE(centre[0] < 20 && centre[1] > 180 && centre[2] < 20) << int(centre[0]) << "," << int(centre[1]) << ","
                                                                      << int(centre[2]);
}

TEST(InTreeComponent, NeedsNoToolkit) { ExpectNoToolkit(test::Instrument()); }

TEST_F(InstalledSdk, TheVersionFileRefusesAnotherMajorVersion) {
    const std::string source = Scratch("wants5");
    ASSERT_EQ(RunCommand("mkdir -p '" + source + "'").status, 0);
    test::WriteText(source + "/CMakeLists.txt",
                    "cmake_minimum_required(VERSION 3.20)\nproject(W LANGUAGES CXX)\nfind_package(VessantSDK 5.0 REQUIRED)\n");
    const auto r = Build(source, Scratch("wants5-build"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("4.4"), std::string::npos) << r.output;
}

TEST_F(InstalledSdk, AHostInCBuildsAndRunsThroughPkgConfig) {
    const std::string program = Scratch("host.c");
    test::WriteText(program,
                    "#include <stdio.h>\n#include <vessant/vessant_player.h>\n"
                    "int main(void) {\n  char error[256] = \"\";\n"
                    "  VessantControl* c = vessant_create_headless(8, 8, error, sizeof error);\n"
                    "  if (!c) { printf(\"skip %s\\n\", error); return 0; }\n"
                    "  char value[32];\n  vessant_get_property(c, \"TargetFrameRate\", value, sizeof value);\n"
                    "  printf(\"rate %s\\n\", value);\n  vessant_destroy(c);\n  return 0;\n}\n");
    const std::string pc = "PKG_CONFIG_PATH='" + Prefix() + "/lib/pkgconfig' pkg-config";
    const auto modversion = RunCommand(pc + " --modversion vessant-player");
    EXPECT_EQ(modversion.output, "4.4.0\n");
    const auto compiled = RunCommand("cc -o '" + Scratch("host") + "' '" + program + "' $(" + pc +
                                     " --cflags --libs vessant-player)" + kSanitizerFlags);
    ASSERT_EQ(compiled.status, 0) << compiled.output;
    const auto ran = RunCommand(kRunEnvironment + "LD_LIBRARY_PATH='" + Prefix() + "/lib' '" + Scratch("host") + "'");
    ASSERT_EQ(ran.status, 0) << ran.output;
    if (ran.output.rfind("skip", 0) == 0) GTEST_SKIP() << ran.output;
    EXPECT_EQ(ran.output, "rate 30\n");
}

}  // namespace
}  // namespace vessant
