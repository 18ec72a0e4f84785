// VesMatrix<T,4> and VesMatrixAffine<T>: storage, inverse, identity test, rotations and inverses
// (products and translations are drawn and picked in the scene tests).
#include <gtest/gtest.h>

#include "orvan/ves_matrix.h"

namespace orvan {
namespace {

using Matrix = VesMatrix<double, 4>;
using Affine = VesMatrixAffine<double>;

void ExpectNearIdentity(const Matrix& m, double tolerance) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(m(r, c), r == c ? 1.0 : 0.0, tolerance) << r << "," << c;
  }
}

void ExpectVectorNear(const Vector& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-6);
  EXPECT_NEAR(v.y, y, 1e-6);
  EXPECT_NEAR(v.z, z, 1e-6);
}

TEST(MatrixTest, StorageIsColumnMajorAndCopiesRebindTheirColumns) {
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
}

TEST(MatrixTest, IdentityTestThresholds) {
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
}

TEST(MatrixTest, InverseOfSingularMatrixWithZeroFirstColumnIsIdentity) {
  Matrix m;
  for (int i = 0; i < 16; ++i) m.data[i] = i + 1;
  for (int r = 0; r < 4; ++r) m(r, 0) = 0.0;
  const Matrix inv = m.Inverse();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(inv.data[i], Matrix().data[i]);
}

TEST(MatrixTest, InverseTimesMatrixIsIdentity) {
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

TEST(AffineTest, RotateAboutEachAxis) {
  Affine z;
  z.Rotate(90, 2);
  ExpectVectorNear(z.TransformPoint(Vector(1, 0, 0)), 0, 1, 0);

  Affine x;
  x.Rotate(90, 0);
  ExpectVectorNear(x.TransformPoint(Vector(0, 1, 0)), 0, 0, 1);

  Affine y;
  y.Rotate(90, 1);
  ExpectVectorNear(y.TransformPoint(Vector(0, 0, 1)), 1, 0, 0);
  ExpectVectorNear(y.TransformPoint(Vector(1, 0, 0)), 0, 0, -1);

  const Affine before(y);
  y.Rotate(45, 3);  // no such axis: nothing changes
  y.Rotate(45, -1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(y.data[i], before.data[i]);
}

TEST(AffineTest, AffineInverseUndoesTheTransform) {
  Affine m;
  m.Rotate(33, 0);
  m.Rotate(-71, 1);
  m.Translate(4, -5, 6);
  m.Rotate(12, 2);
  const Affine inverse = m.Inverse();
  const Vector p(0.5f, -2.0f, 7.0f);
  const Vector back = inverse.TransformPoint(m.TransformPoint(p));
  EXPECT_NEAR(back.x, p.x, 1e-5);
  EXPECT_NEAR(back.y, p.y, 1e-5);
  EXPECT_NEAR(back.z, p.z, 1e-5);
  // Directions ignore the translation.
  const Vector moved = m.TransformPoint(p) - m.TransformPoint(Vector(0, 0, 0));
  EXPECT_NEAR((m.TransformDirection(p) - moved).Length(), 0.0f, 1e-4f);
  Affine reset = m;
  reset.SetIdentity();
  EXPECT_TRUE(reset.IsIdentity());
}

}  // namespace
}  // namespace orvan
