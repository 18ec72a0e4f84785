// The tools that make compiled-in pictures. vessant-image: pictures turned into records at build
// time decode to the picture's pixels, and the tool answers bad input with a message. vessant-font:
// the built-in font's committed sources are what it makes from the installed Liberation Sans, and
// the font they define has the header's cell, a glyph where each code's record says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "gradient_grey.h"
#include "gradient_jpeg.h"
#include "gradient_lz77.h"
#include "gradient_raw.h"
#include "orvan/font_registry.h"
#include "orvan/image.h"
#include "orvan/image_checksum.h"
#include "orvan/ves_font_base.h"
#include "runtime/image_records.h"
#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/run_command.h"

namespace {

using orvan::Image;
using orvan::StaticImageInfo;
using Bytes = std::vector<std::uint8_t>;

const std::string kGradient = std::string(VESSANT_SOURCE_DIR) + "/tests/data/pictures/gradient.png";
const std::string kTool = std::string(VESSANT_BINARY_DIR) + "/vessant-image";
constexpr int kWidth = 40, kHeight = 24;

// The PNG's RGBA pixels with the rows from the bottom (the order the tool stores by default).
Bytes GradientBottomUp() {
  vessant::RgbaImage png;
  Bytes pixels;
  if (!vessant::test::ReadPng(kGradient, &png)) return pixels;
  for (int y = png.height - 1; y >= 0; --y) pixels.insert(pixels.end(), png.At(0, y), png.At(0, y) + png.width * 4);
  return pixels;
}

struct Decoded {
  explicit Decoded(const StaticImageInfo& info) : image(new Image(info)) { ok = image->Decode(); }
  ~Decoded() { image->Release(); }
  const std::uint8_t* At(int x, int y) const { return image->PixelAddress(x, y); }
  Image* image;
  bool ok;
};

TEST(VessantImageRoundTrip, RecordsGiveThePicturesPixelsJpegColourCloseAndAlphaExact) {
  const Bytes expected = GradientBottomUp();
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(kWidth * kHeight * 4));
  for (const StaticImageInfo* info : {&gradient_raw, &gradient_lz77}) {
    Decoded decoded(*info);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.image->TextureWidth(), 64);
    EXPECT_EQ(decoded.image->TextureHeight(), 32);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool inside = x < kWidth && y < kHeight;
        const std::uint8_t* want = inside ? &expected[(y * kWidth + x) * 4] : nullptr;
        for (int k = 0; k < 4; ++k) ASSERT_EQ(decoded.At(x, y)[k], inside ? want[k] : 0) << x << "," << y;
      }
    }
    // The record's checksum is that of the decoded texture-size buffer.
    EXPECT_NE(info->checksum, 0u);
    EXPECT_EQ(orvan::ImageChecksum(decoded.image->Pixels(), decoded.image->PixelDataSize()), info->checksum);
  }
  // Raw stays the picture's size, padded when decoded; pad stores the power-of-two picture.
  EXPECT_EQ(gradient_raw.width, kWidth);
  EXPECT_EQ(gradient_raw.chunkSize, 100);
  EXPECT_EQ(gradient_raw.colorSize, kWidth * kHeight * 4);
  EXPECT_EQ(gradient_lz77.width, 64);
  EXPECT_EQ(gradient_lz77.codec, orvan::VES_CODEC_LZ77);

  Decoded grey(pictures::gradient_grey);
  ASSERT_TRUE(grey.ok);
  EXPECT_EQ(pictures::gradient_grey.format, GL_LUMINANCE_ALPHA);
  EXPECT_EQ(pictures::gradient_grey.chunkSize, 7);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint8_t* rgba = &expected[((kHeight - 1 - y) * kWidth + x) * 4];
      const int luminance = (299 * rgba[0] + 587 * rgba[1] + 114 * rgba[2] + 500) / 1000;
      ASSERT_EQ(grey.At(x, y)[0], luminance) << x << "," << y;
      ASSERT_EQ(grey.At(x, y)[1], rgba[3]) << x << "," << y;
    }
  }

  // The stretched picture the record should hold, made the runtime's way.
  const Bytes picture = GradientBottomUp();
  Image* stretched = new Image(1, 1, 4);
  stretched->SetPixels(picture.data(), kWidth, kHeight, 4);
  stretched->StretchToTextureSize();
  Decoded decoded(gradient_jpeg);
  ASSERT_TRUE(decoded.ok);
  EXPECT_EQ(gradient_jpeg.width, 64);
  EXPECT_NE(gradient_jpeg.alphaChunks, nullptr);
  double errorSum = 0;
  int worst = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t* got = decoded.At(x, y);
      const std::uint8_t* want = stretched->PixelAddress(x, y);
      for (int k = 0; k < 3; ++k) {
        const int error = std::abs(got[k] - want[k]);
        errorSum += error;
        worst = std::max(worst, error);
      }
      ASSERT_EQ(got[3], want[3]) << x << "," << y;
    }
  }
  stretched->Release();
  EXPECT_LT(errorSum / (64 * 32 * 3), 2.0);
  EXPECT_LT(worst, 48);  // at the sharp white frame
  EXPECT_EQ(orvan::ImageChecksum(decoded.image->Pixels(), decoded.image->PixelDataSize()), gradient_jpeg.checksum);
}

class VessantImageTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(kTool.c_str(), X_OK) != 0) GTEST_SKIP() << "vessant-image not built";
  }
  vessant::test::CommandResult Run(const std::string& arguments) {
    return vessant::test::RunCommand("cd '" + dir_.Path() + "' && " + kTool + " " + arguments);
  }
  vessant::test::ScratchDir dir_;
};

TEST_F(VessantImageTool, BadInputIsNamedAndAJpegPictureBecomesOneChunkedRecord) {
  vessant::test::WriteText(dir_.Path() + "/notes.png", "just some text, not a picture");
  // Status 2 is a usage error, answered with the usage too.
  const std::tuple<std::string, int, const char*> cases[] = {
      {"missing.png", 1, "missing.png: cannot open"},
      {"notes.png", 1, "notes.png: neither a PNG nor a JPEG file"},
      {"--codec gif " + kGradient, 2, "--codec is raw, lz77 or jpeg, not 'gif'"},
      {"--chunk-size 0 " + kGradient, 2, ""},
      {"--codec jpeg --components 2 " + kGradient, 1, "the jpeg codec stores RGB and RGBA pictures only"},
      {"--name 3d " + kGradient, 2, ""}};
  for (const auto& [arguments, status, message] : cases) {
    const auto r = Run(arguments);
    EXPECT_EQ(r.status, status) << arguments;
    EXPECT_NE(r.output.find(message), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("usage: vessant-image") != std::string::npos, status == 2) << r.output;
  }
  // Nothing was written by the failed runs, not even a temporary file.
  EXPECT_EQ(vessant::test::RunCommand("ls -A '" + dir_.Path() + "'").output, "notes.png\n");

  const Bytes rgb(16 * 8 * 3, 200);
  const Bytes jpeg = orvan::image_test::EncodeJpeg(rgb, 16, 8);
  vessant::test::WriteText(dir_ / "photo.jpg", std::string(jpeg.begin(), jpeg.end()));
  const auto r = Run("--codec raw --chunk-size 100 --source out/photo_record.cpp photo.jpg");
  ASSERT_EQ(r.status, 1) << r.output;  // the folder out/ does not exist
  EXPECT_NE(r.output.find("cannot create a temporary file beside out/photo_record.h"), std::string::npos) << r.output;
  ASSERT_EQ(Run("--codec raw --chunk-size 100 --source photo_record.cpp photo.jpg").status, 0);
  const std::string header = vessant::test::ReadText(dir_ / "photo_record.h");
  const std::string source = vessant::test::ReadText(dir_ / "photo_record.cpp");
  EXPECT_NE(header.find("extern const orvan::StaticImageInfo photo;"), std::string::npos) << header;
  EXPECT_NE(source.find("#include \"photo_record.h\""), std::string::npos);
  // The JPEG read as 16 x 8 RGB: 384 bytes in chunks of 100, four constant strings.
  EXPECT_NE(source.find("photo_colour_3[] ="), std::string::npos);
  EXPECT_EQ(source.find("photo_colour_4[] ="), std::string::npos);
  EXPECT_NE(source.find("    384, 0, 100,\n"), std::string::npos) << source;
}

const std::string kFontTool = std::string(VESSANT_BINARY_DIR) + "/vessant-font";
const std::string kFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
const std::string kCommitted = std::string(VESSANT_SOURCE_DIR) + "/runtime/text/builtin_font/";

TEST(BuiltInFont, EveryGlyphCellLiesInTheTextureAndTheGeneratorMakesTheCommittedSources) {
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  ASSERT_NE(font, nullptr);
  const orvan::VesFontHeader& h = font->Header();
  EXPECT_EQ(font->Key(), "ArialRegular12");
  EXPECT_EQ(h.extra, 3);
  EXPECT_EQ(h.cellHeight, 17);
  EXPECT_EQ(h.cellWidth, 16);
  EXPECT_EQ(font->GlyphCount(), 224);
  EXPECT_EQ(font->TextureWidth(), 256.0f);
  EXPECT_EQ(font->TextureHeight(), 256.0f);
  orvan::Image* image = font->GetImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Format(), 0x190A);  // GL_LUMINANCE_ALPHA
  const unsigned char* pixels = image->Pixels();
  ASSERT_NE(pixels, nullptr);

  // Every texel's coverage belongs to exactly the cell of one glyph.
  std::vector<int> owner(256 * 256, -1);
  for (int code = 32; code <= 255; ++code) {
    const auto& g = font->Glyph(static_cast<unsigned int>(code));
    ASSERT_LE(g[0], 16.0f) << code;
    const int x0 = static_cast<int>(g[2] * 256.0f + 0.5f), x1 = static_cast<int>(g[3] * 256.0f + 0.5f);
    const int y0 = static_cast<int>(g[8] * 256.0f + 0.5f), y1 = static_cast<int>(g[9] * 256.0f + 0.5f);
    EXPECT_EQ(x1 - x0, static_cast<int>(g[0])) << code;
    EXPECT_EQ(y1 - y0, 17) << code;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        ASSERT_EQ(owner[y * 256 + x], -1) << "cells overlap at " << x << "," << y;
        owner[y * 256 + x] = code;
      }
    }
  }
  int inked = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    EXPECT_EQ(pixels[i * 2], 255);
    if (pixels[i * 2 + 1] != 0) {
      ASSERT_NE(owner[i], -1) << "coverage outside every cell at texel " << i;
      ++inked;
    }
  }
  EXPECT_GT(inked, 2000);
  // Codes outside the range use the first glyph.
  EXPECT_EQ(&font->Glyph(9), &font->Glyph(32));
  EXPECT_EQ(&font->Glyph(1000), &font->Glyph(32));

  if (access(kFontTool.c_str(), X_OK) != 0) GTEST_SKIP() << "vessant-font not built (FreeType missing)";
  vessant::test::ScratchDir dir;
  vessant::test::WriteText(dir.Path() + "/not-a-font.ttf", "hello");
  auto r = vessant::test::RunCommand(kFontTool + " --font " + dir.Path() + "/not-a-font.ttf " + dir.Path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("not a font file"), std::string::npos) << r.output;
  r = vessant::test::RunCommand(kFontTool);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("no output folder"), std::string::npos) << r.output;

  if (access(kFont.c_str(), R_OK) != 0) GTEST_SKIP() << "Liberation Sans not installed (fonts-liberation2)";
  const auto made = vessant::test::RunCommand(kFontTool + " --font " + kFont + " " + dir.Path());
  ASSERT_EQ(made.status, 0) << made.output;
  for (const char* name : {"builtin_font_glyphs.h", "builtin_font_glyphs.cpp", "builtin_font_texture.h",
                           "builtin_font_texture.cpp"}) {
    const std::string fresh = vessant::test::ReadText(dir.Path() + "/" + name);
    ASSERT_FALSE(fresh.empty()) << name;
    EXPECT_TRUE(fresh == vessant::test::ReadText(kCommitted + name))
        << name << " differs: run build/vessant-font runtime/text/builtin_font and commit the result";
  }
  EXPECT_NE(vessant::test::ReadText(kCommitted + "OFL.txt").find("SIL OPEN FONT LICENSE Version 1.1"), std::string::npos);
}

}  // namespace
