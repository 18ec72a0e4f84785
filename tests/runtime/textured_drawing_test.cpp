// Textured polygons on screen: texels where the coordinates put them, wrap modes, texture
// environments, mipmap filters, inheritance through groups, textures that stay inside their
// component, and pictures that cannot be decoded.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "orvan/component_base.h"
#include "orvan/gl_info.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/image.h"
#include "orvan/texture_palette.h"
#include "runtime/image_records.h"
#include "runtime/scene_fixture.h"
#include "support/log_capture.h"

namespace orvan {
namespace {

using namespace image_test;
using namespace scene_test;

// Texel (x, y) of the 4 x 4 test picture: its own colour, opaque.
Rgba Texel(int x, int y) { return Rgba{40 + 50 * x, 30 + 60 * y, 200 - 40 * x, 255}; }

// A side x side picture of those texels.
Bytes TexelPicture(int side) {
  Bytes out;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const Rgba c = Texel(x, y);
      out.insert(out.end(), {static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                             static_cast<std::uint8_t>(c.b), 255});
    }
  }
  return out;
}

// A quad from (x0, y0) to (x1, y1) whose texture spans it `repeats` times, with nearest filtering
// and the texture replacing the vertex colour.
GLPolygon* TexturedQuad(float x0, float y0, float x1, float y1, int index, float repeats = 1.0f,
                        const vesColor& fill = vesColor(255, 255, 255, 255)) {
  const Vertex corners[4] = {Vertex(x0, y0, 0, fill), Vertex(x1, y0, 0, fill), Vertex(x1, y1, 0, fill),
                             Vertex(x0, y1, 0, fill)};
  GLPolygon* quad = new GLPolygon(4, corners);
  quad->SetValue(18, 3, 7, 0, 9, 3, 10, 0, 11, 0, 0);
  Vector* points = quad->GetTexturePoints();
  points[0] = Vector((x1 - x0) / repeats, 0, 0);
  points[1] = Vector(0, 0, 0);
  points[2] = Vector(0, (y1 - y0) / repeats, 0);
  // From its own texture points, even when it is to inherit its texture.
  quad->CalculateTexCoordinates();
  quad->TextureIndex(index);
  return quad;
}

class TexturedDrawing : public SceneTest {
 protected:
  TexturedDrawing() : picture(TexelPicture(4)), record(4, 4, GL_RGBA, VES_CODEC_RAW, picture) {}

  // A component whose palette entry 0 holds the record (by default the test picture).
  std::unique_ptr<ComponentBase> Scene(const StaticImageInfo* info = nullptr) {
    auto component = std::make_unique<ComponentBase>();
    component->Palette()->Resize(1);
    component->Palette()->SetImage(0, info != nullptr ? info : &record.info);
    return component;
  }
  static void Add(ComponentBase& component, DisplayObject* object) {
    component.InsertObject(object, true, false);
    component.Parent(&component);
  }
  // The screen pixel at the centre of texel (x, y) of a texture spread over (x0, y0)-(x0+80, y0+80).
  Rgba TexelOnScreen(const vessant::RgbaImage& image, int x, int y, int x0 = 10, int y0 = 0) {
    return Pixel(image, x0 + 20 * x + 10, y0 + 20 * y + 10);
  }

  Bytes picture;
  Record record;
};

// An image that keeps its picture smaller than its texture when first used.
class UnstretchedImage : public Image {
 public:
  UnstretchedImage() : Image(3, 3, 4) {}
  void StretchToTextureSize() override {}
};

TEST_F(TexturedDrawing, CoordinatesWrapModesEnvironmentsMipmapsAndCompression) {
  auto* image = new UnstretchedImage;
  const Bytes pixels = TexelPicture(3);
  image->SetPixels(pixels.data(), 3, 3, 4);
  ASSERT_FLOAT_EQ(image->TexCoordScaleX(), 0.75f);
  auto scene = std::make_unique<ComponentBase>();
  scene->Palette()->Resize(1);
  scene->Palette()->SetImage(0, image);
  image->Release();
  Add(*scene, TexturedQuad(0, 0, 60, 60, 0));
  const vessant::RgbaImage shown = Render(*scene);
  // Coordinates 0 .. 1 show the 3 x 3 picture, 20 pixels a texel, and none of the padding.
  EXPECT_EQ(Pixel(shown, 10, 10), Texel(0, 0));
  EXPECT_EQ(Pixel(shown, 50, 30), Texel(2, 1));
  EXPECT_EQ(Pixel(shown, 50, 50), Texel(2, 2));

  auto plainScene = Scene();
  Add(*plainScene, TexturedQuad(10, 0, 90, 80, 0));
  const vessant::RgbaImage plainImage = Render(*plainScene);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(TexelOnScreen(plainImage, x, y), Texel(x, y)) << x << "," << y;
  }
  EXPECT_EQ(Pixel(plainImage, 5, 40), kBlack);
  // Prepared once; the compiled-in pixels were freed after the upload.
  EXPECT_EQ((*plainScene->Palette())[0].State(), TexturePaletteEntry::kPrepared);
  EXPECT_EQ(plainScene->Palette()->GetImage(0)->HeldPixelBytes(), 0u);
  EXPECT_EQ(TexelOnScreen(Render(*plainScene), 3, 3), Texel(3, 3));
  // An outline with a texture is filled with it first.
  static_cast<GLPolygon*>(plainScene->Item(0))->PolygonMode(2);
  EXPECT_EQ(TexelOnScreen(Render(*plainScene), 2, 2), Texel(2, 2));

  auto repeated = Scene();
  GLPolygon* quad = TexturedQuad(10, 0, 90, 80, 0, 2.0f);  // coordinates 0 .. 2
  Add(*repeated, quad);
  vessant::RgbaImage wrapped = Render(*repeated);
  // Each texel is 10 pixels now; the upper right quarter repeats the picture.
  EXPECT_EQ(Pixel(wrapped, 10 + 45, 45), Texel(0, 0));
  EXPECT_EQ(Pixel(wrapped, 10 + 75, 75), Texel(3, 3));
  quad->TextureRepeat(0);
  wrapped = Render(*repeated);
  EXPECT_EQ(Pixel(wrapped, 10 + 45, 45), Texel(3, 3));
  EXPECT_EQ(Pixel(wrapped, 10 + 75, 15), Texel(3, 1));

  auto tinted = Scene();
  GLPolygon* tintedQuad = TexturedQuad(10, 0, 90, 80, 0, 1.0f, vesColor(255, 0, 255, 255));
  Add(*tinted, tintedQuad);
  tintedQuad->TextureMappingTechnique(0);  // modulate
  const Rgba modulated = TexelOnScreen(Render(*tinted), 1, 2);
  EXPECT_EQ(modulated.g, 0);
  EXPECT_NEAR(modulated.r, Texel(1, 2).r, 1);
  EXPECT_NEAR(modulated.b, Texel(1, 2).b, 1);

  // Alternating black and white columns, drawn at an eighth of their size.
  Bytes stripes(64 * 64 * 4, 255);
  for (std::size_t i = 0; i < stripes.size(); i += 4) {
    if ((i / 4) % 2 == 0) stripes[i] = stripes[i + 1] = stripes[i + 2] = 0;
  }
  Record striped(64, 64, GL_RGBA, VES_CODEC_RAW, stripes);
  auto stripedScene = Scene(&striped.info);
  // Blue vertices: the texture must still replace them once its mipmapped texture is rebuilt.
  GLPolygon* smallQuad = TexturedQuad(10, 10, 18, 18, 0, 1.0f, vesColor(0, 0, 255, 255));
  Add(*stripedScene, smallQuad);
  Render(*stripedScene);  // first drawn without mipmaps
  Image* stripedImage = stripedScene->Palette()->GetImage(0);
  EXPECT_FALSE(stripedImage->MipMap());

  smallQuad->TextureMinificationFilter(3);  // linear, mipmap linear
  int levels = 0;
  Add(*stripedScene, new Probe([&](Probe&) {
    stripedImage->BindTexture();
    for (int level = 0; level < 16; ++level) {
      GLint width = 0;
      glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
      if (width > 0) levels = level + 1;
    }
  }));
  const Rgba grey = Pixel(Render(*stripedScene), 14, 14);
  EXPECT_TRUE(stripedImage->MipMap());
  EXPECT_EQ(levels, 7);  // 64 down to 1
  EXPECT_NEAR(grey.r, 127, 2);
  EXPECT_NEAR(grey.b, 127, 2);
  EXPECT_EQ(stripedImage->HeldPixelBytes(), 0u);

  record.info.compressed = 1;
  auto compressedScene = Scene();
  Image* compressedImage = compressedScene->Palette()->GetImage(0);
  EXPECT_TRUE(compressedImage->Compressed());
  Add(*compressedScene, TexturedQuad(10, 0, 90, 80, 0));
  GLint compressedTexture = -1;
  Add(*compressedScene, new Probe([&](Probe&) {
    compressedImage->BindTexture();
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressedTexture);
  }));
  const Rgba compressedShown = TexelOnScreen(Render(*compressedScene), 1, 1);
  if (!OpenGLExtensionAvailable("GL_ARB_texture_compression")) GTEST_SKIP() << "no texture compression here";
  EXPECT_EQ(compressedTexture, GL_TRUE);
  EXPECT_NEAR(compressedShown.g, Texel(1, 1).g, 24);  // compression may shift colours a little
}

TEST_F(TexturedDrawing, InheritedTexturesComponentsOwnTexturesAndUndecodablePictures) {
  auto scene = Scene();
  Group* textured = new Group;
  textured->TextureIndex(0);
  GLPolygon* child = TexturedQuad(10, 0, 90, 80, -1);
  textured->InsertObject(child, true, false);
  Add(*scene, textured);
  // The inherited texture keeps the environment in force: modulated by white, filtered linearly.
  const Rgba inherited = TexelOnScreen(Render(*scene), 2, 1);
  EXPECT_NEAR(inherited.r, Texel(2, 1).r, 2);
  EXPECT_NEAR(inherited.g, Texel(2, 1).g, 2);
  EXPECT_NEAR(inherited.b, Texel(2, 1).b, 2);
  textured->TextureIndex(-1);
  // Untextured, the quad shows its white vertex colour.
  EXPECT_EQ(TexelOnScreen(Render(*scene), 2, 1), (Rgba{255, 255, 255, 255}));

  // The container shows the test picture; the component inside holds a plain green one.
  auto container = Scene();
  Bytes green(4 * 4 * 4);
  for (std::size_t i = 0; i < green.size(); i += 4) green[i + 1] = green[i + 3] = 255;
  Record greenRecord(4, 4, GL_RGBA, VES_CODEC_RAW, green);
  auto inner = Scene(&greenRecord.info);
  inner->InsertObject(TexturedQuad(0, 0, 20, 20, 0), true, false);   // its own index 0: green
  inner->InsertObject(TexturedQuad(20, 0, 40, 20, -1), true, false);  // nothing inherited: white
  inner->SetValue(38, 1, 0);
  inner->FinishConstruction();

  Group* around = new Group;  // offers the container's texture to everything inside it
  around->TextureIndex(0);
  around->InsertObject(inner.release(), true, false);
  Add(*container, around);
  Add(*container, TexturedQuad(50, 0, 70, 20, -1, 1.0f, vesColor(255, 0, 0, 255)));  // after it, untextured
  Add(*container, TexturedQuad(10, 40, 90, 80, 0));  // the container's own index 0

  const vessant::RgbaImage image = Render(*container);
  EXPECT_EQ(Pixel(image, 10, 10), kGreenPixel);
  EXPECT_EQ(Pixel(image, 30, 10), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(Pixel(image, 60, 10), kRedPixel);
  EXPECT_EQ(Pixel(image, 10 + 20 * 3 + 5, 40 + 10 * 1 + 5), Texel(3, 1));

  Record broken(4, 4, GL_RGBA, VES_CODEC_LZ77, Bytes(40, 0x33));
  auto brokenScene = Scene(&broken.info);
  Add(*brokenScene, TexturedQuad(10, 0, 90, 80, 0, 1.0f, vesColor(0, 0, 255, 255)));
  // The error display writes to standard output or to the log sink, depending on the host.
  vessant::test::CaptureLog();
  testing::internal::CaptureStdout();
  const vessant::RgbaImage firstFrame = Render(*brokenScene);
  const vessant::RgbaImage secondFrame = Render(*brokenScene);
  const std::string out = testing::internal::GetCapturedStdout() + vessant::test::TakeCapturedLog();
  EXPECT_EQ(out, "Error: Error decoding image, the picture data are damaged or do not match the image.\n");
  EXPECT_EQ(Pixel(firstFrame, 50, 40), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(Pixel(secondFrame, 50, 40), (Rgba{0, 0, 255, 255}));
  EXPECT_FALSE(brokenScene->Palette()->GetImage(0)->HasTexture());
}

}  // namespace
}  // namespace orvan
