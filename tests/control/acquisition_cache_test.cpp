// The cache on disk: private directories, modification records and copies of local files;
// merging component addresses and deriving cache paths from them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <set>
#include <string>
#include <vector>

#include "control/acquisition/cache_paths.h"
#include "control/acquisition/component_address.h"
#include "control/acquisition/copy_to_cache.h"
#include "control/acquisition/modification_record.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

using test::ScratchDir;

mode_t ModeOf(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

CachePaths PathsUnder(const std::string& base) {
    setenv("TEMP", base.c_str(), 1);
    CachePaths paths;
    std::string error;
    EXPECT_TRUE(ComputeCachePaths("http://127.0.0.1/app/dial.cab", &paths, &error)) << error;
    return paths;
}

TEST(CacheDirectoriesTest, CreatesPrivateDirectoriesAndRefusesSharedOnes) {
    ScratchDir dir;
    const CachePaths paths = PathsUnder(dir / "missing/parent");
    std::string error;
    ASSERT_TRUE(PrepareCacheDirectories(paths, &error)) << error;
    EXPECT_EQ(ModeOf(paths.root), 0700u);
    EXPECT_EQ(ModeOf(paths.componentDir), 0700u);
    EXPECT_TRUE(PrepareCacheDirectories(paths, &error)) << "a second run finds them in place";

    // Another user could plant a library in a directory it can write.
    ASSERT_EQ(chmod(paths.root.c_str(), 0777), 0);
    EXPECT_FALSE(PrepareCacheDirectories(paths, &error));
    EXPECT_NE(error.find("writable by other users"), std::string::npos) << error;
    ASSERT_EQ(chmod(paths.root.c_str(), 0700), 0);
    ASSERT_EQ(chmod(paths.componentDir.c_str(), 0770), 0);
    EXPECT_FALSE(PrepareCacheDirectories(paths, &error));
    ASSERT_EQ(chmod(paths.componentDir.c_str(), 0700), 0);
    if (geteuid() == 0) {  // only root can hand the directory to someone else
        ASSERT_EQ(chown(paths.componentDir.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(PrepareCacheDirectories(paths, &error));
        EXPECT_NE(error.find("belongs to another user"), std::string::npos) << error;
    }

    // A root that is a symbolic link is not trusted either.
    ScratchDir other;
    const CachePaths linked = PathsUnder(other.Path());
    ASSERT_EQ(symlink(dir.Path().c_str(), linked.root.substr(0, linked.root.size() - 1).c_str()), 0);
    EXPECT_FALSE(PrepareCacheDirectories(linked, &error));

    test::WriteText(dir / "plain-file", "x");
    EXPECT_FALSE(PrepareCacheDirectories(PathsUnder(dir / "plain-file"), &error));
    EXPECT_NE(error.find("not a directory"), std::string::npos) << error;
    unsetenv("TEMP");
}

TEST(ModificationRecordTest, EncodesUtcTimeAsLittleEndianFields) {
    // 2021-03-04 05:06:07 UTC, a Thursday.
    const ModificationRecord record = ModificationRecord::FromUnixTime(1614834367);
    const std::array<std::uint8_t, 16> expected = {0xE5, 0x07, 3, 0, 4, 0, 4, 0, 5, 0, 6, 0, 7, 0, 0, 0};
    EXPECT_EQ(record.Bytes(), expected);
    EXPECT_EQ(record.Text(), "2021-03-04 05:06:07 UTC");

    const ModificationRecord filler;
    EXPECT_TRUE(filler.IsFiller());
    for (std::uint8_t byte : filler.Bytes()) EXPECT_EQ(byte, 0x05);

    ScratchDir dir;
    const std::string file = dir / "source.so";
    test::WriteText(file, "library");
    struct utimbuf times = {1614834367, 1614834367};
    ASSERT_EQ(utime(file.c_str(), &times), 0);
    ModificationRecord local;
    ASSERT_TRUE(ModificationRecord::FromLocalFile(file, &local));
    EXPECT_EQ(local, record);
    EXPECT_FALSE(ModificationRecord::FromLocalFile(dir / "absent", &local));
}

TEST(ModificationRecordTest, RoundTripsAndTreatsDamagedRecordsAsOutOfDate) {
    ScratchDir dir;
    const std::string path = dir / "dial.source_modified_time";
    const ModificationRecord record = ModificationRecord::FromUnixTime(1700000000);
    EXPECT_FALSE(record.MatchesFile(path)) << "missing";
    std::string error;
    ASSERT_TRUE(record.Write(path, &error)) << error;
    EXPECT_EQ(test::ReadText(path).size(), 16u);
    EXPECT_TRUE(record.MatchesFile(path));
    EXPECT_FALSE(ModificationRecord::FromUnixTime(1700000001).MatchesFile(path));
    EXPECT_EQ(test::CountEntries(dir.Path()), 1) << "no temporary file left";

    test::WriteText(path, test::ReadText(path).substr(0, 15));
    EXPECT_FALSE(record.MatchesFile(path)) << "short";
    test::WriteText(path, std::string(reinterpret_cast<const char*>(record.Bytes().data()), 16) + "x");
    EXPECT_FALSE(record.MatchesFile(path)) << "long";
    EXPECT_FALSE(record.Write(dir / "no/such/dir/record", &error));
}

TEST(CopyToCacheTest, ReplacesTheCopyOnlyWhenComplete) {
    ScratchDir dir;
    const std::string source = dir / "dial.so";
    const std::string cached = dir / "cache.so";
    test::WriteText(source, std::string(3 << 20, 'v'));
    std::string error;
    ASSERT_TRUE(CopyToCache(source, cached, &error)) << error;
    EXPECT_EQ(test::ReadText(cached), test::ReadText(source));

    test::WriteText(source, "newer");
    ASSERT_TRUE(CopyToCache(source, cached, &error)) << error;
    EXPECT_EQ(test::ReadText(cached), "newer");

    EXPECT_FALSE(CopyToCache(dir / "absent.so", cached, &error));
    EXPECT_FALSE(CopyToCache(dir.Path(), cached, &error)) << "a directory is not a library";
    EXPECT_EQ(test::ReadText(cached), "newer");
    EXPECT_EQ(test::CountEntries(dir.Path()), 2) << "no temporary file left";
}

const char kPage[] = "http://127.0.0.1:8080/app/page.html?mode=1#top";

std::string Merged(const std::string& reference, const std::string& name) {
    const MergedAddress merged = ComponentAddress::Merge(reference, name);
    EXPECT_TRUE(merged.ok) << name << ": " << merged.error;
    return merged.address;
}

TEST(ComponentAddressTest, MergesNamesByTheirForm) {
    EXPECT_EQ(Merged(kPage, "C:\\comps\\dial.dll"), "file:///C:\\comps\\dial.dll");
    EXPECT_EQ(Merged(kPage, "\\\\server\\share\\dial.dll"), "file:///\\\\server\\share\\dial.dll");
    EXPECT_EQ(Merged(kPage, "/opt/comps/dial.so"), "file:///opt/comps/dial.so");
    EXPECT_EQ(Merged(kPage, "https://cdn.example/x/dial.cab"), "https://cdn.example/x/dial.cab");
    // Relative: the page's directory, its query and fragment dropped, the name's query kept.
    EXPECT_EQ(Merged(kPage, "dial.cab"), "http://127.0.0.1:8080/app/dial.cab");
    EXPECT_EQ(Merged(kPage, "parts/dial.cab?lib/dial.so"), "http://127.0.0.1:8080/app/parts/dial.cab?lib/dial.so");
    EXPECT_EQ(Merged("http://127.0.0.1:8080/page.html", "dial.so"), "http://127.0.0.1:8080/dial.so");
    EXPECT_EQ(Merged("file:///home/u/my docs/", "dial.so"), "file:///home/u/my docs/dial.so");
    EXPECT_EQ(Merged("file:///", "dial.so"), "file:///dial.so");
}

TEST(ComponentAddressTest, RefusesWhatCannotBeMerged) {
    EXPECT_FALSE(ComponentAddress::Merge(kPage, "").ok);
    EXPECT_FALSE(ComponentAddress::Merge("not an address", "dial.so").ok);
    // 1024 characters pass; one more is refused rather than cut.
    const std::string base = "http://127.0.0.1:8080/app/";
    const std::string fits(1024 - base.size(), 'a');
    EXPECT_EQ(ComponentAddress::Merge(kPage, fits).address.size(), 1024u);
    const MergedAddress tooLong = ComponentAddress::Merge(kPage, fits + "a");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_TRUE(tooLong.address.empty());
    EXPECT_FALSE(tooLong.error.empty());
}

TEST(ComponentAddressTest, CabinetTestAndLocalPaths) {
    EXPECT_TRUE(ComponentAddress::IsCabinet("http://h/app/DIAL.CAB"));
    EXPECT_FALSE(ComponentAddress::IsCabinet("http://h/app/dial.cab?dial.so"));
    EXPECT_FALSE(ComponentAddress::IsCabinet("cab"));
    EXPECT_EQ(ComponentAddress::LocalPath("file:///tmp/my dir/dial.so?x"), "/tmp/my dir/dial.so");
    EXPECT_EQ(ComponentAddress::LocalPath("file://localhost/tmp/dial.so"), "/tmp/dial.so");
    EXPECT_EQ(ComponentAddress::LocalPath("FILE:///C:\\comps\\dial.dll"), "/C:\\comps\\dial.dll");
    EXPECT_EQ(ComponentAddress::LocalPath("http://h/dial.so"), "");

    test::ScratchDir dir;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    EXPECT_EQ(ComponentAddress::FromWorkingDirectory(), "file://" + dir.Path() + "/");
    ASSERT_EQ(chdir(previous), 0);
}

TEST(CachePathsTest, LaysOutOneDirectoryPerAddress) {
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("TEMP", "/var/cache-test", 1);
    CachePaths paths;
    std::string error;
    ASSERT_TRUE(ComputeCachePaths("http://127.0.0.1:8080/app/dial.cab", &paths, &error)) << error;
    EXPECT_EQ(paths.root, "/var/cache-test/Vessant Temporary Files/");
    // A readable part, then the digest of the address: 32 hex digits.
    ASSERT_EQ(paths.mangledName.rfind("http___127_0_0_1_8080_app_dial_", 0), 0u) << paths.mangledName;
    EXPECT_EQ(paths.mangledName.size(), std::string("http___127_0_0_1_8080_app_dial_").size() + 32);
    EXPECT_EQ(paths.componentDir, paths.root + paths.mangledName + "/");
    EXPECT_EQ(paths.libraryPath, paths.componentDir + "dial.so");
    EXPECT_EQ(paths.recordPath, paths.root + paths.mangledName + ".source_modified_time");
    const std::string cabinetName = paths.mangledName;

    // A query names the library inside the cabinet and shares the cabinet's directory.
    ASSERT_TRUE(ComputeCachePaths("http://127.0.0.1:8080/app/dial.cab?lib\\gauge.so", &paths, &error));
    EXPECT_EQ(paths.libraryPath, paths.root + cabinetName + "/lib/gauge.so");
    ASSERT_TRUE(ComputeCachePaths("http://127.0.0.1:8080/app/dial", &paths, &error));
    EXPECT_EQ(paths.libraryPath, paths.componentDir + "dial.so");

    // Addresses whose readable parts agree still get directories of their own.
    const std::vector<std::string> alike = {"http://h/a-b/comp.cab", "http://h/a_b/comp.cab", "http://h/a.b/comp.cab",
                                            "http://h/a-b/comp.CAB", "http://127.0.0.1:8080/app/dial"};
    std::set<std::string> names = {cabinetName};
    for (const std::string& address : alike) names.insert(MangleAddress(address));
    EXPECT_EQ(names.size(), alike.size() + 1);
    EXPECT_EQ(MangleAddress("http://h/a-b/comp.cab"), MangleAddress("http://h/a-b/comp.cab?x.so"));
    // A very long address still gives a name that fits a file name.
    EXPECT_LE(MangleAddress("http://h/" + std::string(5000, 'x') + ".cab").size(), 200u);

    // A library name leading out of the component directory is refused.
    EXPECT_FALSE(ComputeCachePaths("http://h/dial.cab?../../evil.so", &paths, &error));
    EXPECT_FALSE(ComputeCachePaths("http://h/dial.cab?/usr/lib/evil.so", &paths, &error));
    EXPECT_FALSE(ComputeCachePaths("http://h/dial.cab?", &paths, &error));

    // Without TEMP the root is under XDG_CACHE_HOME, else HOME's .cache; without either, none.
    unsetenv("TEMP");
    setenv("XDG_CACHE_HOME", "/xdg", 1);
    const auto root = [&] { return ComputeCachePaths("http://h/dial.so", &paths, &error) ? paths.root : "none"; };
    EXPECT_EQ(root(), "/xdg/Vessant Temporary Files/");
    unsetenv("XDG_CACHE_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(root(), "/home/someone/.cache/Vessant Temporary Files/");
    unsetenv("HOME");
    EXPECT_EQ(root(), "none");
    EXPECT_FALSE(error.empty());
    if (!home.empty()) setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace vessant
