#pragma once
// Plain values that cross between the control and the host it runs on: rectangles, sizes,
// images, mouse messages and the chosen pixel format.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vessant {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const ScreenRect& o) const { return !(*this == o); }
    // The smallest rectangle holding both; an empty one adds nothing.
    ScreenRect United(const ScreenRect& o) const {
        if (o.Empty()) return *this;
        if (Empty()) return o;
        return ScreenRect{left < o.left ? left : o.left, top < o.top ? top : o.top,
                          right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
    }
};

struct PixelSize {
    int width = 0, height = 0;
};

// Top-down rows of RGBA bytes, tightly packed.
struct RgbaImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Mouse messages in the form of window messages; flags as a window message carries them.
enum class MouseMessage { LButtonDown, LButtonUp, LButtonDblClk, MButtonDown, MButtonUp, MButtonDblClk,
                          RButtonDown, RButtonUp, RButtonDblClk, Move };
enum MouseFlags : unsigned { kMkLButton = 0x1, kMkRButton = 0x2, kMkShift = 0x4, kMkControl = 0x8, kMkMButton = 0x10 };

// The pixel format chosen for a surface, with what the palette construction needs.
struct PixelFormatInfo {
    int colorBits = 24;
    int depthBits = 24;
    bool needsPalette = false;
    int redBits = 8, redShift = 16, greenBits = 8, greenShift = 8, blueBits = 8, blueShift = 0;
};

}  // namespace vessant
