// Vector arithmetic, vesColor and the vertex records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "orvan/ves_color.h"
#include "orvan/vector.h"
#include "orvan/vertex.h"

namespace orvan {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(VectorTest, LengthAndAngles) {
  Vector v(3, 0, 4);
  EXPECT_FLOAT_EQ(v.Normalise(), 5.0f);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  Vector zero;
  zero.Normalise();
  EXPECT_EQ(zero, Vector());  // no division by zero
  EXPECT_NEAR(Vector(1, 0, 0).AngleBetween(Vector(0, 2, 0)), kPi / 2, 1e-7);  // radians
  EXPECT_NEAR(Vector(1, 0, 0).AngleBetween(Vector(-1, 0, 0)), kPi, 1e-7);
  EXPECT_EQ(Vector().AngleBetween(Vector(1, 0, 0)), 0.0);
}

TEST(VectorTest, RotationAboutAnAxisIsInDegrees) {
  const Vector r = Vector(1, 0, 0).RotatedAbout(Vector(0, 0, 5), 90.0);
  EXPECT_NEAR(r.x, 0.0f, 1e-6);
  EXPECT_NEAR(r.y, 1.0f, 1e-6);
  Vector c(1, 0, 0);
  c.RotateAbout(Vector(1, 1, 1), 120.0);  // about the diagonal: the axes cycle
  EXPECT_NEAR(c.x, 0.0f, 1e-6);
  EXPECT_NEAR(c.y, 1.0f, 1e-6);
  EXPECT_NEAR(c.z, 0.0f, 1e-6);
}

TEST(VertexTest, DefaultsAreOpaqueWhiteInSixteenPackedBytes) {
  EXPECT_EQ(vesColor(), vesColor(0, 0, 0, 0));
  EXPECT_EQ(Vertex(1, 2, 3).color, vesColor(255, 255, 255, 255));
  Vertex vertices[2] = {Vertex(1, 2, 3, vesColor(10, 20, 30, 40)), Vertex(4, 5, 6)};
  unsigned char bytes[32];
  static_assert(sizeof vertices == sizeof bytes, "two vertices are 32 bytes");
  std::memcpy(bytes, vertices, sizeof bytes);
  float z, x2;
  std::memcpy(&z, bytes + 8, sizeof z);
  std::memcpy(&x2, bytes + 16, sizeof x2);
  EXPECT_EQ(z, 3.0f);
  EXPECT_EQ(bytes[12], 10);
  EXPECT_EQ(bytes[15], 40);
  EXPECT_EQ(x2, 4.0f);
  EXPECT_EQ(sizeof(VertexNoColor), 12u);
}

}  // namespace
}  // namespace orvan
