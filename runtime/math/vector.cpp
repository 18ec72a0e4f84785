#include "orvan/vector.h"

#include <cmath>

namespace orvan {

Vector Vector::Cross(const Vector& b) const {
  return Vector(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
}

float Vector::Length() const { return std::sqrt(x * x + y * y + z * z); }

float Vector::Normalise() {
  const float length = Length();
  if (length > 0.0f) {
    x /= length;
    y /= length;
    z /= length;
  }
  return length;
}

Vector Vector::Normalised() const {
  Vector v(*this);
  v.Normalise();
  return v;
}

double Vector::AngleBetween(const Vector& b) const {
  const double lengths = static_cast<double>(Length()) * static_cast<double>(b.Length());
  if (lengths <= 0.0) return 0.0;
  double cosine = (static_cast<double>(x) * b.x + static_cast<double>(y) * b.y +
                   static_cast<double>(z) * b.z) / lengths;
  // Rounding can push the cosine of parallel vectors just past ±1.
  if (cosine > 1.0) cosine = 1.0;
  if (cosine < -1.0) cosine = -1.0;
  return std::acos(cosine);
}

Vector Vector::RotatedAbout(const Vector& axis, double degrees) const {
  const double ax = axis.x, ay = axis.y, az = axis.z;
  const double length = std::sqrt(ax * ax + ay * ay + az * az);
  if (length <= 0.0) return *this;
  const double kx = ax / length, ky = ay / length, kz = az / length;
  const double radians = degrees * kDegreesToRadians;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double vx = x, vy = y, vz = z;
  // Rodrigues: v·c + (k×v)·s + k·(k·v)·(1 − c).
  const double kdotv = kx * vx + ky * vy + kz * vz;
  const double cx = ky * vz - kz * vy;
  const double cy = kz * vx - kx * vz;
  const double cz = kx * vy - ky * vx;
  return Vector(static_cast<float>(vx * c + cx * s + kx * kdotv * (1.0 - c)),
                static_cast<float>(vy * c + cy * s + ky * kdotv * (1.0 - c)),
                static_cast<float>(vz * c + cz * s + kz * kdotv * (1.0 - c)));
}

}  // namespace orvan
