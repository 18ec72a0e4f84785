// Unpacking real cabinets (written by gcab, or by hand for names gcab will not write).
#include <gtest/gtest.h>

#include "control/acquisition/cabinet_extractor.h"
#include "control/acquisition_fixture.h"

namespace vessant {
namespace {

using test::ScratchDir;

class CabinetExtractorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ACQ_RUN("mkdir -p '" + (in_ / "lib") + "' '" + (in_ / "out") + "' && head -c 200000 /dev/urandom > '" +
                (in_ / "lib/gauge.so") + "'");
        test::WriteText(in_ / "dial.so", std::string(100000, 'd'));
    }
    ExtractionResult Extract(const std::string& cabinet) {
        testing::internal::CaptureStdout();
        ExtractionResult result = CabinetExtractor::Extract(cabinet, out_.Path());
        printed_ = testing::internal::GetCapturedStdout();
        return result;
    }
    // A stored cabinet holding good.so and one entry with the given name.
    std::string Crafted(const std::string& entry) {
        const std::string cabinet = in_ / "crafted.cab";
        ACQ_RUN("python3 '" + test::AcquisitionData("make_cabinet.py") + "' '" + cabinet + "' good.so='" +
                (in_ / "dial.so") + "' '" + entry + "=" + (in_ / "dial.so") + "'");
        return cabinet;
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
}

TEST_F(CabinetExtractorTest, CorruptCabinetsUnpackNothing) {
    ACQ_RUN("cd '" + in_.Path() + "' && gcab -c -z dial.cab dial.so lib/gauge.so && cp dial.cab flipped.cab" +
            " && printf 'XXXXXXXX' | dd of=flipped.cab bs=1 seek=150000 conv=notrunc status=none" +
            " && head -c 120000 dial.cab > truncated.cab");
    test::WriteText(in_ / "text.cab", "not a cabinet at all");
    for (const char* name : {"flipped.cab", "truncated.cab", "text.cab", "absent.cab"}) {
        const ExtractionResult result = Extract(in_ / name);
        EXPECT_FALSE(result.ok) << name;
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(printed_, "Failure\n");
        EXPECT_EQ(test::CountEntries(out_.Path()), 0) << name << ": all or nothing";
    }
}

}  // namespace
}  // namespace vessant
