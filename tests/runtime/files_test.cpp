// FilePath: kinds, normalisation, directories and relative forms; the file and environment
// functions and the OpenGL capability helpers that need no context; and the error reports they
// use: ShowError and ReportAssertion through the log sink, and OrvanException.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "orvan/error_report.h"
#include "orvan/file_path.h"
#include "orvan/file_util.h"
#include "orvan/gl_info.h"
#include "orvan/orvan_exception.h"
#include "support/log_capture.h"

namespace orvan {
namespace {

TEST(FilePathTest, PathKindNormaliseDirectoryAndRelativeExamples) {
  const std::pair<const char*, FilePath::Kind> kinds[] = {
      {"", FilePath::PATH_RELATIVE}, {"/", FilePath::PATH_RELATIVE},  // shorter than 2
      {"C:/x", FilePath::PATH_DRIVE}, {"/usr", FilePath::PATH_ROOTED}, {"//server/share", FilePath::PATH_NETWORK},
      {"./a", FilePath::PATH_EXPLICIT_RELATIVE}, {"../a", FilePath::PATH_EXPLICIT_RELATIVE},
      {"%TEMP%/a", FilePath::PATH_VARIABLE}, {"images/a.bmp", FilePath::PATH_RELATIVE}};
  for (const auto& [text, kind] : kinds) EXPECT_EQ(FilePath::PathKind(text), kind) << text;
  const std::pair<const char*, const char*> normalised[] = {
      {"a\\b\\..\\c", "a/c"}, {"a/./b", "a/b"}, {"//server/share", "//server/share"},
      {"\\\\server\\share\\x", "//server/share/x"},
      {"C:/work/panels/../images/dial.bmp", "C:/work/images/dial.bmp"}, {"a//b///c", "a/b/c"},
      {"http://host/x", "http://host/x"}, {"a/b/../../c", "c"}, {"C:/work/panels/../../x", "C:/x"},
      {"/home/../x", "/x"}, {"x/../../c", "../c"}, {"../../a", "../../a"},  // leading climbs stay
      {"./../a", "./../a"}, {"", ""}, {"..", ".."}, {"a/..", ""}};
  for (const auto& [text, result] : normalised) EXPECT_EQ(FilePath::Normalise(text), result) << text;
  const std::pair<const char*, const char*> directories[] = {
      {"C:/work/panels/main.res", "C:/work/panels/"}, {"a\\b.res", "a/"}, {"main.res", "/"}, {"", "/"}};
  for (const auto& [text, result] : directories) EXPECT_EQ(FilePath::DirectoryOf(text), result) << text;
  for (const char* text : {"images/a.bmp", "../a.bmp"}) EXPECT_TRUE(FilePath::IsRelative(text)) << text;
  for (const char* text :
       {"", "/a.bmp", "C:/a.bmp", "//s/a.bmp", "%TEMP%/a.bmp", "a\nb", "a\"b", "a?b", "a<b", "a|b"}) {
    EXPECT_FALSE(FilePath::IsRelative(text)) << text;
  }

  for (const char* text : {"", ".", "..", "/", "//", "///", "/..", "../", "a..", "..a", "/./", ":/", "x:/",
                           "a/..", "a/../..", "....", "/../../", "\\..\\"}) {
    const std::string result = FilePath::Normalise(text);
    EXPECT_LE(result.size(), std::string(text).size()) << text;
  }
}

TEST(FilePathTest, SetPathAndMakeRelativeExamples) {
  const std::string base = "C:/work/panels/main.res";
  FilePath p;
  p.SetPath(base, "C:/work/images/dial.bmp");
  EXPECT_TRUE(p.Verbatim());
  EXPECT_EQ(p.MakeRelative(base), "C:/work/images/dial.bmp");  // kept as given

  const FilePath images(std::string("C:/work/images/dial.bmp"));
  EXPECT_EQ(images.MakeRelative(base), "../images/dial.bmp");
  const FilePath same(std::string("C:/work/panels/dial.bmp"));
  EXPECT_EQ(same.MakeRelative(base), "./dial.bmp");
  const FilePath caseOnly(std::string("c:/WORK/panels/dial.bmp"));
  EXPECT_EQ(caseOnly.MakeRelative(base), "./dial.bmp");
  const FilePath deeper(std::string("C:/other/x/y.bmp"));
  EXPECT_EQ(deeper.MakeRelative(base), "../../other/x/y.bmp");
  FilePath back;
  back.SetPath(base, deeper.MakeRelative(base));
  EXPECT_EQ(back.Text(), "C:/other/x/y.bmp");

  FilePath set;
  set.SetPath("C:/work/panels/main.res", "..\\images\\dial.bmp");
  EXPECT_EQ(set.Text(), "C:/work/images/dial.bmp");
  EXPECT_FALSE(set.Verbatim());

  set.SetPath("C:/work/panels/main.res", "/opt/images/dial.bmp");
  EXPECT_EQ(set.Text(), "/opt/images/dial.bmp");
  EXPECT_TRUE(set.Verbatim());

  const FilePath home(std::string("/home/u/panel.res"));
  set.SetPath(home, "./a.png");
  EXPECT_EQ(set.Text(), "/home/u/a.png");

  const FilePath rel(std::string("images/a.bmp"));
  EXPECT_EQ(rel.MakeRelative("/base/main.res"), "/base/images/a.bmp");
  const FilePath drive(std::string("D:/a.bmp"));
  EXPECT_EQ(drive.MakeRelative("C:/base/main.res"), "D:/a.bmp");
}

std::string TempName(const char* leaf) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr && dir[0] != '\0' ? dir : "/tmp") + "/orvan_file_util_" +
         std::to_string(::getpid()) + "_" + leaf;
}

TEST(FileUtilTest, FileNameAndOpenFileWithSlashPathsOrReportingAMissingFile) {
  const std::pair<const char*, const char*> names[] = {
      {"C:\\dir\\a.res", "a.res"}, {"/dir/sub/b.png", "b.png"}, {"mixed/dir\\c", "c"}, {"dir/", ""}};
  for (const auto& [path, name] : names) EXPECT_EQ(FileNameOf(path), name) << path;

  const std::string name = TempName("rw.txt");
  {
    std::fstream out;
    ASSERT_TRUE(OpenFile(name.c_str(), "w", out));
    out << 1.5 << "\n";
  }
  EXPECT_TRUE(FileExists(name));
  std::fstream in;
  ASSERT_TRUE(OpenFile(name.c_str(), "r", in));
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "1.500000");  // fixed notation, precision 6
  in.close();
  std::remove(name.c_str());
  EXPECT_FALSE(FileExists(name));
  EXPECT_TRUE(FileExists("/"));  // directories count
  EXPECT_FALSE(FileExists(""));

  const std::string absent = TempName("missing/none.txt");
  std::fstream missing;
  vessant::test::CaptureLog();
  EXPECT_FALSE(OpenFile(absent.c_str(), "r", missing));
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: Unable to open file(" + absent + ")\n");

  ::setenv("ORVAN_TEST_DIR", "/opt/panels", 1);
  ::unsetenv("ORVAN_TEST_UNSET");
  EXPECT_EQ(ExpandEnvironmentVariables("%ORVAN_TEST_DIR%/a.res"), "/opt/panels/a.res");
  EXPECT_EQ(ExpandEnvironmentVariables("%ORVAN_TEST_UNSET%/x"), "/x");
  EXPECT_EQ(ExpandEnvironmentVariables("100% sure"), "100% sure");
  EXPECT_EQ(ExpandEnvironmentVariables(nullptr), "");
  ::unsetenv("ORVAN_TEST_DIR");
  ::setenv("ORVAN_TEST_INNER", "inner", 1);
  ::setenv("ORVAN_TEST_OUTER", "<%ORVAN_TEST_INNER%>", 1);
  EXPECT_EQ(ExpandEnvironmentVariables("%ORVAN_TEST_OUTER%"), "<inner>");
  ::unsetenv("ORVAN_TEST_INNER");
  ::unsetenv("ORVAN_TEST_OUTER");
  ::setenv("ORVAN_TEST_SELF", "%ORVAN_TEST_SELF%", 1);
  EXPECT_EQ(ExpandEnvironmentVariables("%ORVAN_TEST_SELF%"), "%ORVAN_TEST_SELF%");
  ::setenv("ORVAN_TEST_GROW", "x%ORVAN_TEST_GROW%x", 1);
  const std::string grown = ExpandEnvironmentVariables("%ORVAN_TEST_GROW%");
  EXPECT_LE(grown.size(), kMaxExpandedLength);
  EXPECT_EQ(grown, std::string(kMaxEnvironmentSubstitutions, 'x') + "%ORVAN_TEST_GROW%" +
                       std::string(kMaxEnvironmentSubstitutions, 'x'));
  ::unsetenv("ORVAN_TEST_SELF");
  ::unsetenv("ORVAN_TEST_GROW");
}

TEST(GlInfoTest, ExtensionWordsMatchWholeAndVersionTextsParseTheirLeadingNumber) {
  const char* list = "GL_ARB_multitexture GL_EXT_texture GL_EXT_texture_env_add GL_EXT_bgra";
  for (const char* word : {"GL_EXT_texture", "GL_EXT_bgra"}) EXPECT_TRUE(ExtensionListContains(list, word)) << word;
  for (const char* word : {"GL_EXT_texture_env", "texture", "", "GL_EXT_texture GL_EXT_bgra"}) {
    EXPECT_FALSE(ExtensionListContains(list, word)) << word;
  }
  EXPECT_FALSE(ExtensionListContains(nullptr, "GL_EXT_bgra"));
  EXPECT_FALSE(ExtensionListContains("xGL_EXT_bgra", "GL_EXT_bgra"));
  EXPECT_TRUE(ExtensionListContains("xGL_EXT_bgra GL_EXT_bgra", "GL_EXT_bgra"));

  const std::pair<const char*, float> versions[] = {
      {"2.1 Mesa 23.0.4", 2.1f}, {"1.5.0 NVIDIA", 1.5f}, {"", 0.0f}, {nullptr, 0.0f}};
  for (const auto& [text, version] : versions) EXPECT_FLOAT_EQ(ParseGLVersion(text), version);
}

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

  const std::string expected = "Vessant Assertion Failure:\nthis != obj\ngroup.cpp (123)\n";
  testing::internal::CaptureStderr();
  try {
    ReportAssertion("this != obj", "group.cpp", 123);
    ADD_FAILURE() << "ReportAssertion returned";
  } catch (const OrvanException& e) {
    EXPECT_EQ(std::string(e.Message()), expected);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);

  char message[] = "first";
  OrvanException a(message);
  message[0] = 'X';
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
