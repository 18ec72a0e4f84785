// Vector arithmetic, vesColor and the vertex records; VesMatrix<T,4> and VesMatrixAffine<T>:
// storage, inverse, identity test, rotations and inverses (products and translations are drawn and
// picked in the scene tests).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "orvan/vector.h"
#include "orvan/vertex.h"
#include "orvan/ves_color.h"
#include "orvan/ves_matrix.h"
#include "support/vector_near.h"

namespace orvan {
namespace {

using vessant::test::ExpectNear;

constexpr double kPi = 3.14159265358979323846;

TEST(VectorTest, LengthAnglesRotationAndTheVertexRecords) {
  Vector v(3, 0, 4);
  EXPECT_FLOAT_EQ(v.Normalise(), 5.0f);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  Vector zero;
  zero.Normalise();
  EXPECT_EQ(zero, Vector());  // no division by zero
  EXPECT_NEAR(Vector(1, 0, 0).AngleBetween(Vector(0, 2, 0)), kPi / 2, 1e-7);  // radians
  EXPECT_NEAR(Vector(1, 0, 0).AngleBetween(Vector(-1, 0, 0)), kPi, 1e-7);
  EXPECT_EQ(Vector().AngleBetween(Vector(1, 0, 0)), 0.0);

  const Vector r = Vector(1, 0, 0).RotatedAbout(Vector(0, 0, 5), 90.0);
  ExpectNear(r, 0, 1, 0, 1e-6f);
  Vector c(1, 0, 0);
  c.RotateAbout(Vector(1, 1, 1), 120.0);  // about the diagonal: the axes cycle
  ExpectNear(c, 0, 1, 0, 1e-6f);

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

using Matrix = VesMatrix<double, 4>;
using Affine = VesMatrixAffine<double>;

void ExpectNearIdentity(const Matrix& m, double tolerance) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m(r, c), r == c ? 1.0 : 0.0, tolerance) << r << "," << c;
  }
}

TEST(MatrixTest, StorageIdentityThresholdsAndInverses) {
  Matrix a;
  a(1, 3) = 7.0;  // row 1, column 3
  EXPECT_EQ(a.data[13], 7.0);
  Matrix b(a);
  Matrix c;
  c = a;
  for (Matrix* m : {&b, &c}) {
    EXPECT_EQ(m->col[3], &m->data[12]);
    EXPECT_EQ((*m)(1, 3), 7.0);
  }

  Matrix almost;
  almost(0, 0) = 1.0 + 5e-8;
  EXPECT_TRUE(almost.IsIdentity());

  Matrix off;
  off(0, 1) = 2e-7;
  EXPECT_FALSE(off.IsIdentity());

  Matrix scaled;  // a uniform scale of the first three axes keeps (3,3) away from (0,0)
  scaled(0, 0) = scaled(1, 1) = scaled(2, 2) = 2.0;
  EXPECT_FALSE(scaled.IsIdentity());

  Matrix w;
  w(3, 3) = 1.0 + 2e-7;
  EXPECT_FALSE(w.IsIdentity());

  Matrix singular;
  for (int i = 0; i < 16; ++i) singular.data[i] = i + 1;
  for (int r = 0; r < 4; ++r) singular(r, 0) = 0.0;
  const Matrix fallback = singular.Inverse();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(fallback.data[i], Matrix().data[i]);

  const double values[16] = {2, 1, 0, 0, -1, 3, 2, 0, 4, 0, 1, 0, 5, -2, 7, 1};
  const Matrix m(values);
  const Matrix inv = m.Inverse();
  ExpectNearIdentity(inv * m, 1e-12);
  ExpectNearIdentity(m * inv, 1e-12);

  // Needs a row swap: zero on the first diagonal element.
  const double swapped[16] = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 3, 0, 1, 2, 3, 1};
  const Matrix s(swapped);
  ExpectNearIdentity(s.Inverse() * s, 1e-12);
}

TEST(AffineTest, RotateAboutEachAxisAndTheAffineInverseUndoesTheTransform) {
  Affine z;
  z.Rotate(90, 2);
  ExpectNear(z.TransformPoint(Vector(1, 0, 0)), 0, 1, 0, 1e-6f);

  Affine x;
  x.Rotate(90, 0);
  ExpectNear(x.TransformPoint(Vector(0, 1, 0)), 0, 0, 1, 1e-6f);

  Affine y;
  y.Rotate(90, 1);
  ExpectNear(y.TransformPoint(Vector(0, 0, 1)), 1, 0, 0, 1e-6f);
  ExpectNear(y.TransformPoint(Vector(1, 0, 0)), 0, 0, -1, 1e-6f);

  const Affine before(y);
  y.Rotate(45, 3);  // no such axis: nothing changes
  y.Rotate(45, -1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(y.data[i], before.data[i]);

  Affine m;
  m.Rotate(33, 0);
  m.Rotate(-71, 1);
  m.Translate(4, -5, 6);
  m.Rotate(12, 2);
  const Affine inverse = m.Inverse();
  const Vector p(0.5f, -2.0f, 7.0f);
  const Vector back = inverse.TransformPoint(m.TransformPoint(p));
  ExpectNear(back, p.x, p.y, p.z);
  // Directions ignore the translation.
  const Vector moved = m.TransformPoint(p) - m.TransformPoint(Vector(0, 0, 0));
  EXPECT_NEAR((m.TransformDirection(p) - moved).Length(), 0.0f, 1e-4f);
  Affine reset = m;
  reset.SetIdentity();
  EXPECT_TRUE(reset.IsIdentity());
}

}  // namespace
}  // namespace orvan
