// The cache on disk: private directories, modification records and copies of local files;
// merging component addresses and deriving cache paths from them; unpacking real cabinets
// (written by gcab, or by hand for names gcab will not write).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <set>
#include <string>
#include <vector>

#include "control/acquisition/cabinet_extractor.h"
#include "control/acquisition/cache_paths.h"
#include "control/acquisition/component_address.h"
#include "control/acquisition/copy_to_cache.h"
#include "control/acquisition/modification_record.h"
#include "support/acquisition_fixture.h"
#include "support/log_capture.h"

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

using test::ScratchDir;

void Put16(std::string* out, unsigned value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
}
void Put32(std::string* out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A cabinet with one stored (uncompressed) folder and no block checksums, entry names taken as
// given: for names a cabinet tool refuses to write.
std::string StoredCabinet(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string files, data;
    for (const auto& entry : entries) {
        Put32(&files, static_cast<std::uint32_t>(entry.second.size()));
        Put32(&files, static_cast<std::uint32_t>(data.size()));  // offset in the folder
        Put16(&files, 0);                                          // folder
        Put16(&files, 0x21);                                       // date 1980-01-01
        Put16(&files, 0);                                          // time
        Put16(&files, 0x20);                                       // attributes
        files += entry.first + '\0';
        data += entry.second;
    }
    std::string blocks;
    unsigned count = 0;
    for (std::size_t at = 0; at < data.size(); at += 32768, ++count) {
        const std::string block = data.substr(at, 32768);
        Put32(&blocks, 0);  // no checksum
        Put16(&blocks, static_cast<unsigned>(block.size()));
        Put16(&blocks, static_cast<unsigned>(block.size()));
        blocks += block;
    }
    const std::uint32_t dataStart = 36 + 8 + static_cast<std::uint32_t>(files.size());
    std::string cabinet = "MSCF";
    for (std::uint32_t field : {0u, dataStart + static_cast<std::uint32_t>(blocks.size()), 0u, 44u, 0u})
        Put32(&cabinet, field);
    cabinet += std::string("\x03\x01", 2);  // format version 1.3
    for (unsigned field : {1u, static_cast<unsigned>(entries.size()), 0u, 0x1234u, 0u}) Put16(&cabinet, field);
    Put32(&cabinet, dataStart);  // the folder: where its data starts, block count, stored
    Put16(&cabinet, count);
    Put16(&cabinet, 0);
    return cabinet + files + blocks;
}

class CabinetExtractorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ACQ_RUN("mkdir -p '" + (in_ / "lib") + "' '" + (in_ / "out") + "' && head -c 200000 /dev/urandom > '" +
                (in_ / "lib/gauge.so") + "'");
        test::WriteText(in_ / "dial.so", std::string(100000, 'd'));
    }
    ExtractionResult Extract(const std::string& cabinet) {
        vessant::test::CaptureLog();
        ExtractionResult result = CabinetExtractor::Extract(cabinet, out_.Path());
        printed_ = vessant::test::TakeCapturedLog();
        return result;
    }
    // A stored cabinet holding good.so and one entry with the given name.
    std::string Crafted(const std::string& entry) {
        const std::string body = test::ReadText(in_ / "dial.so");
        test::WriteText(in_ / "crafted.cab", StoredCabinet({{"good.so", body}, {entry, body}}));
        return in_ / "crafted.cab";
    }

    ScratchDir in_, out_;
    std::string printed_;
};

TEST_F(CabinetExtractorTest, UnpacksEveryFileWithItsDirectories) {
    for (const char* options : {"-c", "-c -z"}) {
        ACQ_RUN("cd '" + in_.Path() + "' && gcab " + options + " dial.cab dial.so lib/gauge.so");
        const ExtractionResult result = Extract(in_ / "dial.cab");
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(printed_, "Success\n");
        EXPECT_EQ(result.files.size(), 2u);
        EXPECT_EQ(test::ReadText(out_ / "dial.so"), test::ReadText(in_ / "dial.so"));
        EXPECT_EQ(test::ReadText(out_ / "lib/gauge.so"), test::ReadText(in_ / "lib/gauge.so"));
        EXPECT_EQ(test::CountEntries(out_.Path()), 2) << "no temporary file left";
    }
    // A hand-made stored cabinet unpacks too, so the refusals below are about the names alone.
    ASSERT_TRUE(Extract(Crafted("sub\\plain.so")).ok);
    EXPECT_EQ(test::ReadText(out_ / "sub/plain.so"), test::ReadText(in_ / "dial.so"));
}

TEST_F(CabinetExtractorTest, RefusesNamesLeadingOutsideBeforeWritingAnything) {
    for (const char* entry : {"..\\escaped.so", "../escaped.so", "sub\\..\\..\\escaped.so", "/tmp/escaped.so",
                              "\\escaped.so", "C:\\escaped.so", "sub\\.\\x.so"}) {
        const ExtractionResult result = Extract(Crafted(entry));
        EXPECT_FALSE(result.ok) << entry;
        EXPECT_NE(result.error.find("Refused"), std::string::npos) << result.error;
        EXPECT_EQ(printed_, "Failure\n");
        EXPECT_EQ(test::CountEntries(out_.Path()), 0) << entry << ": not even the good entry is written";
    }
    EXPECT_FALSE(test::Exists(in_ / "escaped.so"));
    EXPECT_FALSE(test::Exists("/tmp/escaped.so"));

    // A file named like the folder of another entry cannot be placed with it: nothing is.
    const std::string body = test::ReadText(in_ / "dial.so");
    test::WriteText(in_ / "clash.cab", StoredCabinet({{"good.so", body}, {"lib", body}, {"lib\\x.so", body}}));
    const ExtractionResult clash = Extract(in_ / "clash.cab");
    EXPECT_FALSE(clash.ok);
    EXPECT_NE(clash.error.find("cannot both be files"), std::string::npos) << clash.error;
    EXPECT_EQ(test::CountEntries(out_.Path()), 0);
}

TEST_F(CabinetExtractorTest, CorruptCabinetsUnpackNothing) {
    ACQ_RUN("cd '" + in_.Path() + "' && gcab -c -z dial.cab dial.so lib/gauge.so && cp dial.cab flipped.cab" +
            " && printf 'XXXXXXXX' | dd of=flipped.cab bs=1 seek=150000 conv=notrunc status=none" +
            " && head -c 120000 dial.cab > truncated.cab");
    test::WriteText(in_ / "text.cab", "not a cabinet at all");
    // A cabinet whose header says it continues another of a set.
    std::string continued = StoredCabinet({{"good.so", "body"}});
    continued[30] = 0x01;
    test::WriteText(in_ / "continued.cab", continued);
    for (const char* name : {"flipped.cab", "truncated.cab", "text.cab", "absent.cab", "continued.cab"}) {
        const ExtractionResult result = Extract(in_ / name);
        EXPECT_FALSE(result.ok) << name;
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(printed_, "Failure\n");
        EXPECT_EQ(test::CountEntries(out_.Path()), 0) << name << ": all or nothing";
    }
}

}  // namespace
}  // namespace vessant
