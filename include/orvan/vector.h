#pragma once

namespace orvan {

// Degrees to radians and back, the factors every angle at the runtime's interfaces goes through.
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kRadiansToDegrees = 57.29577951308232;

// Three floats used for points, directions, scales, per-axis rotations (degrees), texture
// coordinates and normals; 12 bytes in arrays.
struct Vector {
  float x;
  float y;
  float z;

  Vector() : x(0.0f), y(0.0f), z(0.0f) {}
  Vector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  Vector operator+(const Vector& b) const { return Vector(x + b.x, y + b.y, z + b.z); }
  Vector operator-(const Vector& b) const { return Vector(x - b.x, y - b.y, z - b.z); }
  Vector operator-() const { return Vector(-x, -y, -z); }
  Vector operator*(float s) const { return Vector(x * s, y * s, z * s); }
  Vector& operator+=(const Vector& b) { x += b.x; y += b.y; z += b.z; return *this; }
  Vector& operator-=(const Vector& b) { x -= b.x; y -= b.y; z -= b.z; return *this; }
  Vector& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
  bool operator==(const Vector& b) const { return x == b.x && y == b.y && z == b.z; }
  bool operator!=(const Vector& b) const { return !(*this == b); }

  void Set(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }

  float Dot(const Vector& b) const { return x * b.x + y * b.y + z * b.z; }
  Vector Cross(const Vector& b) const;
  float Length() const;
  // Scales to unit length in place and returns the previous length; a zero vector stays zero.
  float Normalise();
  Vector Normalised() const;
  // Angle between this vector and b in radians (0 when either is zero).
  double AngleBetween(const Vector& b) const;
  // This vector rotated by `degrees` about `axis` (right-handed; the axis need not be unit).
  Vector RotatedAbout(const Vector& axis, double degrees) const;
  void RotateAbout(const Vector& axis, double degrees) { *this = RotatedAbout(axis, degrees); }
};

inline Vector operator*(float s, const Vector& v) { return v * s; }

inline float Dot(const Vector& a, const Vector& b) { return a.Dot(b); }
inline Vector Cross(const Vector& a, const Vector& b) { return a.Cross(b); }

static_assert(sizeof(Vector) == 12, "Vector is three packed floats");

}  // namespace orvan
