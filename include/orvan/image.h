#pragma once

#include <cstddef>

namespace orvan {

struct StaticImageInfo;

// The pixels of one texture in memory and the OpenGL texture made from them. The pixel buffer
// is always texture size (the powers of two not below the picture size), rows packed. An image
// made from a StaticImageInfo decodes lazily, frees its pixels again once they are uploaded,
// and is shared by reference count between the palettes that show the same picture.
//
// The virtual operations keep a fixed slot order; subclasses append after the last one.
class Image {
 public:
  // Keeps a copy of the record and joins the process-wide static image list; decodes nothing.
  explicit Image(const StaticImageInfo& info);
  // A copy that owns its pixels (decoding other when needed); it is not listed for sharing.
  Image(const Image& other);
  // A zero-filled picture of the given size that owns its pixels.
  Image(int width, int height, int components);
  Image& operator=(const Image&) = delete;

  virtual void ComputeTextureSize();
  virtual bool AllocatePixels(bool zeroFill);
  virtual bool AllocateMipMaps(bool zeroFill);
  virtual void GenerateMipMaps(bool force);
  virtual void Initialize(int width, int height, int components);
  virtual bool HasError();
  virtual void SetError(const char* message);
  virtual const char* TakeError();
  virtual void DrawPixels(int x, int y);
  virtual void DrawPixels();
  virtual Image* Clone();
  // Decodes first when the image has a record and no pixels.
  virtual unsigned char* Pixels();
  virtual float TexCoordScaleX();
  virtual float TexCoordScaleY();
  virtual int TextureWidth();
  virtual int TextureHeight();
  virtual unsigned int PixelDataSize();
  virtual int Width();
  virtual int Height();
  virtual bool HasTexture();
  virtual void Format(int format);
  virtual int Format();
  virtual const char* FormatName();
  virtual int Components();
  // Null for a point outside the texture or an image without pixels.
  virtual unsigned char* PixelAddress(int x, int y);
  virtual void SetPixel(int x, int y, const float color[4]);
  virtual void UpdateHook();
  virtual void CreateTexture();
  virtual void DeleteTexture();
  virtual void BindTexture();
  virtual ~Image();
  virtual void Release();
  virtual void AddRef();
  virtual int RefCount();
  virtual void CopyFrom(const Image& other);
  virtual void StretchToTextureSize();
  virtual unsigned int Checksum();
  virtual bool Equals(const Image& other);
  virtual Image* FindShared();
  virtual bool MipMap();
  virtual void MipMap(bool on);
  virtual bool Compressed();
  virtual void Compressed(bool on);
  virtual void Resample();
  virtual bool SetPixels(const unsigned char* data, int width, int height, int components);
  virtual void SetPixels(const unsigned char* data);
  virtual bool Decode();
  virtual bool Unload();
  virtual bool Detach(bool decode);
  virtual bool Shareable();
  virtual void Shareable(bool on);

  const StaticImageInfo* StaticInfo() const { return staticInfo; }
  unsigned int TextureName() const { return textureName; }
  bool Dirty() const { return dirty; }
  // The mipmap level buffer n (1 to 15), or null.
  const unsigned char* MipMapLevel(int n) const { return n > 0 && n < 16 ? mipmapLevels[n] : nullptr; }
  // Bytes of pixel and mipmap memory the image holds right now.
  std::size_t HeldPixelBytes() const;
  // True once decoding the record failed; it is not tried again.
  bool DecodeFailed() const { return decodeFailed; }

  // The largest picture side accepted; larger pictures are refused as out of memory.
  static constexpr int kMaxSide = 16384;

 protected:
  void FreePixels();
  void FreeMipMaps();
  // Bilinear stretch of a sourceWidth x sourceHeight picture in the buffer (texture stride) to
  // the whole texture.
  void ResampleFrom(int sourceWidth, int sourceHeight);
  // Uploads level 0 and the mipmap levels with glTexImage2D (create) or glTexSubImage2D.
  void UploadLevels(bool create, int internalFormat);
  // Decodes the record into a fresh texture-size buffer; false (buffer freed) on any failure.
  bool DecodeRecord();

  unsigned int textureName = 0;
  int format = 0x1908;  // GL_RGBA
  int components = 4;
  bool errorPending = false;
  const char* errorMessage = nullptr;
  int width = 0;
  int height = 0;
  int textureWidth = 0;
  int textureHeight = 0;
  float texCoordScaleX = 1.0f;
  float texCoordScaleY = 1.0f;
  unsigned char* pixels = nullptr;
  bool mipmap = false;
  unsigned char* mipmapLevels[16] = {};
  unsigned int checksum = 0;
  int refCount = 1;
  bool dirty = false;
  bool compressed = false;
  StaticImageInfo* staticInfo = nullptr;
  bool shareable = true;
  bool decodeFailed = false;
};

}  // namespace orvan
