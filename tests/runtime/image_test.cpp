// An image in memory: texture sizes, formats, pixel writes, the checksum that sharing relies on,
// copies and detaching, the stretch to the texture size and the mipmap chain.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "orvan/image.h"
#include "orvan/image_checksum.h"
#include "orvan/static_image_list.h"
#include "runtime/image_records.h"

namespace orvan {
namespace {

using namespace image_test;

struct ImageDeleter {
  void operator()(Image* image) const { image->Release(); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

TEST(ImageSize, TextureSidesArePowersOfTwoAndScalesThePictureShare) {
  ImagePtr image(new Image(100, 30, 4));
  EXPECT_EQ(image->TextureWidth(), 128);
  EXPECT_EQ(image->TextureHeight(), 32);
  EXPECT_FLOAT_EQ(image->TexCoordScaleX(), 0.78125f);
  EXPECT_FLOAT_EQ(image->TexCoordScaleY(), 0.9375f);
  EXPECT_EQ(image->PixelDataSize(), 128u * 32u * 4u);
  ImagePtr one(new Image(1, 1, 3));
  EXPECT_EQ(one->TextureWidth(), 1);
  EXPECT_EQ(one->TextureHeight(), 1);
  ImagePtr exact(new Image(64, 256, 1));
  EXPECT_EQ(exact->TextureWidth(), 64);
  EXPECT_EQ(exact->TextureHeight(), 256);
  EXPECT_FLOAT_EQ(exact->TexCoordScaleX(), 1.0f);
  // A side beyond what can be allocated is refused with the creation error.
  ImagePtr huge(new Image(Image::kMaxSide + 1, 4, 4));
  EXPECT_EQ(huge->Width(), 0);
  ASSERT_TRUE(huge->HasError());
  EXPECT_STREQ(huge->TakeError(), "Error creating image, out of memory error.");
  EXPECT_FALSE(huge->HasError());
}

TEST(ImageFormat, ComponentsFollowTheFormatAndUnknownFormatsAreRgba) {
  ImagePtr image(new Image(2, 2, 3));
  EXPECT_EQ(image->Format(), GL_RGB);
  EXPECT_STREQ(image->FormatName(), "GL_RGB");
  image->Format(GL_ALPHA);
  EXPECT_EQ(image->Components(), 1);
  EXPECT_STREQ(image->FormatName(), "GL_ALPHA");
  image->Format(GL_LUMINANCE_ALPHA);
  EXPECT_EQ(image->Components(), 2);
  image->Format(12345);
  EXPECT_EQ(image->Format(), GL_RGBA);
  EXPECT_EQ(image->Components(), 4);
  // A count outside 1 to 4 gives RGBA too.
  ImagePtr odd(new Image(2, 2, 7));
  EXPECT_EQ(odd->Format(), GL_RGBA);
  EXPECT_EQ(odd->Components(), 4);
}

TEST(ImagePixels, SetPixelWritesOnlyFourComponentImagesAndOnlyInside) {
  const float colour[4] = {1.0f, 0.5f, 0.0f, 2.0f};
  ImagePtr rgb(new Image(4, 4, 3));
  rgb->SetPixel(1, 1, colour);
  for (unsigned int i = 0; i < rgb->PixelDataSize(); ++i) ASSERT_EQ(rgb->Pixels()[i], 0) << i;

  ImagePtr rgba(new Image(4, 4, 4));
  rgba->SetPixel(1, 2, colour);
  const unsigned char* p = rgba->PixelAddress(1, 2);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p - rgba->Pixels(), (4 * 2 + 1) * 4);
  EXPECT_EQ(p[0], 255);
  EXPECT_EQ(p[1], 127);  // truncated, not rounded
  EXPECT_EQ(p[2], 0);
  EXPECT_EQ(p[3], 255);  // limited
  EXPECT_FALSE(rgba->Dirty());
  // Outside the texture there is no address, and nothing is written.
  EXPECT_EQ(rgba->PixelAddress(4, 0), nullptr);
  EXPECT_EQ(rgba->PixelAddress(0, -1), nullptr);
  rgba->SetPixel(-1, 0, colour);
}

TEST(ImagePixels, SetPixelsCopiesIntoTextureRowsAndResizes) {
  ImagePtr image(new Image(4, 4, 4));
  const Bytes picture = Pattern(3, 2, 3);
  ASSERT_TRUE(image->SetPixels(picture.data(), 3, 2, 3));
  EXPECT_EQ(image->Format(), GL_RGB);
  EXPECT_EQ(image->TextureWidth(), 4);
  EXPECT_EQ(image->TextureHeight(), 2);
  EXPECT_TRUE(image->Dirty());
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(std::memcmp(image->PixelAddress(0, y), picture.data() + 9 * y, 9), 0) << y;
    EXPECT_EQ(image->PixelAddress(3, y)[0], 0);  // the padding column is blank
  }
  EXPECT_FALSE(image->SetPixels(nullptr, 3, 2, 3));
  EXPECT_FALSE(image->SetPixels(picture.data(), 3, 2, 5));

  // Same texture size: the whole buffer is taken, and the checksum starts again.
  const unsigned int before = image->Checksum();
  Bytes whole(image->PixelDataSize(), 9);
  ASSERT_TRUE(image->SetPixels(whole.data(), 4, 2, 3));
  EXPECT_NE(image->Checksum(), before);
  EXPECT_EQ(image->Checksum(), BitwiseChecksum(whole.data(), whole.size()));
}

TEST(ImageChecksum, TableDrivenValuesMatchTheBitwiseDefinition) {
  // Worked by hand: 0x01 leaves a one at the top on the eighth shift only; 0x80 on the first two.
  const unsigned char one = 0x01, high = 0x80;
  EXPECT_EQ(ImageChecksum(&one, 1), 0xFFFFFFFFu);
  EXPECT_EQ(ImageChecksum(&high, 1), 0x40u);
  EXPECT_EQ(ImageChecksum(nullptr, 0), 0u);
  const Bytes data = Pattern(37, 11, 3);
  EXPECT_EQ(ImageChecksum(data.data(), data.size()), BitwiseChecksum(data.data(), data.size()));

  ImagePtr image(new Image(8, 4, 4));
  const Bytes pixels = Pattern(8, 4, 4);
  image->SetPixels(pixels.data());
  EXPECT_EQ(image->Checksum(), BitwiseChecksum(pixels.data(), pixels.size()));
  image->Shareable(false);
  EXPECT_EQ(image->Checksum(), 0u);
  EXPECT_FALSE(image->Equals(*image));
}

TEST(ImageSharing, EqualContentMatchesAndZeroChecksumsNever) {
  const Bytes picture = Pattern(4, 4, 1);
  Record a(4, 4, GL_LUMINANCE, VES_CODEC_RAW, picture, 5);
  Record zero(4, 4, GL_LUMINANCE, VES_CODEC_RAW, picture, 5);
  a.info.checksum = BitwiseChecksum(picture.data(), picture.size());
  ImagePtr first(new Image(a.info));
  ImagePtr second(new Image(a.info));
  ImagePtr blank(new Image(zero.info));
  EXPECT_TRUE(first->Equals(*second));
  EXPECT_EQ(second->FindShared(), first.get());
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, a.info.checksum, false), first.get());
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, a.info.checksum, true), nullptr);
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, 0, false), nullptr);
  EXPECT_FALSE(blank->Equals(*blank));
  // A copy owns its pixels and is not listed.
  ImagePtr copy(first->Clone());
  EXPECT_EQ(copy->StaticInfo(), nullptr);
  EXPECT_EQ(std::memcmp(copy->Pixels(), picture.data(), picture.size()), 0);
  first.reset();
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, a.info.checksum, false), second.get());
  EXPECT_EQ(second->RefCount(), 1);
}

TEST(ImageRecord, UnloadDetachAndCopyFrom) {
  const Bytes picture = Pattern(4, 4, 4);
  Record record(4, 4, GL_RGBA, VES_CODEC_RAW, picture);
  ImagePtr image(new Image(record.info));
  EXPECT_EQ(image->HeldPixelBytes(), 0u);  // nothing decoded yet
  ASSERT_NE(image->Pixels(), nullptr);
  EXPECT_EQ(image->HeldPixelBytes(), picture.size());
  EXPECT_TRUE(image->Unload());
  EXPECT_EQ(image->HeldPixelBytes(), 0u);
  // A pixel write decodes again and leaves the record behind for good.
  const float white[4] = {1, 1, 1, 1};
  image->SetPixel(0, 0, white);
  EXPECT_EQ(image->StaticInfo(), nullptr);
  EXPECT_FALSE(image->Unload());
  EXPECT_EQ(image->PixelAddress(0, 0)[0], 255);
  EXPECT_EQ(std::memcmp(image->PixelAddress(1, 0), picture.data() + 4, picture.size() - 4), 0);
  EXPECT_FALSE(image->Detach(true));

  ImagePtr target(new Image(16, 16, 1));
  target->MipMap(true);
  ASSERT_NE(target->MipMapLevel(1), nullptr);
  target->CopyFrom(*image);
  EXPECT_EQ(target->TextureWidth(), 4);
  EXPECT_EQ(target->Format(), GL_RGBA);
  EXPECT_EQ(target->MipMapLevel(1), nullptr);  // levels of the old size are gone
  EXPECT_EQ(std::memcmp(target->Pixels(), image->Pixels(), image->PixelDataSize()), 0);
  // From a record not decoded yet: the record is taken, the pixels follow on demand.
  ImagePtr lazy(new Image(record.info));
  target->CopyFrom(*lazy);
  EXPECT_NE(target->StaticInfo(), nullptr);
  EXPECT_EQ(std::memcmp(target->Pixels(), picture.data(), picture.size()), 0);
}

TEST(ImageStretch, ResampleFillsTheTextureWithoutDividingByZero) {
  // A column one pixel wide: nothing to spread across, the rows are stretched.
  ImagePtr column(new Image(1, 3, 1));
  const unsigned char values[3] = {0, 100, 200};
  ASSERT_TRUE(column->SetPixels(values, 1, 3, 1));
  ASSERT_EQ(column->TextureHeight(), 4);
  column->StretchToTextureSize();
  EXPECT_EQ(column->Height(), 4);
  EXPECT_FLOAT_EQ(column->TexCoordScaleY(), 1.0f);
  // Rows at 0, 2/3, 4/3 and 2 of the source.
  EXPECT_EQ(column->Pixels()[0], 0);
  EXPECT_EQ(column->Pixels()[1], 66);
  EXPECT_EQ(column->Pixels()[2], 133);
  EXPECT_EQ(column->Pixels()[3], 200);

  // A flat picture keeps its exact colour, whatever 1/255 does in binary.
  ImagePtr flat(new Image(3, 3, 3));
  const Bytes grey(27, 33);
  flat->SetPixels(grey.data(), 3, 3, 3);
  flat->StretchToTextureSize();
  for (unsigned int i = 0; i < flat->PixelDataSize(); ++i) ASSERT_EQ(flat->Pixels()[i], 33) << i;
}

TEST(ImageMipMaps, LevelsHalveDownToOneByOneAndAverage) {
  ImagePtr image(new Image(256, 64, 4));
  Bytes pixels(image->PixelDataSize());
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    const std::size_t x = (i / 4) % 256;
    pixels[i] = x % 2 == 0 ? 200 : 100;  // alternating columns average to 150
    pixels[i + 1] = 40;
    pixels[i + 3] = 255;
  }
  image->SetPixels(pixels.data());
  image->MipMap(true);
  const int expected[][2] = {{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
  for (int level = 1; level <= 8; ++level) {
    const unsigned char* p = image->MipMapLevel(level);
    ASSERT_NE(p, nullptr) << level;
    const std::size_t last = static_cast<std::size_t>(expected[level - 1][0]) * expected[level - 1][1] * 4 - 4;
    EXPECT_EQ(p[last], 150) << level;
    EXPECT_EQ(p[last + 1], 40) << level;
    EXPECT_EQ(p[last + 3], 255) << level;
  }
  EXPECT_EQ(image->MipMapLevel(9), nullptr);
  EXPECT_EQ(image->HeldPixelBytes(), 256u * 64 * 4 + (128 * 32 + 64 * 16 + 32 * 8 + 16 * 4 + 8 * 2 + 4 + 2 + 1) * 4u);

  // New pixels of the same size rebuild the levels.
  const Bytes dark(pixels.size(), 0);
  image->SetPixels(dark.data());
  EXPECT_EQ(image->MipMapLevel(8)[0], 0);
}

}  // namespace
}  // namespace orvan
