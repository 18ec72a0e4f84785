// An image in memory: texture sizes, formats, pixel writes, the checksum that sharing relies on,
// copies and detaching, the stretch to the texture size and the mipmap chain; decoding
// compiled-in records (raw, zlib, JPEG colour with a zlib alpha plane), every damaged or
// mismatched record refused without a byte out of place; and a frame's texture palette: entry
// attributes, states, sharing identical records by reference count, copies on resize, indices
// outside the palette, and emptying the shared list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "orvan/component_base.h"
#include "orvan/image.h"
#include "orvan/image_checksum.h"
#include "orvan/orvan_exception.h"
#include "orvan/static_image_list.h"
#include "orvan/texture_palette.h"
#include "runtime/image_records.h"
#include "support/log_capture.h"

namespace orvan {
namespace {

using namespace image_test;

TEST(ImageSize, SizesFormatsPixelWritesAndTheMipmapChain) {
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

  ImagePtr formatted(new Image(2, 2, 3));
  EXPECT_EQ(formatted->Format(), GL_RGB);
  formatted->Format(GL_ALPHA);
  EXPECT_EQ(formatted->Components(), 1);
  formatted->Format(GL_LUMINANCE_ALPHA);
  EXPECT_EQ(formatted->Components(), 2);
  formatted->Format(12345);
  EXPECT_EQ(formatted->Format(), GL_RGBA);
  EXPECT_EQ(formatted->Components(), 4);
  // A count outside 1 to 4 gives RGBA too.
  ImagePtr odd(new Image(2, 2, 7));
  EXPECT_EQ(odd->Format(), GL_RGBA);
  EXPECT_EQ(odd->Components(), 4);

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

  ImagePtr written(new Image(4, 4, 4));
  const Bytes picture = Pattern(3, 2, 3);
  ASSERT_TRUE(written->SetPixels(picture.data(), 3, 2, 3));
  EXPECT_EQ(written->Format(), GL_RGB);
  EXPECT_EQ(written->TextureWidth(), 4);
  EXPECT_EQ(written->TextureHeight(), 2);
  EXPECT_TRUE(written->Dirty());
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(std::memcmp(written->PixelAddress(0, y), picture.data() + 9 * y, 9), 0) << y;
    EXPECT_EQ(written->PixelAddress(3, y)[0], 0);  // the padding column is blank
  }
  EXPECT_FALSE(written->SetPixels(nullptr, 3, 2, 3));
  EXPECT_FALSE(written->SetPixels(picture.data(), 3, 2, 5));

  // Same texture size: the whole buffer is taken, and the checksum starts again.
  const unsigned int before = written->Checksum();
  Bytes whole(written->PixelDataSize(), 9);
  ASSERT_TRUE(written->SetPixels(whole.data(), 4, 2, 3));
  EXPECT_NE(written->Checksum(), before);
  EXPECT_EQ(written->Checksum(), BitwiseChecksum(whole.data(), whole.size()));

  ImagePtr chain(new Image(256, 64, 4));
  Bytes columns(chain->PixelDataSize());
  for (std::size_t i = 0; i < columns.size(); i += 4) {
    const std::size_t x = (i / 4) % 256;
    columns[i] = x % 2 == 0 ? 200 : 100;  // alternating columns average to 150
    columns[i + 1] = 40;
    columns[i + 3] = 255;
  }
  chain->SetPixels(columns.data());
  chain->MipMap(true);
  const int sizes[][2] = {{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
  for (int level = 1; level <= 8; ++level) {
    const unsigned char* p = chain->MipMapLevel(level);
    ASSERT_NE(p, nullptr) << level;
    const std::size_t last = static_cast<std::size_t>(sizes[level - 1][0]) * sizes[level - 1][1] * 4 - 4;
    EXPECT_EQ(p[last], 150) << level;
    EXPECT_EQ(p[last + 1], 40) << level;
    EXPECT_EQ(p[last + 3], 255) << level;
  }
  EXPECT_EQ(chain->MipMapLevel(9), nullptr);
  EXPECT_EQ(chain->HeldPixelBytes(), 256u * 64 * 4 + (128 * 32 + 64 * 16 + 32 * 8 + 16 * 4 + 8 * 2 + 4 + 2 + 1) * 4u);

  // New pixels of the same size rebuild the levels.
  const Bytes dark(columns.size(), 0);
  chain->SetPixels(dark.data());
  EXPECT_EQ(chain->MipMapLevel(8)[0], 0);
}

TEST(ImageChecksum, TableDrivenValuesMatchTheBitwiseDefinitionAndEqualContentShares) {
  // Worked by hand: 0x01 leaves a one at the top on the eighth shift only; 0x80 on the first two.
  const unsigned char one = 0x01, high = 0x80;
  EXPECT_EQ(ImageChecksum(&one, 1), 0xFFFFFFFFu);
  EXPECT_EQ(ImageChecksum(&high, 1), 0x40u);
  EXPECT_EQ(ImageChecksum(nullptr, 0), 0u);
  EXPECT_EQ(BitwiseChecksum(&one, 1), 0xFFFFFFFFu);
  EXPECT_EQ(BitwiseChecksum(&high, 1), 0x40u);
  // Longer data: the decoding and pixel tests compare with the bitwise definition.
  ImagePtr image(new Image(8, 4, 4));
  const Bytes pixels = Pattern(8, 4, 4);
  image->SetPixels(pixels.data());
  ASSERT_NE(image->Checksum(), 0u);
  image->Shareable(false);
  EXPECT_EQ(image->Checksum(), 0u);
  EXPECT_FALSE(image->Equals(*image));

  // Sharing records through the palette is the palette tests'; here equality and copies.
  const Bytes picture = Pattern(4, 4, 1);
  Record a(4, 4, GL_LUMINANCE, VES_CODEC_RAW, picture, 5);
  a.info.checksum = BitwiseChecksum(picture.data(), picture.size());
  ImagePtr first(new Image(a.info)), second(new Image(a.info));
  EXPECT_EQ(second->FindShared(), first.get());
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, a.info.checksum, true), nullptr);  // not a compressed one
  ImagePtr blank(new Image(4, 4, 1));
  EXPECT_FALSE(blank->Equals(*blank));
  ImagePtr copy(first->Clone());
  EXPECT_EQ(copy->StaticInfo(), nullptr);
  EXPECT_EQ(std::memcmp(copy->Pixels(), picture.data(), picture.size()), 0);
  first.reset();
  EXPECT_EQ(StaticImageList::Find(4, 4, 1, a.info.checksum, false), second.get());
}

TEST(ImageRecord, UnloadDetachCopyFromAndTheStretchToTheTextureSize) {
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

constexpr const char* kDecodeError = "Error decoding image, the picture data are damaged or do not match the image.";
constexpr const char* kJpegError = "JPEG Decompress Error!!!!\n";

// What plain libjpeg makes of a stream: packed RGB.
Bytes PlainJpegDecode(const Bytes& jpeg) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  Bytes out(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.data() + static_cast<std::size_t>(cinfo.output_scanline) * cinfo.output_width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

// A smooth colour picture that JPEG keeps close.
Bytes Gradient(int width, int height) {
  Bytes rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 255 / (width - 1));
      p[1] = static_cast<std::uint8_t>(y * 255 / (height - 1));
      p[2] = 128;
    }
  }
  return rgb;
}

// The record's data decode to nothing: no pixels, the decode error waiting, and no retry.
void ExpectRefused(Image& image) {
  EXPECT_FALSE(image.Decode());
  EXPECT_EQ(image.Pixels(), nullptr);
  EXPECT_TRUE(image.DecodeFailed());
  ASSERT_TRUE(image.HasError());
  EXPECT_STREQ(image.TakeError(), kDecodeError);
  EXPECT_FALSE(image.Decode());
  EXPECT_FALSE(image.HasError());  // reported once
}

TEST(Lz77Record, FillsTheBufferComputesTheChecksumAndRefusesDamagedShortAndLongStreams) {
  const Bytes picture = Pattern(8, 4, 2);
  Record record(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, Deflate(picture), 7);
  ImagePtr image(new Image(record.info));
  EXPECT_EQ(image->Checksum(), 0u);  // stored as 0, nothing decoded yet
  ASSERT_TRUE(image->Decode());
  EXPECT_EQ(std::memcmp(image->Pixels(), picture.data(), picture.size()), 0);
  EXPECT_EQ(image->Checksum(), BitwiseChecksum(picture.data(), picture.size()));
  // The checksum stays once the pixels are gone again.
  image->Unload();
  EXPECT_EQ(image->Checksum(), BitwiseChecksum(picture.data(), picture.size()));

  const Bytes expected = Pattern(8, 4, 2);
  Bytes damaged = Deflate(expected);
  damaged[damaged.size() / 2] ^= 0x5A;
  damaged[damaged.size() - 2] ^= 0xFF;  // the stream's own check
  Record bad(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, damaged);
  Record shorter(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, Deflate(Bytes(expected.begin(), expected.end() - 2)));
  Bytes more = expected;
  more.push_back(1);
  Record longer(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, Deflate(more));
  for (Record* record : {&bad, &shorter, &longer}) {
    ImagePtr image(new Image(record->info));
    ExpectRefused(*image);
  }

  const Bytes rawPicture = Pattern(4, 4, 1);
  Record rawRecord(4, 4, GL_LUMINANCE, VES_CODEC_RAW, rawPicture, 5);
  ImagePtr rawImage(new Image(rawRecord.info));
  ASSERT_TRUE(rawImage->Decode());
  EXPECT_EQ(std::memcmp(rawImage->Pixels(), rawPicture.data(), rawPicture.size()), 0);

  Record shortRecord(4, 4, GL_LUMINANCE, VES_CODEC_RAW, Bytes(rawPicture.begin(), rawPicture.end() - 1), 5);
  ImagePtr shortImage(new Image(shortRecord.info));
  ExpectRefused(*shortImage);
}

TEST(Lz77Record, APictureSmallerThanItsTextureIsPaddedAndCanBeStretchedAgain) {
  const Bytes picture = Pattern(3, 3, 3);
  Record record(3, 3, GL_RGB, VES_CODEC_LZ77, Deflate(picture));
  ImagePtr image(new Image(record.info));
  ASSERT_TRUE(image->Decode());
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(std::memcmp(image->PixelAddress(0, y), picture.data() + 9 * y, 9), 0) << y;
    EXPECT_EQ(image->PixelAddress(3, y)[2], 0);
  }
  EXPECT_EQ(image->PixelAddress(0, 3)[0], 0);
  Bytes padded(image->Pixels(), image->Pixels() + image->PixelDataSize());
  EXPECT_EQ(image->Checksum(), BitwiseChecksum(padded.data(), padded.size()));

  image->StretchToTextureSize();
  const Bytes stretched(image->Pixels(), image->Pixels() + image->PixelDataSize());
  // Decoded again after an unload, the picture is stretched the same way.
  image->Unload();
  ASSERT_NE(image->Pixels(), nullptr);
  EXPECT_EQ(Bytes(image->Pixels(), image->Pixels() + image->PixelDataSize()), stretched);
}

TEST(JpegRecord, RgbaTakesColourFromTheJpegAndAlphaFromThePlane) {
  const int w = 16, h = 8;
  const Bytes jpeg = EncodeJpeg(Gradient(w, h), w, h);
  Bytes alpha(w * h);
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = static_cast<std::uint8_t>(i * 2);
  Record record(w, h, GL_RGBA, VES_CODEC_JPEG, jpeg, 13, Deflate(alpha));
  ImagePtr image(new Image(record.info));
  ASSERT_TRUE(image->Decode());
  const Bytes colour = PlainJpegDecode(jpeg);
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    const unsigned char* p = image->Pixels() + 4 * i;
    ASSERT_EQ(std::memcmp(p, &colour[3 * i], 3), 0) << i;
    ASSERT_EQ(p[3], alpha[i]) << i;
  }
  // The same stream as an RGB record.
  Record rgb(w, h, GL_RGB, VES_CODEC_JPEG, jpeg);
  ImagePtr rgbImage(new Image(rgb.info));
  ASSERT_TRUE(rgbImage->Decode());
  EXPECT_EQ(Bytes(rgbImage->Pixels(), rgbImage->Pixels() + colour.size()), colour);
  // A grey JPEG is converted to RGB.
  Bytes grey(w * h, 77);
  Record greyRecord(w, h, GL_RGB, VES_CODEC_JPEG, EncodeJpeg(grey, w, h, 95, 1));
  ImagePtr greyImage(new Image(greyRecord.info));
  ASSERT_TRUE(greyImage->Decode());
  EXPECT_NEAR(greyImage->Pixels()[0], 77, 1);
  EXPECT_EQ(greyImage->Pixels()[0], greyImage->Pixels()[2]);
}

TEST(JpegRecord, OtherFormatsSizesCorruptAndTruncatedStreamsDecodeNothingAndAreReportedOnce) {
  vessant::test::CaptureLog();
  const Bytes jpeg = EncodeJpeg(Gradient(16, 8), 16, 8);
  Record luminance(16, 8, GL_LUMINANCE, VES_CODEC_JPEG, jpeg);
  Record noAlpha(16, 8, GL_RGBA, VES_CODEC_JPEG, jpeg);
  Record wider(32, 8, GL_RGB, VES_CODEC_JPEG, jpeg);
  Record narrower(8, 8, GL_RGB, VES_CODEC_JPEG, jpeg);
  Record unknownCodec(16, 8, GL_RGB, static_cast<vesImageCodec>(7), jpeg);
  for (Record* record : {&luminance, &noAlpha, &wider, &narrower, &unknownCodec}) {
    ImagePtr image(new Image(record->info));
    ExpectRefused(*image);
  }
  // Only the two size mismatches reached the JPEG decoder.
  const std::string logged = vessant::test::TakeCapturedLog();
  int count = 0;
  for (std::size_t at = logged.find(kJpegError); at != std::string::npos; at = logged.find(kJpegError, at + 1)) ++count;
  EXPECT_EQ(count, 2);

  const Bytes square = EncodeJpeg(Gradient(16, 16), 16, 16);
  Bytes corrupt = square;
  for (std::size_t i = corrupt.size() / 3; i < corrupt.size() - 2; i += 3) corrupt[i] = 0xFF;
  Bytes truncated(square.begin(), square.begin() + static_cast<long>(square.size() / 2));
  Bytes garbage(300, 0x42);
  for (const Bytes* stream : {&corrupt, &truncated, &garbage}) {
    vessant::test::CaptureLog();
    Record record(16, 16, GL_RGB, VES_CODEC_JPEG, *stream);
    ImagePtr image(new Image(record.info));
    ExpectRefused(*image);
    image->Pixels();
    EXPECT_EQ(vessant::test::TakeCapturedLog(), kJpegError);
  }
}

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

TEST_F(PaletteSharing, EqualRecordsShareOneImageUntilTheLastEntryLetsGoAndIndicesOutsideDoNothing) {
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

  TexturePalette small;
  small.Resize(1);
  EXPECT_FALSE(small.SetImage(1, &record.info));
  EXPECT_FALSE(small.SetImage(-1, &record.info));
  EXPECT_FALSE(small.SetImage(0, static_cast<const StaticImageInfo*>(nullptr)));
  EXPECT_EQ(small.GetImage(5), nullptr);
  small.UseTexture(5);
  small.ClearEntry(-2);
  // Element access grows the palette; a negative index is a programming error.
  small[2].State(0);
  EXPECT_EQ(small.Count(), 3u);
  EXPECT_THROW(small[-1], OrvanException);
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
