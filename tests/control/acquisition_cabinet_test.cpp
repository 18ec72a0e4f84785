// Unpacking real cabinets (written by gcab, or by hand for names gcab will not write).
#include <gtest/gtest.h>

#include <vector>

#include "support/log_capture.h"
#include "control/acquisition/cabinet_extractor.h"
#include "support/acquisition_fixture.h"

namespace vessant {
namespace {

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
