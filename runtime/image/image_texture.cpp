// The OpenGL side of an image: the texture object, its upload and re-upload, and drawing the
// pixels straight to the frame buffer.
#include <GL/gl.h>
#include <GL/glext.h>

#include "orvan/gl_info.h"
#include "orvan/image.h"

namespace orvan {

namespace {

// Asked once per process: the answer is the same for every context that shares textures.
bool TextureCompressionAvailable() {
  static const bool available = OpenGLExtensionAvailable("GL_ARB_texture_compression");
  return available;
}

}  // namespace

void Image::DrawPixels(int x, int y) {
  if (Pixels() == nullptr) return;
  glRasterPos2d(x, y);
  DrawPixels();
}

void Image::DrawPixels() {
  if (Pixels() == nullptr) return;
  // Rows are texture-wide in memory; only the picture's part is drawn.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, textureWidth);
  glDrawPixels(width, height, static_cast<GLenum>(format), GL_UNSIGNED_BYTE, pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

bool Image::HasTexture() { return textureName != 0 && glIsTexture(textureName) == GL_TRUE; }

void Image::CreateTexture() {
  const bool compressionAvailable = TextureCompressionAvailable();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (HasTexture()) {
    glBindTexture(GL_TEXTURE_2D, textureName);
    return;
  }
  if (staticInfo != nullptr) {
    // A picture that cannot be decoded gets no texture: objects then draw untextured rather
    // than with whatever memory held.
    if (!Decode()) {
      glBindTexture(GL_TEXTURE_2D, 0);
      return;
    }
    GenerateMipMaps(false);
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  textureName = name;
  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, 8448.0f);  // GL_MODULATE
  int internalFormat = components;
  if (compressionAvailable && compressed) {
    if (format == GL_RGBA) internalFormat = GL_COMPRESSED_RGBA_ARB;
    if (format == GL_RGB) internalFormat = GL_COMPRESSED_RGB_ARB;
  }
  UploadLevels(true, internalFormat);
  dirty = false;
  // Compiled-in pixels live in the texture now; they are decoded again if ever read.
  if (staticInfo != nullptr) Unload();
}

void Image::UploadLevels(bool create, int internalFormat) {
  const GLenum pixelFormat = static_cast<GLenum>(format);
  if (create) {
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, textureWidth, textureHeight, 0, pixelFormat, GL_UNSIGNED_BYTE,
                 pixels);
  } else {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, textureWidth, textureHeight, pixelFormat, GL_UNSIGNED_BYTE, pixels);
  }
  if (!mipmap) return;
  int w = textureWidth, h = textureHeight;
  for (int level = 1; level < 16; ++level) {
    if (w > 1) w /= 2;
    if (h > 1) h /= 2;
    if (mipmapLevels[level] == nullptr) break;
    if (create) {
      glTexImage2D(GL_TEXTURE_2D, level, internalFormat, w, h, 0, pixelFormat, GL_UNSIGNED_BYTE,
                   mipmapLevels[level]);
    } else {
      glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, w, h, pixelFormat, GL_UNSIGNED_BYTE, mipmapLevels[level]);
    }
  }
}

void Image::DeleteTexture() {
  if (textureName == 0) return;
  GLuint name = textureName;
  glDeleteTextures(1, &name);
  textureName = 0;
}

void Image::BindTexture() {
  if (!HasTexture()) {
    CreateTexture();
    return;
  }
  glBindTexture(GL_TEXTURE_2D, textureName);
  if (dirty && pixels != nullptr) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    UploadLevels(false, 0);
    dirty = false;
  }
}

}  // namespace orvan
