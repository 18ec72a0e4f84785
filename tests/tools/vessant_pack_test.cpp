// vessant-pack as a component's publisher runs it: a sample packed and signed, served from a
// loopback web server and played; the same input gives the same files; a tampered cabinet and a
// certificate that is not for code signing are refused. And the cabinets it writes, read back by
// the player's own extractor and by gcab: every byte of every file, across block boundaries.
#include <gtest/gtest.h>

#include <random>

#include "control/acquisition/cabinet_extractor.h"
#include "support/acquisition_fixture.h"
#include "support/run_command.h"
#include "support/signing_fixture.h"
#include "tools/vessant_pack/cabinet_writer.h"

namespace vessant {
namespace {

using test::ReadText;
using test::RunCommand;

std::string Packer() { return std::string(VESSANT_BINARY_DIR) + "/tools/vessant-pack"; }
using test::Instrument;

class Packing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(signer_.Ok()); }
    std::string Signer(const std::string& file) const { return signer_.Directory() + "/" + file; }
    test::CommandResult Pack(const std::string& output, const std::string& extra = "") const {
        return RunCommand(Packer() + " --key " + Signer("signer.key") + " --cert " + Signer("signer.pem") + " -o '" +
                          output + "' '" + Instrument() + "' " + extra);
    }
    // The player loads NAME from the server's app folder: its reply to "getattrib Value".
    test::SplitResult Play(const test::LoopbackServer& server, const std::string& name) const {
        return test::RunCommandSplit("printf 'getattrib Value\\nquit\\n' | TEMP='" + cache_.Path() + "' " +
                                     test::PlayerPath() + " --headless --script --base-url " +
                                     server.Url("/app/page.html") + " " + name);
    }

    test::TestSigner signer_;
    test::ScratchDir root_, cache_;
};

TEST_F(Packing, APackedSampleIsPlayedTheSameInputGivesTheSameBytesAndBadInputIsRefused) {
    ACQ_RUN("mkdir '" + (root_ / "app") + "' && echo 'needle: red' > '" + (root_ / "notes.txt") + "'");
    const auto packed = Pack(root_ / "app/dial.cab", "'" + (root_ / "notes.txt") + "'");
    ASSERT_EQ(packed.status, 0) << packed.output;
    const std::string listing = RunCommand("gcab -l '" + (root_ / "app/dial.cab") + "'").output;
    EXPECT_NE(listing.find("dial.so"), std::string::npos) << listing;
    EXPECT_NE(listing.find("notes.txt"), std::string::npos) << listing;

    test::LoopbackServer server(root_.Path());
    ASSERT_TRUE(server.Running());
    const auto played = Play(server, "dial.cab");
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_EQ(played.out, "{\"reply\":\"getattrib\",\"ok\":true,\"value\":\"50\"}\n{\"reply\":\"quit\",\"ok\":true}\n")
        << played.err;
    EXPECT_NE(server.Requests().find("GET /app/dial.cab.p7s"), std::string::npos);

    ACQ_RUN("mkdir '" + (root_ / "a") + "' '" + (root_ / "b") + "'");
    ASSERT_EQ(Pack(root_ / "a/dial.cab").status, 0);
    ACQ_RUN("sleep 1.1");  // a later second must not show in the files
    ASSERT_EQ(Pack(root_ / "b/dial.cab").status, 0);
    EXPECT_EQ(ReadText(root_ / "a/dial.cab"), ReadText(root_ / "b/dial.cab"));
    EXPECT_EQ(ReadText(root_ / "a/dial.cab.p7s"), ReadText(root_ / "b/dial.cab.p7s"));

    const std::string d = signer_.Directory() + "/";
    ASSERT_TRUE(signer_.Issue("web", "serverAuth"));
    const auto r = RunCommand(Packer() + " --key " + d + "web.key --cert " + d + "web.pem -o '" + (root_ / "x.cab") +
                              "' '" + Instrument() + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("not for code signing"), std::string::npos) << r.output;
    EXPECT_FALSE(test::Exists(root_ / "x.cab"));
    EXPECT_FALSE(test::Exists(root_ / "x.cab.p7s"));

    // The key of another certificate.
    const auto mismatched = RunCommand(Packer() + " --key " + d + "web.key --cert " + d + "signer.pem -o '" +
                                       (root_ / "x.cab") + "' '" + Instrument() + "'");
    EXPECT_EQ(mismatched.status, 1);
    EXPECT_NE(mismatched.output.find("does not belong"), std::string::npos) << mismatched.output;

    for (const std::string& args : {std::string("--key k --cert c x.so"), std::string("--key k --cert c -o x.zip x.so"),
                                    std::string("--key k --cert c -o x.cab"), std::string("--bogus")}) {
        const auto usage = RunCommand(Packer() + " " + args);
        EXPECT_EQ(usage.status, 2) << args << ": " << usage.output;
    }
    const auto missing = Pack(root_ / "y.cab", "'" + (root_ / "absent.txt") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("absent.txt"), std::string::npos) << missing.output;
}

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

TEST(CabinetWriter, RefusesNamesItCannotHoldAndEveryFileUnpacksWholeButATamperedBlockFails) {
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

    test::ScratchDir dir;
    const std::string cabinet = BuildSample();
    WriteText(dir / "sample.cab", cabinet);

    ACQ_RUN("mkdir '" + (dir / "player") + "'");
    const ExtractionResult result = CabinetExtractor::Extract(dir / "sample.cab", dir / "player/");
    ASSERT_TRUE(result.ok) << result.error;
    for (const Entry& e : SampleFiles()) EXPECT_EQ(ReadText(dir / ("player/" + e.path)), e.contents) << e.name;

    // A tampered block fails its checksum.
    std::string tampered = cabinet;
    tampered[tampered.size() - 100] ^= 0x01;
    WriteText(dir / "bad.cab", tampered);
    ACQ_RUN("mkdir '" + (dir / "out") + "'");
    EXPECT_FALSE(CabinetExtractor::Extract(dir / "bad.cab", dir / "out/").ok);
    EXPECT_EQ(test::CountEntries(dir / "out"), 0);

    if (test::RunCommand("command -v gcab").status != 0) return;
    ACQ_RUN("mkdir '" + (dir / "gcab") + "' && cd '" + (dir / "gcab") + "' && gcab -x ../sample.cab");
    for (const Entry& e : SampleFiles()) {
        if (e.name.find('\\') == std::string::npos) {
            EXPECT_EQ(ReadText(dir / ("gcab/" + e.path)), e.contents) << e.name;
        }
    }
}

}  // namespace
}  // namespace vessant
