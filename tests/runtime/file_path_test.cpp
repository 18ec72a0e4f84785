// FilePath: kinds, normalisation, directories and relative forms.
#include <gtest/gtest.h>

#include "orvan/file_path.h"

namespace orvan {
namespace {

TEST(FilePathTest, PathKind) {
  EXPECT_EQ(FilePath::PathKind(""), FilePath::PATH_RELATIVE);
  EXPECT_EQ(FilePath::PathKind("/"), FilePath::PATH_RELATIVE);  // shorter than 2
  EXPECT_EQ(FilePath::PathKind("C:/x"), FilePath::PATH_DRIVE);
  EXPECT_EQ(FilePath::PathKind("/usr"), FilePath::PATH_ROOTED);
  EXPECT_EQ(FilePath::PathKind("//server/share"), FilePath::PATH_NETWORK);
  EXPECT_EQ(FilePath::PathKind("./a"), FilePath::PATH_EXPLICIT_RELATIVE);
  EXPECT_EQ(FilePath::PathKind("../a"), FilePath::PATH_EXPLICIT_RELATIVE);
  EXPECT_EQ(FilePath::PathKind("%TEMP%/a"), FilePath::PATH_VARIABLE);
  EXPECT_EQ(FilePath::PathKind("images/a.bmp"), FilePath::PATH_RELATIVE);
}

TEST(FilePathTest, NormaliseExamples) {
  EXPECT_EQ(FilePath::Normalise("a\\b\\..\\c"), "a/c");
  EXPECT_EQ(FilePath::Normalise("a/./b"), "a/b");
  EXPECT_EQ(FilePath::Normalise("//server/share"), "//server/share");
  EXPECT_EQ(FilePath::Normalise("\\\\server\\share\\x"), "//server/share/x");
  EXPECT_EQ(FilePath::Normalise("C:/work/panels/../images/dial.bmp"), "C:/work/images/dial.bmp");
  EXPECT_EQ(FilePath::Normalise("a//b///c"), "a/b/c");
  EXPECT_EQ(FilePath::Normalise("http://host/x"), "http://host/x");
  EXPECT_EQ(FilePath::Normalise("a/b/../../c"), "c");
  EXPECT_EQ(FilePath::Normalise("C:/work/panels/../../x"), "C:/x");
  EXPECT_EQ(FilePath::Normalise("/home/../x"), "/x");
  EXPECT_EQ(FilePath::Normalise("x/../../c"), "../c");
  EXPECT_EQ(FilePath::Normalise("../../a"), "../../a");  // leading climbs stay
  EXPECT_EQ(FilePath::Normalise("./../a"), "./../a");
}

TEST(FilePathTest, NormaliseStaysInBoundsOnShortAndOddTexts) {
  for (const char* text : {"", ".", "..", "/", "//", "///", "/..", "../", "a..", "..a", "/./", ":/", "x:/",
                           "a/..", "a/../..", "....", "/../../", "\\..\\"}) {
    const std::string result = FilePath::Normalise(text);
    EXPECT_LE(result.size(), std::string(text).size()) << text;
  }
  EXPECT_EQ(FilePath::Normalise(""), "");
  EXPECT_EQ(FilePath::Normalise(".."), "..");
  EXPECT_EQ(FilePath::Normalise("a/.."), "");
}

TEST(FilePathTest, DirectoryOf) {
  EXPECT_EQ(FilePath::DirectoryOf("C:/work/panels/main.res"), "C:/work/panels/");
  EXPECT_EQ(FilePath::DirectoryOf("a\\b.res"), "a/");
  EXPECT_EQ(FilePath::DirectoryOf("main.res"), "/");
  EXPECT_EQ(FilePath::DirectoryOf(""), "/");
}

TEST(FilePathTest, IsRelative) {
  EXPECT_FALSE(FilePath::IsRelative(""));
  EXPECT_TRUE(FilePath::IsRelative("images/a.bmp"));
  EXPECT_TRUE(FilePath::IsRelative("../a.bmp"));
  EXPECT_FALSE(FilePath::IsRelative("/a.bmp"));
  EXPECT_FALSE(FilePath::IsRelative("C:/a.bmp"));
  EXPECT_FALSE(FilePath::IsRelative("//s/a.bmp"));
  EXPECT_FALSE(FilePath::IsRelative("%TEMP%/a.bmp"));
  for (const char* text : {"a\nb", "a\"b", "a?b", "a<b", "a|b"}) {
    EXPECT_FALSE(FilePath::IsRelative(text)) << text;
  }
}

TEST(FilePathTest, SetPathTakesRelativeTextsAgainstTheBaseDirectory) {
  FilePath p;
  p.SetPath("C:/work/panels/main.res", "..\\images\\dial.bmp");
  EXPECT_EQ(p.Text(), "C:/work/images/dial.bmp");
  EXPECT_FALSE(p.Verbatim());

  p.SetPath("C:/work/panels/main.res", "/opt/images/dial.bmp");
  EXPECT_EQ(p.Text(), "/opt/images/dial.bmp");
  EXPECT_TRUE(p.Verbatim());

  const FilePath base(std::string("/home/u/panel.res"));
  p.SetPath(base, "./a.png");
  EXPECT_EQ(p.Text(), "/home/u/a.png");
}

TEST(FilePathTest, MakeRelativeExamples) {
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
}

TEST(FilePathTest, MakeRelativeWithNothingInCommon) {
  const FilePath rel(std::string("images/a.bmp"));
  EXPECT_EQ(rel.MakeRelative("/base/main.res"), "/base/images/a.bmp");
  const FilePath drive(std::string("D:/a.bmp"));
  EXPECT_EQ(drive.MakeRelative("C:/base/main.res"), "D:/a.bmp");
}

}  // namespace
}  // namespace orvan
