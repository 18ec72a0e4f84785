// ShowError and ReportAssertion through the log sink, and OrvanException.
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

// The host's sink gets the text either way; only an unsuppressed one is meant for a person (an
// alert box where the host has a display).
TEST_F(ErrorReportTest, ShowErrorIsForAPersonUnlessSuppressedAndCutsAt255Characters) {
  vessant::test::CaptureLog();
  ShowError("Unable to open file(%s) %d", "a.res", 7);
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: Unable to open file(a.res) 7\n");
  EXPECT_EQ(vessant::test::CapturedErrorReports(), "");

  SetErrorDialogsSuppressed(false);
  vessant::test::CaptureLog();
  ShowError("Unable to write file(%s)", "b.res");
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: Unable to write file(b.res)\n");
  EXPECT_EQ(vessant::test::CapturedErrorReports(), "Error: Unable to write file(b.res)\n");

  std::string text;
  for (int i = 0; i < 400; ++i) text += static_cast<char>('a' + i % 26);
  vessant::test::CaptureLog();
  ShowError("%s", text.c_str());
  EXPECT_EQ(vessant::test::TakeCapturedLog(), ("Error: " + text).substr(0, 255) + "\n");
  vessant::test::CaptureLog();
  ShowError("%s", text.substr(0, 248).c_str());  // at the limit: whole
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: " + text.substr(0, 248) + "\n");
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
  c = c;
  EXPECT_STREQ(c.Message(), "first");
  EXPECT_NE(c.Message(), a.Message());
  OrvanException empty(nullptr);
  EXPECT_STREQ(empty.Message(), "");
}

}  // namespace
}  // namespace orvan
