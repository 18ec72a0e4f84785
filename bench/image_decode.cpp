// Decoding a compiled-in 1024 x 512 RGBA picture stored as JPEG with a zlib alpha plane (the size
// of a splash picture) through Image::Decode, against decoding the same bytes with plain
// libjpeg-turbo and zlib calls into an RGBA buffer. Both are timed run by run, interleaved, and
// the medians compared (target: at most 1.1x).
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/bench_support.h"
#include "bench/plain_decode.h"
#include "orvan/image.h"
#include "orvan/static_image_info.h"
#include "tools/vessant_image/stream_codec.h"

namespace {

constexpr int kWidth = 1024, kHeight = 512, kChunk = 240;
using Bytes = std::vector<unsigned char>;

// A smooth picture with some detail, so the JPEG has the size of a real one.
Bytes Picture() {
  Bytes rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
      p[0] = static_cast<unsigned char>(x / 4);
      p[1] = static_cast<unsigned char>(y / 2);
      p[2] = static_cast<unsigned char>(128 + 100 * std::sin(x * 0.05) * std::cos(y * 0.07));
    }
  }
  return rgb;
}

// The plain decode of the same two streams into a buffer of its own.
unsigned char* PlainDecode(const Bytes& jpeg, const Bytes& alphaStream) {
  unsigned char* rgba = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(kWidth) * kHeight * 4));
  bench::PlainJpegAlphaDecode(jpeg, alphaStream, kWidth, kHeight, rgba);
  return rgba;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 40;
  const Bytes jpeg = vessant_image::EncodeJpeg(Picture().data(), kWidth, kHeight, 3, 75);
  Bytes alpha(static_cast<std::size_t>(kWidth) * kHeight, 255);
  for (int y = 0; y < 64; ++y) std::memset(&alpha[static_cast<std::size_t>(y) * kWidth], 0, kWidth);  // a clear band
  const Bytes alphaStream = vessant_image::Deflate(alpha);
  const std::vector<const unsigned char*> colourChunks = vessant_image::Chunks(jpeg, kChunk),
                                         alphaChunks = vessant_image::Chunks(alphaStream, kChunk);
  orvan::StaticImageInfo info{kWidth, kHeight, 4, GL_RGBA, orvan::VES_CODEC_JPEG, 0, 0,
                              static_cast<int>(jpeg.size()), static_cast<int>(alphaStream.size()), kChunk,
                              colourChunks.data(), alphaChunks.data()};
  // The stored checksum, as generated records carry it, so decoding does not compute it.
  {
    orvan::Image* probe = new orvan::Image(info);
    if (!probe->Decode()) {
      std::printf("image_decode: the record does not decode\n");
      return 1;
    }
    info.checksum = probe->Checksum();
    unsigned char* plain = PlainDecode(jpeg, alphaStream);
    const bool same = std::memcmp(plain, probe->Pixels(), probe->PixelDataSize()) == 0;
    std::free(plain);
    probe->Release();
    std::printf("record: %d x %d RGBA, %zu JPEG bytes + %zu alpha bytes in chunks of %d; same pixels: %s\n",
                kWidth, kHeight, jpeg.size(), alphaStream.size(), kChunk, same ? "yes" : "NO");
  }

  std::vector<double> ours, plain;
  for (int i = 0; i < runs + 3; ++i) {
    const double a = bench::Milliseconds([&] {
      orvan::Image* image = new orvan::Image(info);
      image->Decode();
      image->Release();
    });
    const double b = bench::Milliseconds([&] { std::free(PlainDecode(jpeg, alphaStream)); });
    if (i >= 3) {  // the first runs warm the caches and the allocator
      ours.push_back(a);
      plain.push_back(b);
    }
  }
  const double o = bench::Median(ours), p = bench::Median(plain);
  std::printf("Image::Decode:          %.3f ms (median of %d)\n", o, runs);
  std::printf("libjpeg-turbo + zlib:   %.3f ms\n", p);
  std::printf("ratio: %.3fx (target: at most 1.1x)\n", o / p);
  return 0;
}
