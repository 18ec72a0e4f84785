// Loading libraries: names tried, version refusal, reasons, and the symbols found.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/log_capture.h"
#include "common/dynamic_library.h"

namespace vessant {
namespace {

namespace fs = std::filesystem;

const char kIncompatible[] = ": Incompatible compiler or Vessant version\n";

// True while the process has the library at path loaded.
bool InProcess(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
}

int FixtureBuild(const DynamicLibrary& library) {
    const auto build = reinterpret_cast<int (*)()>(library.GetSymbol("BuiltVersionFixtureBuild"));
    return build != nullptr ? build() : -1;
}

// A fresh directory for copies of the fixture libraries under names of the test's choosing.
class DynamicLibraryTest : public testing::Test {
protected:
    std::string CopyTo(const char* library, const std::string& relative) {
        const fs::path target = fs::path(dir_.Path()) / relative;
        fs::create_directories(target.parent_path());
        fs::copy_file(library, target, fs::copy_options::overwrite_existing);
        return target.string();
    }

    vessant::test::ScratchDir dir_;
};

TEST_F(DynamicLibraryTest, VersionCheckUnderEveryNameTriedThenSymbolsAndUnloading) {
    DynamicLibrary accepted(KESH_VERSION_ACCEPTED_LIBRARY, true, false, true);
    EXPECT_TRUE(accepted.IsLoaded());
    EXPECT_EQ(accepted.ErrorCode(), DynamicLibrary::LOAD_ERROR_NONE);
    EXPECT_EQ(accepted.ErrorText(), nullptr);
    EXPECT_EQ(FixtureBuild(accepted), 1506);

    for (const char* refusedPath : {KESH_VERSION_BUILD_TOO_FAR_LIBRARY, KESH_VERSION_OLD_MINOR_LIBRARY,
                                    KESH_PROBE_LIBRARY /* no version export */}) {
        SCOPED_TRACE(refusedPath);
        DynamicLibrary refused(refusedPath, true, false, true);
        EXPECT_FALSE(refused.IsLoaded());
        EXPECT_EQ(refused.ErrorCode(), DynamicLibrary::LOAD_ERROR_VERSION);
        ASSERT_NE(refused.ErrorText(), nullptr);
        EXPECT_EQ(refused.ErrorText(), std::string(refusedPath) + kIncompatible);
        EXPECT_FALSE(InProcess(refusedPath));
        EXPECT_EQ(refused.GetSymbol("GetVesBuiltVersionInfo"), nullptr);
    }

    // Without the check, the same libraries load.
    DynamicLibrary unchecked(KESH_VERSION_BUILD_TOO_FAR_LIBRARY, true, false, false);
    EXPECT_TRUE(unchecked.IsLoaded());
    EXPECT_EQ(FixtureBuild(unchecked), 1507);

    const std::string library = CopyTo(KESH_VERSION_BUILD_TOO_FAR_LIBRARY, "libtoofar.so");
    const std::string name = dir_ / "libtoofar.component";
    DynamicLibrary refused(name.c_str(), true, true, true);
    EXPECT_FALSE(refused.IsLoaded());
    EXPECT_EQ(refused.ErrorCode(), DynamicLibrary::LOAD_ERROR_VERSION);
    EXPECT_EQ(refused.ErrorText(), library + kIncompatible);

    {
        DynamicLibrary library(KESH_PROBE_LIBRARY, false, false, false);
        ASSERT_TRUE(library.IsLoaded());
        EXPECT_NE(library.GetSymbol("CreateKeshInterface1_ContractProbe"), nullptr);
        EXPECT_EQ(library.GetSymbol("CreateKeshInterface1_NoSuchClass"), nullptr);
        EXPECT_EQ(library.GetSymbol(nullptr), nullptr);
        EXPECT_TRUE(InProcess(KESH_PROBE_LIBRARY));
    }
    EXPECT_FALSE(InProcess(KESH_PROBE_LIBRARY));
}

TEST_F(DynamicLibraryTest, NamesAreExpandedSearchedOrTakenAsFilesAndOnlyTheLastExtensionReplaced) {
    const std::string path = KESH_VERSION_ACCEPTED_LIBRARY;
    const std::string dir = fs::path(path).parent_path().string();
    const std::string file = fs::path(path).filename().string();
    ASSERT_EQ(setenv("VESSANT_TEST_FIXTURE_DIR", dir.c_str(), 1), 0);
    ASSERT_EQ(unsetenv("VESSANT_TEST_UNSET"), 0);

    DynamicLibrary expanded(("%VESSANT_TEST_FIXTURE_DIR%/" + file).c_str(), true, false, true);
    EXPECT_TRUE(expanded.IsLoaded());

    DynamicLibrary unset(("%VESSANT_TEST_UNSET%" + path).c_str(), true, false, true);
    EXPECT_TRUE(unset.IsLoaded());
    unsetenv("VESSANT_TEST_FIXTURE_DIR");

    // zlib lies in the system loader path; the directory given does not exist.
    DynamicLibrary zlib("/no/such/directory/libz.so.1", true, false, false);
    ASSERT_TRUE(zlib.IsLoaded()) << zlib.ErrorText();
    EXPECT_NE(zlib.GetSymbol("zlibVersion"), nullptr);

    CopyTo(KESH_VERSION_ACCEPTED_LIBRARY, "libkesh_in_working_dir.so");
    const fs::path previous = fs::current_path();
    fs::current_path(dir_.Path());
    DynamicLibrary library("libkesh_in_working_dir.so", true, false, false);
    fs::current_path(previous);
    EXPECT_TRUE(library.IsLoaded()) << library.ErrorText();
    EXPECT_EQ(FixtureBuild(library), 1506);

    // The only dot is in the directory: ".so" is appended and tried first, then the plain name.
    const std::string name = dir_ / "lib.dir/libfixture";
    {
        DynamicLibrary neither(name.c_str(), true, true, false);
        EXPECT_FALSE(neither.IsLoaded());
        EXPECT_EQ(neither.ErrorCode(), DynamicLibrary::LOAD_ERROR_LOADER);
        const std::string reason = neither.ErrorText();
        EXPECT_EQ(reason.rfind(name + ".so: ", 0), 0u) << reason;
        EXPECT_NE(reason.find("\n" + name + ": "), std::string::npos) << reason;
    }

    CopyTo(KESH_VERSION_ACCEPTED_LIBRARY, "lib.dir/libfixture");
    {
        DynamicLibrary plain(name.c_str(), true, true, false);
        EXPECT_TRUE(plain.IsLoaded());
        EXPECT_EQ(plain.ErrorCode(), DynamicLibrary::LOAD_ERROR_NONE);
        EXPECT_EQ(plain.ErrorText(), nullptr);
        EXPECT_EQ(FixtureBuild(plain), 1506);
    }

    CopyTo(KESH_VERSION_BUILD_TOO_FAR_LIBRARY, "lib.dir/libfixture.so");
    DynamicLibrary replaced((name + ".v2.component").c_str(), true, true, false);
    EXPECT_TRUE(replaced.IsLoaded());
    EXPECT_EQ(FixtureBuild(replaced), 1507);
}

TEST_F(DynamicLibraryTest, FailedLoadReportsTheLoaderReasonAndEmptyNamesNeverYieldTheMainProgram) {
    const std::string name = dir_ / "not_a_library.so";
    {
        std::FILE* file = std::fopen(name.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("plain text, not a shared object\n", file);
        std::fclose(file);
    }
    dlerror();
    ASSERT_EQ(dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL), nullptr);
    const std::string systemReason = dlerror();

    vessant::test::CaptureLog();
    {
        DynamicLibrary quiet(name.c_str(), true, false, false);
        EXPECT_FALSE(quiet.IsLoaded());
        EXPECT_EQ(quiet.ErrorCode(), DynamicLibrary::LOAD_ERROR_LOADER);
        EXPECT_EQ(quiet.ErrorText(), name + ": " + systemReason + "\n");
        EXPECT_EQ(quiet.GetSymbol("GetVesBuiltVersionInfo"), nullptr);
    }
    EXPECT_EQ(vessant::test::TakeCapturedLog(), "");

    vessant::test::CaptureLog();
    DynamicLibrary shown(name.c_str(), false, false, false);
    const std::string expected = "Error: Error opening " + name + "\n" + shown.ErrorText();
    EXPECT_EQ(vessant::test::TakeCapturedLog(), expected.substr(0, 255) + "\n");

    ASSERT_EQ(unsetenv("VESSANT_TEST_UNSET"), 0);
    for (const char* name : {static_cast<const char*>(nullptr), "", "%VESSANT_TEST_UNSET%",
                             "/no/such/directory/"}) {
        SCOPED_TRACE(name != nullptr ? name : "null");
        DynamicLibrary library(name, true, false, false);
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_EQ(library.ErrorCode(), DynamicLibrary::LOAD_ERROR_LOADER);
        EXPECT_NE(library.ErrorText(), nullptr);
        EXPECT_EQ(library.GetSymbol("main"), nullptr);
    }
}

}  // namespace
}  // namespace vessant
