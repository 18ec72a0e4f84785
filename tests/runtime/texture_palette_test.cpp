// A frame's texture palette: entry attributes, states, sharing identical records by reference
// count, copies on resize, indices outside the palette, and emptying the shared list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvan/component_base.h"
#include "orvan/image.h"
#include "orvan/orvan_exception.h"
#include "orvan/static_image_list.h"
#include "orvan/texture_palette.h"
#include "runtime/image_records.h"

namespace orvan {
namespace {

using namespace image_test;

TEST(TexturePaletteEntry, AttributesInOrderWithTheirDefaults) {
  TexturePaletteEntry entry;
  std::vector<std::string> names, values;
  for (std::size_t i = 0; i < entry.Count(); ++i) {
    names.push_back(entry.At(i)->NameText());
    values.push_back(entry.At(i)->ValueText());
  }
  const std::vector<std::string> expectedNames = {"Filename",          "GenerateInline", "DesiredLoadHeight",
                                                  "DesiredLoadWidth",  "CompressionFactor", "CompressedSize",
                                                  "ImageCodec",        "ReverseAlpha",   "GLTextureCompression"};
  const std::vector<std::string> expectedValues = {"", "1", "0", "0", "75", "-1", "VES_CODEC_LZ77", "0", "0"};
  EXPECT_EQ(names, expectedNames);
  EXPECT_EQ(values, expectedValues);
  EXPECT_EQ(entry.State(), TexturePaletteEntry::kEmpty);

  entry.ValueText(AttributeName("Filename"), "pictures/dial face.png");
  entry.ValueText(AttributeName("ImageCodec"), "VES_CODEC_JPEG");
  entry.ValueText(AttributeName("CompressionFactor"), "90");
  TexturePaletteEntry copy(entry);
  EXPECT_EQ(copy.FileName(), "pictures/dial face.png");
  EXPECT_EQ(copy.ImageCodec(), VES_CODEC_JPEG);
  EXPECT_EQ(copy.CompressionFactor(), 90);
  copy.Clear();
  EXPECT_EQ(copy.FileName(), "");
  EXPECT_EQ(copy.ImageCodec(), VES_CODEC_LZ77);
}

class PaletteSharing : public ::testing::Test {
 protected:
  PaletteSharing()
      : picture(Pattern(4, 4, 4)),
        record(4, 4, GL_RGBA, VES_CODEC_RAW, picture, 16, Bytes(), BitwiseChecksum(picture.data(), picture.size())),
        same(4, 4, GL_RGBA, VES_CODEC_RAW, picture, 5, Bytes(), record.info.checksum),
        unchecked(4, 4, GL_RGBA, VES_CODEC_RAW, picture) {}
  Bytes picture;
  Record record, same, unchecked;
};

TEST_F(PaletteSharing, EqualRecordsShareOneImageUntilTheLastEntryLetsGo) {
  TexturePalette palette;
  palette.Resize(3);
  EXPECT_EQ(palette.GetImage(0), nullptr);
  ASSERT_TRUE(palette.SetImage(0, &record.info));
  ASSERT_TRUE(palette.SetImage(1, &same.info));
  Image* image = palette.GetImage(0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(palette.GetImage(1), image);
  EXPECT_EQ(image->RefCount(), 2);
  EXPECT_EQ(palette[1].State(), TexturePaletteEntry::kImageAssigned);

  palette.ClearEntry(0);
  EXPECT_EQ(palette.GetImage(0), nullptr);
  EXPECT_EQ(palette[0].State(), TexturePaletteEntry::kEmpty);
  EXPECT_EQ(image->RefCount(), 1);
  EXPECT_EQ(StaticImageList::Find(4, 4, 4, record.info.checksum, false), image);

  // A record without a checksum never matches, not even itself.
  palette.SetImage(2, &unchecked.info);
  palette.SetImage(0, &unchecked.info);
  EXPECT_NE(palette.GetImage(0), palette.GetImage(2));
  EXPECT_EQ(palette.GetImage(2)->RefCount(), 1);
}

TEST_F(PaletteSharing, ResizingCopiesEntriesAndKeepsTheCounts) {
  const int listed = StaticImageList::Count();
  {
    TexturePalette palette;
    palette.Resize(1);
    palette.SetImage(0, &record.info);
    palette[0].ValueText(AttributeName("Filename"), "face.png");
    Image* image = palette.GetImage(0);
    palette.Resize(4);
    EXPECT_EQ(palette.Count(), 4u);
    EXPECT_EQ(palette.GetImage(0), image);
    EXPECT_EQ(palette[0].FileName(), "face.png");
    EXPECT_EQ(image->RefCount(), 1);
    palette[3] = palette[0];
    EXPECT_EQ(image->RefCount(), 2);
    palette[3] = palette[3];
    EXPECT_EQ(image->RefCount(), 2);
    palette.Resize(1);
    EXPECT_EQ(image->RefCount(), 1);
  }
  // The palette's end released the last reference.
  EXPECT_EQ(StaticImageList::Count(), listed);
}

TEST_F(PaletteSharing, IndicesOutsideThePaletteDoNothing) {
  TexturePalette palette;
  palette.Resize(1);
  EXPECT_FALSE(palette.SetImage(1, &record.info));
  EXPECT_FALSE(palette.SetImage(-1, &record.info));
  EXPECT_FALSE(palette.SetImage(0, static_cast<const StaticImageInfo*>(nullptr)));
  EXPECT_EQ(palette.GetImage(5), nullptr);
  palette.UseTexture(5);
  palette.ClearEntry(-2);
  // Element access grows the palette; a negative index is a programming error.
  palette[2].State(0);
  EXPECT_EQ(palette.Count(), 3u);
  EXPECT_THROW(palette[-1], OrvanException);
}

TEST_F(PaletteSharing, EmptyingTheListKeepsImagesButStopsSharingThem) {
  ComponentBase component;
  TexturePalette& palette = *component.Palette();
  palette.Resize(2);
  palette.SetImage(0, &record.info);
  Image* first = palette.GetImage(0);
  component.SetResource("EmptyStaticImageList", "0");
  EXPECT_EQ(StaticImageList::Find(4, 4, 4, record.info.checksum, false), first);
  component.SetResource("EmptyStaticImageList", "1");
  EXPECT_EQ(component.GetResource("EmptyStaticImageList"), "0");
  EXPECT_EQ(StaticImageList::Find(4, 4, 4, record.info.checksum, false), nullptr);
  EXPECT_EQ(first->RefCount(), 1);
  palette.SetImage(1, &same.info);
  EXPECT_NE(palette.GetImage(1), first);
}

}  // namespace
}  // namespace orvan
