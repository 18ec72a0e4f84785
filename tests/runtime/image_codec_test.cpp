// Decoding compiled-in records: chunks put back together, raw and zlib data, JPEG colour with a
// zlib alpha plane, and every damaged or mismatched record refused without a byte out of place.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "orvan/image.h"
#include "orvan/log_sink.h"
#include "runtime/image_records.h"

namespace orvan {
namespace {

using namespace image_test;

struct ImageDeleter {
  void operator()(Image* image) const { image->Release(); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

constexpr const char* kDecodeError = "Error decoding image, the picture data are damaged or do not match the image.";
constexpr const char* kJpegError = "JPEG Decompress Error!!!!\n";

// Collects what the runtime logs while it lives.
class LogCapture {
 public:
  LogCapture() {
    SetLogSink([this](const std::string& text) { text_ += text; });
  }
  ~LogCapture() { SetLogSink(nullptr); }
  const std::string& Text() const { return text_; }
  int Count(const std::string& line) const {
    int n = 0;
    for (std::size_t at = text_.find(line); at != std::string::npos; at = text_.find(line, at + 1)) ++n;
    return n;
  }

 private:
  std::string text_;
};

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

TEST(Chunks, JoinAndCopyTakeEachChunkInTurn) {
  const Bytes stream = Pattern(4, 4, 1);
  ChunkTable table(stream, 5);
  ASSERT_EQ(table.Count(), 4u);  // 5, 5, 5 and 1 bytes
  std::unique_ptr<unsigned char[]> joined(JoinChunks(table.Table(), 16, 5));
  ASSERT_NE(joined, nullptr);
  EXPECT_EQ(std::memcmp(joined.get(), stream.data(), 16), 0);
  Bytes copy(16, 0);
  CopyChunks(table.Table(), 5, 16, copy.data());
  EXPECT_EQ(copy, stream);
  EXPECT_EQ(JoinChunks(table.Table(), 16, 0), nullptr);
  EXPECT_EQ(JoinChunks(nullptr, 16, 5), nullptr);
  EXPECT_EQ(JoinChunks(table.Table(), 0, 5), nullptr);
}

TEST(RawRecord, ReassembledFromChunksAndRefusedWhenTheSizeIsWrong) {
  const Bytes picture = Pattern(4, 4, 1);
  Record record(4, 4, GL_LUMINANCE, VES_CODEC_RAW, picture, 5);
  ImagePtr image(new Image(record.info));
  ASSERT_TRUE(image->Decode());
  EXPECT_EQ(std::memcmp(image->Pixels(), picture.data(), picture.size()), 0);

  Record shortRecord(4, 4, GL_LUMINANCE, VES_CODEC_RAW, Bytes(picture.begin(), picture.end() - 1), 5);
  ImagePtr shortImage(new Image(shortRecord.info));
  ExpectRefused(*shortImage);
}

TEST(Lz77Record, FillsTheBufferExactlyAndComputesTheChecksum) {
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
}

TEST(Lz77Record, DamagedShortAndLongStreamsAreRefused) {
  const Bytes picture = Pattern(8, 4, 2);
  Bytes damaged = Deflate(picture);
  damaged[damaged.size() / 2] ^= 0x5A;
  damaged[damaged.size() - 2] ^= 0xFF;  // the stream's own check
  Record bad(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, damaged);
  Record shorter(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, Deflate(Bytes(picture.begin(), picture.end() - 2)));
  Bytes more = picture;
  more.push_back(1);
  Record longer(8, 4, GL_LUMINANCE_ALPHA, VES_CODEC_LZ77, Deflate(more));
  for (Record* record : {&bad, &shorter, &longer}) {
    ImagePtr image(new Image(record->info));
    ExpectRefused(*image);
  }
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

TEST(JpegRecord, OtherFormatsMissingAlphaAndOtherSizesDecodeNothing) {
  LogCapture log;
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
  EXPECT_EQ(log.Count(kJpegError), 2);
}

TEST(JpegRecord, ACorruptOrTruncatedStreamIsReportedOnceAndTheProgramGoesOn) {
  const Bytes jpeg = EncodeJpeg(Gradient(16, 16), 16, 16);
  Bytes corrupt = jpeg;
  for (std::size_t i = corrupt.size() / 3; i < corrupt.size() - 2; i += 3) corrupt[i] = 0xFF;
  Bytes truncated(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2));
  Bytes garbage(300, 0x42);
  for (const Bytes* stream : {&corrupt, &truncated, &garbage}) {
    LogCapture log;
    Record record(16, 16, GL_RGB, VES_CODEC_JPEG, *stream);
    ImagePtr image(new Image(record.info));
    ExpectRefused(*image);
    image->Pixels();
    EXPECT_EQ(log.Text(), kJpegError);
  }
}

}  // namespace
}  // namespace orvan
