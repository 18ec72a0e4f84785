#pragma once

namespace orvan {

// A four-byte colour: red, green, blue, alpha; 255 is full intensity or opaque.
struct vesColor {
  unsigned char red;
  unsigned char green;
  unsigned char blue;
  unsigned char alpha;

  vesColor() : red(0), green(0), blue(0), alpha(0) {}
  vesColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
      : red(r), green(g), blue(b), alpha(a) {}

  bool operator==(const vesColor& o) const {
    return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
  }
  bool operator!=(const vesColor& o) const { return !(*this == o); }

  // The four bytes in order, for glColor4ubv and similar calls.
  const unsigned char* Bytes() const { return reinterpret_cast<const unsigned char*>(this); }
  unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(this); }
  // The four components as fractions of full intensity, for glLightfv, glMaterialfv and similar.
  void ToFloats(float out[4]) const {
    constexpr float kUnit = 0.003921569f;  // 1 / 255
    out[0] = red * kUnit;
    out[1] = green * kUnit;
    out[2] = blue * kUnit;
    out[3] = alpha * kUnit;
  }
};

static_assert(sizeof(vesColor) == 4, "vesColor is four bytes");

}  // namespace orvan
