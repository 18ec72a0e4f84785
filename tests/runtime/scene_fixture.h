#pragma once
// Drawing scene objects through a headless control: one world unit is one pixel, the origin is
// the lower-left corner, and the background is black unless a test says otherwise.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <utility>

#include "orvan/display_object.h"
#include "orvan/gl_polygon.h"
#include "support/headless_control.h"

namespace orvan::scene_test {

// A display object that runs a callback where it is drawn, to look at OpenGL state mid-frame.
class Probe : public DisplayObject {
 public:
  explicit Probe(std::function<void(Probe&)> onDraw = nullptr) : onDraw_(std::move(onDraw)) {}
  void Draw() override {
    if (onDraw_) onDraw_(*this);
  }

 private:
  std::function<void(Probe&)> onDraw_;
};

// A filled rectangle from (x0, y0) to (x1, y1) at depth z.
inline std::unique_ptr<GLPolygon> Rect(float x0, float y0, float x1, float y1,
                                       const vesColor& fill = vesColor(255, 0, 0, 255), float z = 0) {
  const Vertex corners[4] = {Vertex(x0, y0, z, fill), Vertex(x1, y0, z, fill), Vertex(x1, y1, z, fill),
                             Vertex(x0, y1, z, fill)};
  auto p = std::make_unique<GLPolygon>(4, corners);
  p->PolygonMode(3);
  return p;
}

struct Rgba {
  int r, g, b, a;
  bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
inline std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRedPixel{255, 0, 0, 255};
constexpr Rgba kGreenPixel{0, 255, 0, 255};
const vesColor kRed(255, 0, 0, 255), kGreen(0, 255, 0, 255), kBlue(0, 0, 255, 255);

inline bool Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
inline GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}
inline GLfloat Float(GLenum name) {
  GLfloat value = 0;
  glGetFloatv(name, &value);
  return value;
}

// The state the frame's reset establishes and every object must leave as it found it.
struct FrameState {
  std::array<bool, 9> enabled;
  std::array<GLint, 5> values;  // blend source and destination, depth function, depth mask, stack depth
  GLfloat lineWidth;
  std::array<GLdouble, 16> modelView;

  static FrameState Current() {
    static const GLenum kCapabilities[] = {GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHTING, GL_COLOR_MATERIAL,
                                           GL_ALPHA_TEST, GL_BLEND, GL_LINE_SMOOTH, GL_LINE_STIPPLE,
                                           GL_TEXTURE_2D};
    FrameState s{};
    for (int i = 0; i < 9; ++i) s.enabled[i] = Enabled(kCapabilities[i]);
    s.values = {Integer(GL_BLEND_SRC), Integer(GL_BLEND_DST), Integer(GL_DEPTH_FUNC), Integer(GL_DEPTH_WRITEMASK),
                Integer(GL_MODELVIEW_STACK_DEPTH)};
    s.lineWidth = Float(GL_LINE_WIDTH);
    glGetDoublev(GL_MODELVIEW_MATRIX, s.modelView.data());
    return s;
  }
  bool operator==(const FrameState& o) const {
    return enabled == o.enabled && values == o.values && lineWidth == o.lineWidth && modelView == o.modelView;
  }
};

class SceneTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 100;
  static constexpr int kHeight = 80;

  void SetUp() override {
    control_ = std::make_unique<vessant::test::HeadlessControl>(kWidth, kHeight);
    if (!control_->Ok()) GTEST_SKIP() << "no EGL display here";
    auto& properties = control_->Control().Properties();
    properties.useExtents = false;
    properties.perspective = false;
    properties.useContainerBackground = false;
    properties.backgroundColor = 0x000000;
    properties.drawBackground = true;
  }

  // Draws object as the control's only object for one frame. The control lets go of it again,
  // so the object may die before the fixture.
  vessant::RgbaImage Render(DisplayObject& object) {
    control_->SetDrawnObject(&object);
    vessant::RgbaImage image = control_->RenderFrame();
    control_->SetDrawnObject(nullptr);
    return image;
  }

  // The pixel that shows world point (x, y).
  static Rgba Pixel(const vessant::RgbaImage& image, int x, int y) {
    const std::uint8_t* p = image.At(x, image.height - 1 - y);
    return Rgba{p[0], p[1], p[2], p[3]};
  }

  void SetTime(double seconds) { control_->SetTime(seconds); }
  vessant::ControlProperties& Properties() { return control_->Control().Properties(); }

  std::unique_ptr<vessant::test::HeadlessControl> control_;
};

}  // namespace orvan::scene_test
