// The instrument's dial face: a picture drawn and compiled in at build time, shared by two
// palette entries, and shown by the player texel for texel when filtered by nearest texel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "instrument/instrument.h"
#include "instrument_face.h"
#include "orvan/image.h"
#include "orvan/texture_palette.h"
#include "support/player_script.h"
#include "support/png_read.h"
#include "support/run_command.h"

namespace {

const std::string kLibrary = vessant::test::Instrument();
const std::string kFacePng = std::string(VESSANT_BINARY_DIR) + "/samples/instrument_face.png";

TEST(InstrumentFace, TwoPaletteEntriesShareOneCompiledInPicture) {
  Instrument gauge;
  gauge.Initialize();
  orvan::TexturePalette& palette = *gauge.Palette();
  orvan::Image* face = palette.GetImage(0);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(palette.GetImage(1), face);
  EXPECT_EQ(face->RefCount(), 2);
  EXPECT_EQ(face->Width(), instrument_face.width);
  EXPECT_NE(instrument_face.checksum, 0u);
  EXPECT_EQ(gauge.FindByName("dial")->TextureIndex(), 0);
  EXPECT_EQ(gauge.FindByName("label")->TextureIndex(), 1);
}

TEST(InstrumentFace, ThePlayerShowsTheFacesTexelsWithNearestFiltering) {
  if (access(kLibrary.c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
  vessant::RgbaImage face;
  ASSERT_TRUE(vessant::test::ReadPng(kFacePng, &face));
  ASSERT_EQ(face.width, 128);

  vessant::test::ScratchDir dir;
  const std::string shot = dir / "shot.png";
  vessant::test::RunPlayerScript(kLibrary, "setattrib dial.TextureMagFilter TEXTURE_FILTER_NEAREST\n"
                                           "setattrib dial.TextureMinFilter TEXTURE_FILTER_NEAREST\n"
                                           "frames 1\nsnapshot " + shot + "\nquit\n");
  vessant::RgbaImage image;
  ASSERT_TRUE(vessant::test::ReadPng(shot, &image));

  // World (x, y) is pixel (2x, 200 - 2y); the face spans the world square 0 .. 100, and its
  // picture's top row is the texture's last.
  int compared = 0;
  for (int py = 0; py < 200; py += 3) {
    for (int px = 0; px < 200; px += 3) {
      const double x = (px + 0.5) / 2.0, y = (200 - py - 0.5) / 2.0;
      const double dx = x - 50, dy = y - 50;
      const bool onFace = dx * dx + dy * dy < 37.0 * 37.0;
      bool covered = (x > 44 && x < 56 && y > 48) || (y > 13 && y < 29 && x > 33 && x < 67);  // needle, label
      for (int value = 0; value <= 100; value += 20) {  // the scale's labels
        const double angle = Instrument::NeedleAngle(static_cast<float>(value)) * 0.017453292519943295;
        const double cx = 50 - Instrument::kScaleLabelRadius * std::sin(angle);
        const double cy = 50 + Instrument::kScaleLabelRadius * std::cos(angle);
        covered = covered || (std::fabs(x - cx) < Instrument::kScaleLabelWidth * 0.5 + 1 &&
                              std::fabs(y - cy) < Instrument::kScaleLabelHeight * 0.5 + 1);
      }
      const double s = x / 100.0 * 128.0, t = y / 100.0 * 128.0;
      const bool mid = s - static_cast<int>(s) > 0.2 && s - static_cast<int>(s) < 0.8 &&
                       t - static_cast<int>(t) > 0.2 && t - static_cast<int>(t) < 0.8;
      if (!onFace || covered || !mid) continue;
      const std::uint8_t* texel = face.At(static_cast<int>(s), 127 - static_cast<int>(t));
      const std::uint8_t* pixel = image.At(px, py);
      for (int k = 0; k < 3; ++k) ASSERT_EQ(pixel[k], texel[k]) << "pixel " << px << "," << py << " component " << k;
      ++compared;
    }
  }
  EXPECT_GT(compared, 200);
}

}  // namespace
