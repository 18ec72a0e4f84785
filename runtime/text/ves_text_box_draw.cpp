// Drawing a text box: the rectangle as a polygon, then every character as a quad cut from the
// font texture, with cell background, inverse video, scaling, shadow, halo and faux bold, and
// the underline and strike-through bars after all glyphs.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "orvan/image.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"

namespace orvan {

namespace {

struct Box {
  float x0, y0, x1, y1;
};

// The box's four corners as one primitive of the given mode.
void Corners(GLenum mode, const Box& b) {
  glBegin(mode);
  glVertex2f(b.x0, b.y0);
  glVertex2f(b.x1, b.y0);
  glVertex2f(b.x1, b.y1);
  glVertex2f(b.x0, b.y1);
  glEnd();
}

// A finished underline or strike-through bar.
struct Bar {
  Box box;
  vesColor colour;
  float scale;
};

// Glyph quads go out in as few glBegin/glEnd pairs as the state changes between them allow:
// a colour change stays inside the pair, a background, a texture switch or a blend change ends it.
class GlyphPainter {
 public:
  GlyphPainter(bool textured) : textured_(textured) {}
  ~GlyphPainter() { End(); }

  void Colour(const vesColor& c) {
    if (c == current_ && !colourStale_) return;
    glColor4ubv(c.Bytes());
    current_ = c;
    colourStale_ = false;
  }
  void Quad(const VesFontBase::GlyphRecord& g, const Box& b, float dx, float dy) {
    if (!open_) {
      glBegin(GL_QUADS);
      open_ = true;
    }
    glTexCoord2f(g[2], g[8]);
    glVertex2f(b.x0 + dx, b.y0 + dy);
    glTexCoord2f(g[3], g[8]);
    glVertex2f(b.x1 + dx, b.y0 + dy);
    glTexCoord2f(g[3], g[9]);
    glVertex2f(b.x1 + dx, b.y1 + dy);
    glTexCoord2f(g[2], g[9]);
    glVertex2f(b.x0 + dx, b.y1 + dy);
  }
  // The glyph as a hole: the cell in the text colour wherever the glyph does not cover it.
  void Hole(bool on) {
    if (on == hole_) return;
    End();
    if (on) {
      glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
    } else {
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    hole_ = on;
  }
  void Background(const vesColor& c, const Box& b) {
    End();
    if (textured_) glDisable(GL_TEXTURE_2D);
    glColor4ubv(c.Bytes());
    Corners(GL_POLYGON, b);
    if (textured_) glEnable(GL_TEXTURE_2D);
    colourStale_ = true;
  }
  // The next Colour call sets the colour even when it is the same (after a shadow or halo).
  void ColourChanged() { colourStale_ = true; }
  void End() {
    if (!open_) return;
    glEnd();
    open_ = false;
  }

 private:
  bool textured_;
  bool open_ = false;
  bool hole_ = false;
  bool colourStale_ = true;
  vesColor current_ = vesColor(0, 0, 0, 0);
};

// One run of characters that shares a bar.
struct Run {
  bool open = false;
  bool blank = false;  // the kind of the run's last character
  float x0 = 0.0f, x1 = 0.0f;
  float y = 0.0f;
  float scale = 1.0f;
  vesColor colour;
};

void DrawBox(const Box& b, const vesColor& c) {
  glColor4ubv(c.Bytes());
  Corners(GL_POLYGON, b);
  Corners(GL_LINE_LOOP, b);
}

GLint Filter(int value, bool minification) {
  switch (value) {
    case 0: return GL_NEAREST;
    case 2: return minification ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR;
    case 3: return minification ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    case 4: return minification ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR;
    case 5: return minification ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR;
    default: return GL_LINEAR;
  }
}

}  // namespace

void VesTextBox::Draw() {
  DrawShape([](GLPolygon& polygon) {
    VesTextBox& box = static_cast<VesTextBox&>(polygon);
    // The text is laid out in its own frame: x and y along the rectangle's sides.
    const bool framed = box.xAxis != Vector(1.0f, 0.0f, 0.0f) || box.yAxis != Vector(0.0f, 1.0f, 0.0f) ||
                        box.normal != Vector(0.0f, 0.0f, 1.0f);
    if (framed) {
      const GLfloat frame[16] = {box.xAxis.x, box.xAxis.y, box.xAxis.z, 0.0f, box.yAxis.x, box.yAxis.y,
                                 box.yAxis.z, 0.0f, box.normal.x, box.normal.y, box.normal.z, 0.0f,
                                 0.0f, 0.0f, 0.0f, 1.0f};
      glPushMatrix();
      glMultMatrixf(frame);
    }
    box.DrawText();
    if (framed) glPopMatrix();
  });
}

void VesTextBox::DrawText() {
  VesFontBase* f = DrawingFont();
  if (f == nullptr) return;
  const VesFontHeader& header = f->Header();
  const float h = HorizontalScale(f), v = VerticalScale(f);
  const float width = AvailableWidth(), height = AvailableHeight();
  const float pitch = lineSpacing * cellHeight;
  const float glyphHeight = v * static_cast<float>(header.cellHeight);
  const float unit = static_cast<float>(header.cellWidth) * h;  // one cell width in units

  // Font state.
  glColor4ub(0, 0, 0, 0);
  Image* image = f->GetImage();
  const bool mipmapped = textureMinFilter >= 2 && textureMinFilter <= 5;
  // Before binding: switching mipmaps on drops the texture, and binding rebuilds it with levels.
  if (image != nullptr && mipmapped) image->MipMap(true);
  glEnable(GL_TEXTURE_2D);
  if (image != nullptr) image->BindTexture();
  // A font texture that cannot be made draws untextured quads.
  const bool textured = image != nullptr && image->HasTexture();
  if (!textured) glDisable(GL_TEXTURE_2D);
  glLineWidth(1.0f);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  if (textured) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, Filter(textureMagFilter, false));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, Filter(textureMinFilter, true));
  }

  // The lines that are drawn, broken once: bottom and centre alignment need their count first.
  const int n = static_cast<int>(text.size());
  const int maxLines = LinesThatFit(height);
  std::vector<std::pair<int, Line>> lines;
  for (int start = 0; n > 0 && static_cast<int>(lines.size()) < maxLines;) {
    const Line line = BreakLine(start, width);
    lines.emplace_back(start, line);
    if (line.next <= start || line.next >= n) break;
    start = line.next;
  }
  float y = height + border - cellHeight;
  if (verticalAlignment == ALIGN_BOTTOM || verticalAlignment == ALIGN_CENTER) {
    const int k = static_cast<int>(lines.size());
    if (verticalAlignment == ALIGN_BOTTOM) {
      y = k > 0 ? border + static_cast<float>(k - 1) * pitch : border;
    } else {
      y = (height - cellHeight) * 0.5f + border;
      if (k > 0) y += static_cast<float>(k - 1) * pitch * 0.5f;
    }
  }

  std::vector<Bar> underlines, strikes;
  const float underlineOffset = static_cast<float>(header.underlineOffset) * v;
  const float thickness = static_cast<float>(header.barThickness) * v;
  auto finish = [&](Run& run, bool strike, bool lineEnd) {
    if (!run.open) return;
    run.open = false;
    // Blanks at a line's end get no bar.
    if (lineEnd && run.blank) return;
    const float top = strike ? run.y + cellHeight * run.scale * 0.5f : run.y + underlineOffset * run.scale;
    const Bar bar{Box{run.x0, top - thickness * run.scale, run.x1, top}, run.colour, run.scale};
    (strike ? strikes : underlines).push_back(bar);
  };

  {
    GlyphPainter painter(textured);
    for (const auto& [start, line] : lines) {
      float x = line.offset;
      Run underline, strike;
      for (int i = start; i < line.end; ++i) {
        const unsigned int c = CodeAt(i);
        const float advance = AdvanceWith(f, h, c, i);
        const CharacterRecord& r = RecordFor(i);
        vesColor fore = r.text, back = r.background;
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (c != '\n') {
          const VesFontBase::GlyphRecord& g = f->Glyph(c);
          Box b;
          b.x0 = x + h * g[10];
          b.x1 = b.x0 + h * g[0];
          b.y0 = r.baseline != 0.0f && r.baseline >= -1.0f && r.baseline <= 1.0f ? y + r.baseline * glyphHeight : y;
          b.y1 = b.y0 + glyphHeight;
          const bool hole = r.inverse && back.alpha == 0;
          if (r.inverse && back.alpha != 0) std::swap(fore, back);
          painter.Hole(hole);
          if (back.alpha != 0) painter.Background(back, b);
          if (r.scale > 0.0f && r.scale < 1.0f) {
            const float dx = (b.x1 - b.x0) * (1.0f - r.scale) * 0.5f;
            const float dy = (b.y1 - b.y0) * (1.0f - r.scale) * 0.25f;
            b.x0 += dx;
            b.x1 -= dx;
            b.y0 += dy;
            b.y1 -= 3.0f * dy;
          }
          const float s = unit * r.scale;
          if (!hole && shadow && shadowColor.alpha != 0) {
            const float d = s * shadowDistance;
            painter.Colour(shadowColor);
            painter.Quad(g, b, d, -d);
            painter.ColourChanged();
          }
          if (!hole && halo && haloColor.alpha != 0) {
            const float e = (r.fauxBold ? 0.05f : 0.03f) * s;
            painter.Colour(haloColor);
            painter.Quad(g, b, -e, e);
            painter.Quad(g, b, -e, -e);
            painter.Quad(g, b, e, e);
            painter.Quad(g, b, e, -e);
            painter.ColourChanged();
          }
          painter.Colour(fore);
          painter.Quad(g, b, 0.0f, 0.0f);
          if (r.fauxBold && !hole) {
            const float bold = 0.02f * s;
            painter.Quad(g, b, -bold, bold);
            painter.Quad(g, b, bold, bold);
          }
        }
        // Bars: runs of characters of one kind (blank or not) that ask for them alike.
        const bool strikeGoesOn = strike.open && r.strikeThrough && fore == strike.colour &&
                                  std::fabs(y - strike.y) <= 0.001f && std::fabs(r.scale - strike.scale) <= 0.001f &&
                                  blank == strike.blank;
        if (!strikeGoesOn) {
          finish(strike, true, false);
          if (r.strikeThrough) strike = Run{true, blank, x, x, y, r.scale, fore};
        }
        const bool underlineGoesOn = underline.open && r.underline && fore == underline.colour && blank == underline.blank;
        if (!underlineGoesOn) {
          finish(underline, false, false);
          if (r.underline) underline = Run{true, blank, x, x, y, r.scale, fore};
        } else {
          underline.scale = std::max(underline.scale, r.scale);
        }
        x += advance;
        if (strike.open) strike.x1 = x;
        if (underline.open) underline.x1 = x;
      }
      finish(strike, true, true);
      finish(underline, false, true);
      y -= pitch;
    }
    painter.Hole(false);
  }

  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (const std::vector<Bar>* bars : {&strikes, &underlines}) {
    for (const Bar& bar : *bars) {
      if (shadow) {
        const float o = shadowDistance * bar.scale * cellWidth;
        DrawBox(Box{bar.box.x0 + o, bar.box.y0 - o, bar.box.x1 + o, bar.box.y1 - o}, shadowColor);
      }
      DrawBox(bar.box, bar.colour);
    }
  }
}

}  // namespace orvan
