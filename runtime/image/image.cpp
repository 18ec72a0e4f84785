// An image's life: construction, pixel buffers, format, errors, sharing counts and the pixel
// writes that detach it from its compiled-in record.
#include "orvan/image.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <new>

#include "orvan/static_image_info.h"
#include "orvan/static_image_list.h"

namespace orvan {

static_assert(GL_RGBA == 0x1908, "the header's default format is GL_RGBA");

namespace {

constexpr const char* kCreateError = "Error creating image, out of memory error.";
constexpr const char* kCopyError = "Error copying image, out of memory error.";

// Mipmaps stay off unless an object's filter asks for them.
bool defaultMipMap = false;

int FormatForComponents(int components) {
  switch (components) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    default: return GL_RGBA;
  }
}

// 2^k for the smallest k >= 0 with 2^k >= side, the power taken in floating point.
int PowerOfTwoAtLeast(int side) {
  const double k = std::ceil(std::log2(static_cast<double>(side)));
  return static_cast<int>(std::pow(2.0, k < 0.0 ? 0.0 : k));
}

}  // namespace

Image::Image(const StaticImageInfo& info) : staticInfo(new StaticImageInfo(info)) {
  Initialize(info.width, info.height, info.components);
  Format(info.format);
  Compressed(info.compressed != 0);
  checksum = info.checksum;
  StaticImageList::Append(this);
}

Image::Image(const Image& other)
    : staticInfo(other.staticInfo != nullptr ? new StaticImageInfo(*other.staticInfo) : nullptr) {
  Initialize(other.width, other.height, other.components);
  format = other.format;
  errorPending = other.errorPending;
  errorMessage = other.errorMessage;
  texCoordScaleX = other.texCoordScaleX;
  texCoordScaleY = other.texCoordScaleY;
  mipmap = other.mipmap;
  checksum = other.checksum;
  shareable = other.shareable;
  compressed = other.compressed;
  // Reading the other's pixels decodes it when needed; the copy then owns its pixels.
  SetPixels(const_cast<Image&>(other).Pixels());
}

Image::Image(int width_, int height_, int components_) { Initialize(width_, height_, components_); }

Image::~Image() {
  DeleteTexture();
  FreePixels();
  FreeMipMaps();
  delete staticInfo;
  StaticImageList::Remove(this);
}

void Image::ComputeTextureSize() {
  if (width == 0 || height == 0) return;
  textureWidth = PowerOfTwoAtLeast(width);
  textureHeight = PowerOfTwoAtLeast(height);
  texCoordScaleX = static_cast<float>(width) / static_cast<float>(textureWidth);
  texCoordScaleY = static_cast<float>(height) / static_cast<float>(textureHeight);
}

bool Image::AllocatePixels(bool zeroFill) {
  FreePixels();
  const std::size_t size = PixelDataSize();
  pixels = zeroFill ? new (std::nothrow) unsigned char[size]() : new (std::nothrow) unsigned char[size];
  return pixels != nullptr;
}

void Image::Initialize(int width_, int height_, int components_) {
  dirty = false;
  compressed = false;
  shareable = true;
  mipmap = defaultMipMap;
  FreeMipMaps();
  if (components_ < 1 || components_ > 4) components_ = 4;
  components = components_;
  format = FormatForComponents(components_);
  errorPending = false;
  errorMessage = nullptr;
  textureName = 0;
  // A side outside 1 .. kMaxSide cannot be allocated; it is treated as no picture.
  const bool fits = width_ > 0 && height_ > 0 && width_ <= kMaxSide && height_ <= kMaxSide;
  width = fits ? width_ : 0;
  height = fits ? height_ : 0;
  textureWidth = textureHeight = 0;
  ComputeTextureSize();
  if (!fits && (width_ != 0 || height_ != 0)) SetError(kCreateError);
  if (staticInfo != nullptr) return;
  if (!AllocatePixels(true)) {
    SetError(kCreateError);
    width = height = textureWidth = textureHeight = 0;
  }
}

bool Image::HasError() { return errorPending; }

void Image::SetError(const char* message) {
  errorPending = true;
  errorMessage = message;
}

const char* Image::TakeError() {
  errorPending = false;
  return errorMessage;
}

Image* Image::Clone() { return new Image(*this); }

unsigned char* Image::Pixels() {
  if (staticInfo != nullptr && pixels == nullptr) Decode();
  return pixels;
}

float Image::TexCoordScaleX() { return texCoordScaleX; }
float Image::TexCoordScaleY() { return texCoordScaleY; }
int Image::TextureWidth() { return textureWidth; }
int Image::TextureHeight() { return textureHeight; }

unsigned int Image::PixelDataSize() {
  return static_cast<unsigned int>(textureWidth) * static_cast<unsigned int>(textureHeight) *
         static_cast<unsigned int>(components);
}

int Image::Width() { return width; }
int Image::Height() { return height; }

void Image::Format(int format_) {
  switch (format_) {
    case GL_DEPTH_COMPONENT:
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE:
      components = 1;
      break;
    case GL_LUMINANCE_ALPHA:
      components = 2;
      break;
    case GL_RGB:
      components = 3;
      break;
    case GL_RGBA:
      components = 4;
      break;
    default:
      format_ = GL_RGBA;
      components = 4;
      break;
  }
  format = format_;
}

int Image::Format() { return format; }

const char* Image::FormatName() {
  switch (format) {
    case GL_DEPTH_COMPONENT: return "GL_DEPTH_COMPONENT";
    case GL_RED: return "GL_RED";
    case GL_GREEN: return "GL_GREEN";
    case GL_BLUE: return "GL_BLUE";
    case GL_ALPHA: return "GL_ALPHA";
    case GL_RGBA: return "GL_RGBA";
    case GL_LUMINANCE: return "GL_LUMINANCE";
    case GL_LUMINANCE_ALPHA: return "GL_LUMINANCE_ALPHA";
    default: return "GL_RGB";
  }
}

int Image::Components() { return components; }

unsigned char* Image::PixelAddress(int x, int y) {
  unsigned char* base = Pixels();
  if (base == nullptr || x < 0 || y < 0 || x >= textureWidth || y >= textureHeight) return nullptr;
  return base + (static_cast<std::size_t>(textureWidth) * y + x) * components;
}

void Image::SetPixel(int x, int y, const float color[4]) {
  Detach(true);
  if (components != 4) return;
  unsigned char* p = PixelAddress(x, y);
  if (p == nullptr) return;
  for (int k = 0; k < 4; ++k) {
    // Out-of-range colours are limited: converting them to a byte would be undefined.
    const float v = color[k] * 255.0f;
    p[k] = static_cast<unsigned char>(v <= 0.0f ? 0.0f : v >= 255.0f ? 255.0f : v);
  }
}

void Image::UpdateHook() {}

void Image::Release() {
  if (--refCount < 1) delete this;
}

void Image::AddRef() { ++refCount; }

int Image::RefCount() { return refCount; }

void Image::CopyFrom(const Image& other) {
  if (&other == this) return;
  width = other.width;
  height = other.height;
  textureWidth = other.textureWidth;
  textureHeight = other.textureHeight;
  texCoordScaleX = other.texCoordScaleX;
  texCoordScaleY = other.texCoordScaleY;
  format = other.format;
  components = other.components;
  delete staticInfo;
  staticInfo = other.staticInfo != nullptr ? new StaticImageInfo(*other.staticInfo) : nullptr;
  decodeFailed = false;
  DeleteTexture();
  FreePixels();
  // Levels of the old size would be read at the new one.
  FreeMipMaps();
  if (other.pixels != nullptr) {
    if (AllocatePixels(false)) {
      std::memcpy(pixels, other.pixels, PixelDataSize());
    } else {
      SetError(kCopyError);
    }
  }
}

bool Image::MipMap() { return mipmap; }

void Image::MipMap(bool on) {
  if (on && !mipmap) DeleteTexture();
  mipmap = on;
  GenerateMipMaps(false);
}

bool Image::Compressed() { return compressed; }

void Image::Compressed(bool on) {
  if (on != compressed) DeleteTexture();
  compressed = on;
}

bool Image::SetPixels(const unsigned char* data, int width_, int height_, int components_) {
  if (data == nullptr || width_ < 1 || height_ < 1 || width_ > kMaxSide || height_ > kMaxSide || components_ < 1 ||
      components_ > 4) {
    return false;
  }
  if (width_ == textureWidth && height_ == textureHeight && components_ == components) {
    SetPixels(data);
    return pixels != nullptr;
  }
  DeleteTexture();
  FreePixels();
  FreeMipMaps();
  width = width_;
  height = height_;
  components = components_;
  format = FormatForComponents(components_);
  ComputeTextureSize();
  const bool obtained = staticInfo != nullptr ? Detach(false) && pixels != nullptr : AllocatePixels(true);
  if (!obtained) {
    SetError(kCreateError);
    return false;
  }
  // Padding rows and columns start as transparent black, not as what the buffer held.
  if (width != textureWidth || height != textureHeight) std::memset(pixels, 0, PixelDataSize());
  const std::size_t row = static_cast<std::size_t>(width) * components;
  const std::size_t stride = static_cast<std::size_t>(textureWidth) * components;
  for (int y = 0; y < height; ++y) std::memcpy(pixels + stride * y, data + row * y, row);
  if (mipmap) GenerateMipMaps(true);
  dirty = true;
  checksum = 0;
  return true;
}

void Image::SetPixels(const unsigned char* data) {
  if (data == nullptr) return;
  if (pixels == nullptr) {
    const bool obtained = staticInfo != nullptr ? Detach(false) && pixels != nullptr : AllocatePixels(true);
    if (!obtained) {
      SetError(kCreateError);
      return;
    }
  } else if (staticInfo != nullptr) {
    Detach(false);
  }
  std::memcpy(pixels, data, PixelDataSize());
  // Levels built from the previous pixels would show the old picture when minified.
  if (mipmap) GenerateMipMaps(true);
  dirty = true;
  checksum = 0;
}

bool Image::Unload() {
  if (staticInfo == nullptr) return false;
  FreePixels();
  FreeMipMaps();
  return true;
}

bool Image::Detach(bool decode) {
  if (staticInfo == nullptr) return false;
  if (pixels == nullptr) {
    // A picture that cannot be decoded leaves a blank buffer, so the image stays whole.
    if (!decode || !Decode()) AllocatePixels(decode);
  }
  delete staticInfo;
  staticInfo = nullptr;
  decodeFailed = false;
  return true;
}

bool Image::Shareable() { return shareable; }

void Image::Shareable(bool on) { shareable = on; }

std::size_t Image::HeldPixelBytes() const {
  std::size_t bytes = pixels != nullptr ? static_cast<std::size_t>(textureWidth) * textureHeight * components : 0;
  int w = textureWidth, h = textureHeight;
  for (int level = 1; level < 16; ++level) {
    if (w > 1) w /= 2;
    if (h > 1) h /= 2;
    if (mipmapLevels[level] != nullptr) bytes += static_cast<std::size_t>(w) * h * components;
  }
  return bytes;
}

void Image::FreePixels() {
  delete[] pixels;
  pixels = nullptr;
}

void Image::FreeMipMaps() {
  for (unsigned char*& level : mipmapLevels) {
    delete[] level;
    level = nullptr;
  }
}

}  // namespace orvan
