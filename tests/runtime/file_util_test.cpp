// File and environment functions, and the OpenGL capability helpers that need no context.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/log_capture.h"
#include "orvan/file_util.h"
#include "orvan/gl_info.h"

namespace orvan {
namespace {

std::string TempName(const char* leaf) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr && dir[0] != '\0' ? dir : "/tmp") + "/orvan_file_util_" +
         std::to_string(::getpid()) + "_" + leaf;
}

TEST(FileUtilTest, FileNameOf) {
  EXPECT_EQ(FileNameOf("C:\\dir\\a.res"), "a.res");
  EXPECT_EQ(FileNameOf("/dir/sub/b.png"), "b.png");
  EXPECT_EQ(FileNameOf("mixed/dir\\c"), "c");
  EXPECT_EQ(FileNameOf("dir/"), "");
}

TEST(FileUtilTest, OpenFileWritesAndReadsWithSlashPaths) {
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
}

TEST(FileUtilTest, OpenFileReportsAMissingFile) {
  const std::string name = TempName("missing/none.txt");
  std::fstream in;
  vessant::test::CaptureLog();
  EXPECT_FALSE(OpenFile(name.c_str(), "r", in));
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "Error: Unable to open file(" + name + ")\n");
}

TEST(ExpandEnvironmentTest, ReplacesVariablesInsideReplacedValuesAndSelfReferencesTerminate) {
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

TEST(GlInfoTest, ExtensionWordsMatchWhole) {
  const char* list = "GL_ARB_multitexture GL_EXT_texture GL_EXT_texture_env_add GL_EXT_bgra";
  EXPECT_TRUE(ExtensionListContains(list, "GL_EXT_texture"));
  EXPECT_TRUE(ExtensionListContains(list, "GL_EXT_bgra"));
  EXPECT_FALSE(ExtensionListContains(list, "GL_EXT_texture_env"));
  EXPECT_FALSE(ExtensionListContains(list, "texture"));
  EXPECT_FALSE(ExtensionListContains(list, ""));
  EXPECT_FALSE(ExtensionListContains(list, "GL_EXT_texture GL_EXT_bgra"));
  EXPECT_FALSE(ExtensionListContains(nullptr, "GL_EXT_bgra"));
  EXPECT_FALSE(ExtensionListContains("xGL_EXT_bgra", "GL_EXT_bgra"));
  EXPECT_TRUE(ExtensionListContains("xGL_EXT_bgra GL_EXT_bgra", "GL_EXT_bgra"));
}

TEST(GlInfoTest, VersionTextsParseTheirLeadingNumber) {
  EXPECT_FLOAT_EQ(ParseGLVersion("2.1 Mesa 23.0.4"), 2.1f);
  EXPECT_FLOAT_EQ(ParseGLVersion("1.5.0 NVIDIA"), 1.5f);
  EXPECT_FLOAT_EQ(ParseGLVersion(""), 0.0f);
  EXPECT_FLOAT_EQ(ParseGLVersion(nullptr), 0.0f);
}

}  // namespace
}  // namespace orvan
