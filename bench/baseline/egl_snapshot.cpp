// The start-up baseline: the least a program can do to write a headless snapshot. The same kind
// of context as the player's (Mesa's surfaceless EGL platform, a pbuffer with 8 bits per colour
// and a depth buffer, a compatibility-profile desktop OpenGL context), one clear, the pixels read
// back and written as an RGBA PNG with libpng.
// Usage: bench_baseline_egl_snapshot WIDTH HEIGHT FILE.png
#include <cstdlib>

#include "../egl_pbuffer.h"

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    bench::EglPbuffer pbuffer(std::atoi(argv[1]), std::atoi(argv[2]));
    if (!pbuffer.Open()) return 1;
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return pbuffer.WritePng(argv[3]) ? 0 : 1;
}
