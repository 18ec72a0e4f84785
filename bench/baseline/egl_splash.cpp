// The splash baseline: the least a program can do to show the player's splash picture headless.
// The same kind of context as the player's (Mesa's surfaceless EGL platform), the picture's
// bytes compiled in from the same generated record, the JPEG decoded with libjpeg-turbo and the
// alpha plane inflated with zlib, uploaded with glTexImage2D, drawn once over the window, the
// pixels read back and written as an RGBA PNG with libpng.
// Usage: bench_baseline_egl_splash WIDTH HEIGHT FILE.png
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../egl_pbuffer.h"
#include "../plain_decode.h"

#include "splash_picture.h"

namespace {

std::vector<unsigned char> Join(const unsigned char* const* chunks, int size, int chunkSize) {
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    for (int at = 0, i = 0; at < size; at += chunkSize, ++i)
        std::memcpy(&bytes[static_cast<size_t>(at)], chunks[i], static_cast<size_t>(std::min(chunkSize, size - at)));
    return bytes;
}

// RGBA rows of the record, or an empty vector.
std::vector<unsigned char> Decode(const orvan::StaticImageInfo& info) {
    const size_t w = static_cast<size_t>(info.width), h = static_cast<size_t>(info.height);
    std::vector<unsigned char> rgba(w * h * 4);
    const std::vector<unsigned char> colour = Join(info.colorChunks, info.colorSize, info.chunkSize);
    const std::vector<unsigned char> alpha = Join(info.alphaChunks, info.alphaSize, info.chunkSize);
    if (!bench::PlainJpegAlphaDecode(colour, alpha, info.width, info.height, rgba.data())) return {};
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    bench::EglPbuffer pbuffer(width, height);
    if (!pbuffer.Open()) return 1;

    const std::vector<unsigned char> picture = Decode(splash_picture);
    if (picture.empty()) return 1;
    GLuint texture = bench::UploadRgbaTexture(splash_picture.width, splash_picture.height, picture.data());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-1, -1);
    glTexCoord2f(1, 0), glVertex2f(1, -1);
    glTexCoord2f(1, 1), glVertex2f(1, 1);
    glTexCoord2f(0, 1), glVertex2f(-1, 1);
    glEnd();
    const bool written = pbuffer.WritePng(argv[3]);
    glDeleteTextures(1, &texture);
    return written ? 0 : 1;
}
