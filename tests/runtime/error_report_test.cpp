// ShowError on standard output, ReportAssertion and OrvanException.
#include <gtest/gtest.h>

#include <string>

#include "support/log_capture.h"
#include "orvan/error_report.h"
#include "orvan/orvan_exception.h"

namespace orvan {
namespace {

class ErrorReportTest : public testing::Test {
 protected:
  void SetUp() override {
    wasQuiet_ = ErrorDialogsSuppressed();
    SetErrorDialogsSuppressed(true);
  }
  void TearDown() override { SetErrorDialogsSuppressed(wasQuiet_); }

 private:
  bool wasQuiet_ = false;
};

TEST_F(ErrorReportTest, QuietFlagIsProcessWide) {
  EXPECT_TRUE(ErrorDialogsSuppressed());
  SetErrorDialogsSuppressed(false);
  EXPECT_FALSE(ErrorDialogsSuppressed());
  SetErrorDialogsSuppressed(true);
  EXPECT_TRUE(ErrorDialogsSuppressed());
}

TEST_F(ErrorReportTest, ShowErrorPrintsTheFormattedTextWhenQuiet) {
  vessant::test::CaptureLog();
  ShowError("Unable to open file(%s) %d", "a.res", 7);
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: Unable to open file(a.res) 7\n");
}

TEST_F(ErrorReportTest, ShowErrorCutsAt255Characters) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += static_cast<char>('a' + i % 26);
  vessant::test::CaptureLog();
  ShowError("%s", text.c_str());
  const std::string out = vessant::test::TakeCapturedLog();
  const std::string expected = ("Error: " + text).substr(0, 255) + "\n";
  EXPECT_EQ(out, expected);
  EXPECT_EQ(out.size(), 256u);
}

TEST_F(ErrorReportTest, ShowErrorAtTheLimitIsNotCut) {
  const std::string text(248, 'x');
  vessant::test::CaptureLog();
  ShowError("%s", text.c_str());
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: " + text + "\n");
}

TEST(ReportAssertionTest, WritesTheTextAndThrows) {
  const std::string expected = "Vessant Assertion Failure:\nthis != obj\ngroup.cpp (123)\n";
  testing::internal::CaptureStderr();
  try {
    ReportAssertion("this != obj", "group.cpp", 123);
    ADD_FAILURE() << "ReportAssertion returned";
  } catch (const OrvanException& e) {
    EXPECT_EQ(std::string(e.Message()), expected);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
}

TEST(ReportAssertionTest, MacroReportsOnlyFalseExpressions) {
  const int* missing = nullptr;
  EXPECT_NO_THROW(ORVAN_ASSERT(1 + 1 == 2));
  testing::internal::CaptureStderr();
  try {
    ORVAN_ASSERT(missing);
    ADD_FAILURE() << "no exception";
  } catch (const OrvanException& e) {
    const std::string message = e.Message();
    EXPECT_EQ(message.rfind("Vessant Assertion Failure:\nmissing\n", 0), 0u) << message;
    EXPECT_NE(message.find("error_report_test.cpp ("), std::string::npos) << message;
  }
  testing::internal::GetCapturedStderr();
}

TEST(OrvanExceptionTest, OwnsCopiesOfItsMessage) {
  char text[] = "first";
  OrvanException a(text);
  text[0] = 'X';
  EXPECT_STREQ(a.Message(), "first");
  OrvanException b(a);
  EXPECT_STREQ(b.Message(), "first");
  EXPECT_NE(b.Message(), a.Message());
  OrvanException c("second");
  c = a;
  EXPECT_STREQ(c.Message(), "first");
  EXPECT_NE(c.Message(), a.Message());
  c = c;
  EXPECT_STREQ(c.Message(), "first");
  OrvanException empty(nullptr);
  EXPECT_STREQ(empty.Message(), "");
}

}  // namespace
}  // namespace orvan
