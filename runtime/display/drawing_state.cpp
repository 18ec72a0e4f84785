// OpenGL state around a display object's geometry. Every setup step here has a matching undo, so
// objects never leak state into one another; the frame's default state comes from
// ResetRenderState.
#include <GL/gl.h>

#include <cmath>

#include "orvan/display_frame.h"
#include "orvan/display_object.h"
#include "orvan/draw_state_run.h"
#include "orvan/gl_info.h"
#include "orvan/global_light_mgr.h"
#include "orvan/image.h"
#include "orvan/texture_palette.h"
#include "orvan/timer.h"

namespace orvan {

namespace {

TexturePalette* PaletteOf(DisplayFrame* frame) { return frame != nullptr ? frame->Palette() : nullptr; }

}  // namespace

bool DisplayObject::DrawSkipped() { return !visible || culled || (blinking && BlinkedOff()); }

bool DisplayObject::BlinkedOff() {
  if (blinkRate <= 0.0f) return false;
  const double period = 1.0 / blinkRate;
  const double phase = std::fmod(SharedTimer().ElapsedTime(), period);
  return phase < period * 0.5;
}

void DisplayObject::SetupCullFace() { DrawStateRun::Enable(GL_CULL_FACE, cullBackFace != 0); }

bool DisplayObject::SetupAntiAlias() {
  if (!antiAlias) return false;
  glEnable(GL_LINE_SMOOTH);
  return true;
}

void DisplayObject::RestoreAntiAlias() { glDisable(GL_LINE_SMOOTH); }

void DisplayObject::SetupDepthTest() {
  switch (depthTest) {
    case 1:
      DrawStateRun::Enable(GL_DEPTH_TEST, true);
      DrawStateRun::DepthFunc(GL_LESS);
      DrawStateRun::DepthMask(GL_TRUE);
      break;
    case 2:  // tested, not written
      DrawStateRun::Enable(GL_DEPTH_TEST, true);
      DrawStateRun::DepthFunc(GL_LESS);
      DrawStateRun::DepthMask(GL_FALSE);
      break;
    case 3:
      DrawStateRun::Enable(GL_DEPTH_TEST, true);
      DrawStateRun::DepthFunc(GL_ALWAYS);
      DrawStateRun::DepthMask(GL_TRUE);
      break;
    default:
      DrawStateRun::Enable(GL_DEPTH_TEST, false);
      DrawStateRun::DepthFunc(GL_LESS);
      DrawStateRun::DepthMask(GL_TRUE);
      break;
  }
}

void DisplayObject::RestoreDepthAndCulling() { DrawStateRun::UndoDepthAndCulling(false, depthTest, cullBackFace != 0); }

void DisplayObject::SetupShading() { DrawStateRun::ShadeModel(shading == 1 ? GL_SMOOTH : GL_FLAT); }

bool DisplayObject::SetupAlpha() {
  switch (alphaMode) {
    case 1:  // opaque
      glDisable(GL_BLEND);
      glDisable(GL_ALPHA_TEST);
      return true;
    case 2:  // two-level: a fragment is either drawn opaque or discarded
      glDisable(GL_BLEND);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GREATER, 0.5f);
      return true;
    default:
      // 256-level, and any value outside the enumeration: the frame's default blending stays.
      return false;
  }
}

void DisplayObject::RestoreAlpha() {
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DisplayObject::SetupLighting() {
  if (!lightingEnabled) return;
  glEnable(GL_LIGHTING);
  if (parent != nullptr) GlobalLightMgr::Instance().ApplyLights(nullptr);
  static const GLenum kColorMaterial[] = {GL_DIFFUSE, GL_AMBIENT, GL_AMBIENT_AND_DIFFUSE, GL_EMISSION,
                                          GL_SPECULAR};
  if (colorMaterialMode >= 1 && colorMaterialMode <= 5) {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, kColorMaterial[colorMaterialMode - 1]);
  }
}

void DisplayObject::RestoreLighting() {
  if (!lightingEnabled) return;
  glDisable(GL_LIGHTING);
  if (colorMaterialMode != 0) glDisable(GL_COLOR_MATERIAL);
}

bool DisplayObject::PushTransform() {
  if (modelViewMatrix == nullptr) return false;
  glPushMatrix();
  glLoadMatrixd(modelViewMatrix->data);
  return true;
}

bool DisplayObject::SetupTexture() {
  int index = textureIndex;
  int repeat = textureRepeat;
  if (textureIndex < 0) {
    index = InheritedTextureIndex();
    repeat = InheritedTextureRepeat();
  }
  if (index < 0) return false;
  // Coordinates for fewer vertices than the object has would be read past their end.
  if (textureCoordinates == nullptr || textureCoordinateCount < vertexCount) return false;
  TexturePalette* palette = PaletteOf(parent);
  if (palette == nullptr || palette->GetImage(index) == nullptr) return false;
  DrawStateRun::Enable(GL_TEXTURE_2D, true);
  palette->UseTexture(index);
  GLint wrap = GL_REPEAT;
  if (!repeat) wrap = OpenGLVersion() >= 1.2f ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  return true;
}

Image* DisplayObject::TextureImage() {
  const int index = textureIndex >= 0 ? textureIndex : InheritedTextureIndex();
  TexturePalette* palette = PaletteOf(parent);
  return index >= 0 && palette != nullptr ? palette->GetImage(index) : nullptr;
}

void DisplayObject::SetupTextureEnvironment(int index) {
  if (index == -1) index = textureIndex;
  // An inherited texture keeps the environment already in force.
  if (index < 0) return;
  TexturePalette* palette = PaletteOf(parent);
  Image* image = textureMinFilter >= 2 && textureMinFilter <= 5 && palette != nullptr ? palette->GetImage(index) : nullptr;
  if (image != nullptr) {
    image->MipMap(true);
    // Switching mipmaps on drops the bound texture. It is rebuilt with its levels at once, so
    // this draw already shows it, and before the settings below, which a new texture resets.
    if (!image->HasTexture()) palette->UseTexture(index);
  }
  switch (textureMap) {
    case 0: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE); break;
    case 1: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); break;
    case 2: {
      glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
      GLfloat c[4];
      blendColor.ToFloats(c);
      glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, c);
      break;
    }
    case 3: glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE); break;
    default: break;
  }
  if (textureMagFilter == 0) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  if (textureMagFilter == 1) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  static const GLint kMinFilter[] = {GL_NEAREST, GL_LINEAR, GL_NEAREST_MIPMAP_NEAREST,
                                     GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST_MIPMAP_LINEAR,
                                     GL_LINEAR_MIPMAP_NEAREST};
  if (textureMinFilter <= 5) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kMinFilter[textureMinFilter]);
}

bool DisplayObject::SetupLineStyle() {
  bool changed = false;
  if (lineWidth != 1.0f) {
    glLineWidth(lineWidth);
    changed = true;
  }
  if (lineStipplePattern < 0xFFFF) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(lineStippleMultiplier, lineStipplePattern);
    changed = true;
  }
  return changed;
}

void DisplayObject::RestoreLineStyle() {
  glLineWidth(1.0f);
  glDisable(GL_LINE_STIPPLE);
}

}  // namespace orvan
