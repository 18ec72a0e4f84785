// The splash baseline: the least a program can do to show the player's splash picture headless.
// The same kind of context as the player's (Mesa's surfaceless EGL platform), the picture's
// bytes compiled in from the same generated record, the JPEG decoded with libjpeg-turbo and the
// alpha plane inflated with zlib, uploaded with glTexImage2D, drawn once over the window, the
// pixels read back and written as an RGBA PNG with libpng.
// Usage: bench_baseline_egl_splash WIDTH HEIGHT FILE.png
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

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
    jpeg_decompress_struct jpeg;
    jpeg_error_mgr errors;
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, colour.data(), colour.size());
    jpeg_read_header(&jpeg, TRUE);
    jpeg.out_color_space = JCS_EXT_RGBA;  // libjpeg-turbo writes the fourth byte itself
    jpeg_start_decompress(&jpeg);
    while (jpeg.output_scanline < jpeg.output_height) {
        JSAMPROW row = &rgba[jpeg.output_scanline * w * 4];
        jpeg_read_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_decompress(&jpeg);
    jpeg_destroy_decompress(&jpeg);
    const std::vector<unsigned char> packed = Join(info.alphaChunks, info.alphaSize, info.chunkSize);
    std::vector<unsigned char> alpha(w * h);
    uLongf length = static_cast<uLongf>(alpha.size());
    if (uncompress(alpha.data(), &length, packed.data(), static_cast<uLong>(packed.size())) != Z_OK) return {};
    for (size_t i = 0; i < w * h; ++i) rgba[i * 4 + 3] = alpha[i];
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) return 1;
    const EGLint wanted[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24,
                             EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1) return 1;
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    const EGLint profile[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, profile);
    if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context))
        return 1;

    const std::vector<unsigned char> picture = Decode(splash_picture);
    if (picture.empty()) return 1;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, splash_picture.width, splash_picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 picture.data());
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
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    FILE* file = std::fopen(argv[3], "wb");
    if (!file) return 1;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = height - 1; y >= 0; --y) png_write_row(png, &pixels[static_cast<size_t>(y) * width * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);

    glDeleteTextures(1, &texture);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
    return 0;
}
