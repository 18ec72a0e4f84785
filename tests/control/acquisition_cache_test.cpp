// The cache on disk: private directories, modification records and copies of local files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include "control/acquisition/cache_paths.h"
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

}  // namespace
}  // namespace vessant
