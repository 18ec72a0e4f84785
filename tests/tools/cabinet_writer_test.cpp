// Cabinets the packer writes, read back by the player's own extractor and by gcab: every byte
// of every file, across block boundaries, and the same bytes for the same files.
#include <gtest/gtest.h>

#include <random>

#include "control/acquisition/cabinet_extractor.h"
#include "support/acquisition_fixture.h"
#include "tools/vessant_pack/cabinet_writer.h"

namespace vessant {
namespace {

using test::ReadText;
using test::WriteText;

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

struct Entry {
    std::string name;     // in the cabinet
    std::string path;     // where it unpacks
    std::string contents;
};

std::vector<Entry> SampleFiles() {
    std::string text;
    for (int i = 0; text.size() < 70000; ++i) text += "line " + std::to_string(i) + " of a compressible text\n";
    return {
        {"dial.so", "dial.so", RandomBytes(100001, 7)},  // incompressible, four blocks, the last one byte long
        {"readme.txt", "readme.txt", text},
        {"empty", "empty", ""},
        {"data\\table.bin", "data/table.bin", RandomBytes(CabinetWriter::kBlockSize, 9)},
        {"caf\xc3\xa9.txt", "caf\xc3\xa9.txt", "utf-8 name"},
    };
}

std::string BuildSample() {
    CabinetWriter writer;
    std::string error;
    for (const Entry& e : SampleFiles()) EXPECT_TRUE(writer.Add(e.name, e.contents, &error)) << error;
    std::string cabinet;
    EXPECT_TRUE(writer.Build(&cabinet, &error)) << error;
    return cabinet;
}

TEST(CabinetWriter, EveryFileUnpacksWholeThroughThePlayersExtractorAndGcab) {
    test::ScratchDir dir;
    const std::string cabinet = BuildSample();
    WriteText(dir / "sample.cab", cabinet);

    ACQ_RUN("mkdir '" + (dir / "player") + "'");
    const ExtractionResult result = CabinetExtractor::Extract(dir / "sample.cab", dir / "player/");
    ASSERT_TRUE(result.ok) << result.error;
    for (const Entry& e : SampleFiles()) EXPECT_EQ(ReadText(dir / ("player/" + e.path)), e.contents) << e.name;

    if (test::RunCommand("command -v gcab").status != 0) return;
    ACQ_RUN("mkdir '" + (dir / "gcab") + "' && cd '" + (dir / "gcab") + "' && gcab -x ../sample.cab");
    for (const Entry& e : SampleFiles()) {
        if (e.name.find('\\') == std::string::npos) {
            EXPECT_EQ(ReadText(dir / ("gcab/" + e.path)), e.contents) << e.name;
        }
    }
}

TEST(CabinetWriter, RefusesNamesTheCabinetCannotHoldOrTheExtractorWouldRefuse) {
    CabinetWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Add("a.so", "x", &error));
    for (const std::string& name : {std::string(), std::string("/etc/passwd"), std::string("\\root"),
                                    std::string("a.so"), std::string(256, 'n'), std::string("nul\0here", 8)}) {
        error.clear();
        EXPECT_FALSE(writer.Add(name, "y", &error)) << name;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(writer.Add(std::string(255, 'n'), "y", &error)) << error;
    EXPECT_EQ(writer.FileCount(), 2u);
}

TEST(CabinetWriter, ATamperedBlockFailsItsChecksum) {
    test::ScratchDir dir;
    std::string cabinet = BuildSample();
    cabinet[cabinet.size() - 100] ^= 0x01;
    WriteText(dir / "bad.cab", cabinet);
    ACQ_RUN("mkdir '" + (dir / "out") + "'");
    EXPECT_FALSE(CabinetExtractor::Extract(dir / "bad.cab", dir / "out/").ok);
    EXPECT_EQ(test::CountEntries(dir / "out"), 0);
}

}  // namespace
}  // namespace vessant
