#pragma once

#include <cmath>

#include "orvan/vector.h"

namespace orvan {

template <typename T, int N>
class VesMatrix;

// A 4x4 matrix stored column-major, the order OpenGL takes: element (row r, column c) is
// col[c][r], that is data[4*c + r]; an affine matrix keeps its translation in data[12..14].
template <typename T>
class VesMatrix<T, 4> {
 public:
  VesMatrix() {
    BindColumns();
    SetIdentity();
  }
  // From 16 values in column-major order.
  explicit VesMatrix(const T* values) {
    BindColumns();
    for (int i = 0; i < 16; ++i) data[i] = values[i];
  }
  VesMatrix(const VesMatrix& other) {
    BindColumns();
    for (int i = 0; i < 16; ++i) data[i] = other.data[i];
  }
  VesMatrix& operator=(const VesMatrix& other) {
    if (this != &other) {
      for (int i = 0; i < 16; ++i) data[i] = other.data[i];
    }
    return *this;
  }
  virtual ~VesMatrix() {}

  T& operator()(int row, int column) { return col[column][row]; }
  const T& operator()(int row, int column) const { return col[column][row]; }

  T* Data() { return data; }
  const T* Data() const { return data; }

  void SetIdentity() {
    for (int i = 0; i < 16; ++i) data[i] = T(0);
    data[0] = data[5] = data[10] = data[15] = T(1);
  }

  // this·b.
  VesMatrix operator*(const VesMatrix& b) const {
    VesMatrix result;
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        T sum = T(0);
        for (int k = 0; k < 4; ++k) sum += (*this)(r, k) * b(k, c);
        result(r, c) = sum;
      }
    }
    return result;
  }

  // Gauss–Jordan elimination with partial pivoting. A singular matrix (a pivot column that is
  // exactly zero at and below the diagonal) stops the elimination and returns the result as it
  // stands at that step: the identity when the first column fails. No error is reported.
  VesMatrix Inverse() const {
    VesMatrix result;
    Invert(&result);
    return result;
  }

  // The same elimination into *result; false (with the partial result) for a singular matrix.
  bool Invert(VesMatrix* inverse) const {
    VesMatrix work(*this);
    VesMatrix& result = *inverse;
    result.SetIdentity();
    for (int c = 0; c < 4; ++c) {
      int pivotRow = c;
      T best = std::fabs(work(c, c));
      for (int r = c + 1; r < 4; ++r) {
        T magnitude = std::fabs(work(r, c));
        if (magnitude > best) {
          best = magnitude;
          pivotRow = r;
        }
      }
      if (best == T(0)) return false;
      if (pivotRow != c) {
        for (int k = 0; k < 4; ++k) {
          T t = work(c, k);
          work(c, k) = work(pivotRow, k);
          work(pivotRow, k) = t;
          t = result(c, k);
          result(c, k) = result(pivotRow, k);
          result(pivotRow, k) = t;
        }
      }
      const T pivot = work(c, c);
      for (int k = 0; k < 4; ++k) {
        work(c, k) /= pivot;
        result(c, k) /= pivot;
      }
      for (int r = 0; r < 4; ++r) {
        if (r == c) continue;
        const T factor = work(r, c);
        if (factor == T(0)) continue;
        for (int k = 0; k < 4; ++k) {
          work(r, k) -= factor * work(c, k);
          result(r, k) -= factor * result(c, k);
        }
      }
    }
    return true;
  }

  // The identity with its first three columns set to a, b and c: the basis they span.
  static VesMatrix FromColumns(const Vector& a, const Vector& b, const Vector& c) {
    VesMatrix m;
    const Vector* columns[3] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
      m(0, k) = columns[k]->x;
      m(1, k) = columns[k]->y;
      m(2, k) = columns[k]->z;
    }
    return m;
  }

  // True for the exact identity; otherwise true when every off-diagonal element lies strictly
  // within 1e-7 of 0, every diagonal element strictly within 1e-7 of (0,0), and (3,3) strictly
  // within 1e-7 of 1.
  bool IsIdentity() const {
    bool exact = true;
    for (int c = 0; c < 4 && exact; ++c) {
      for (int r = 0; r < 4; ++r) {
        if (col[c][r] != (r == c ? T(1) : T(0))) {
          exact = false;
          break;
        }
      }
    }
    if (exact) return true;
    const double tolerance = 1e-7;
    const double first = static_cast<double>(data[0]);
    for (int c = 0; c < 4; ++c) {
      for (int r = 0; r < 4; ++r) {
        const double v = static_cast<double>(col[c][r]);
        if (r == c) {
          if (!(std::fabs(v - first) < tolerance)) return false;
        } else if (!(std::fabs(v) < tolerance)) {
          return false;
        }
      }
    }
    return std::fabs(static_cast<double>(data[15]) - 1.0) < tolerance;
  }

  // M·(x, y, z, 1) without the division by w.
  Vector TransformPoint(const Vector& p) const {
    return Vector(static_cast<float>(Row(0, p) + col[3][0]), static_cast<float>(Row(1, p) + col[3][1]),
                  static_cast<float>(Row(2, p) + col[3][2]));
  }
  // M·(x, y, z, 0): the fourth column left out.
  Vector TransformDirection(const Vector& d) const {
    return Vector(static_cast<float>(Row(0, d)), static_cast<float>(Row(1, d)), static_cast<float>(Row(2, d)));
  }

  T data[16];
  T* col[4];

 private:
  void BindColumns() {
    col[0] = &data[0];
    col[1] = &data[4];
    col[2] = &data[8];
    col[3] = &data[12];
  }
  T Row(int r, const Vector& v) const {
    return col[0][r] * T(v.x) + col[1][r] * T(v.y) + col[2][r] * T(v.z);
  }
};

// The affine operations, each applied in place on the left: M ← T·M or M ← R·M.
template <typename T>
class VesMatrixAffine : public VesMatrix<T, 4> {
 public:
  using Base = VesMatrix<T, 4>;

  VesMatrixAffine() : Base() {}
  explicit VesMatrixAffine(const T* values) : Base(values) {}
  VesMatrixAffine(const Base& other) : Base(other) {}  // NOLINT: a product or inverse converts back
  VesMatrixAffine(const VesMatrixAffine& other) : Base(other) {}
  VesMatrixAffine& operator=(const VesMatrixAffine& other) {
    Base::operator=(other);
    return *this;
  }
  VesMatrixAffine& operator=(const Base& other) {
    Base::operator=(other);
    return *this;
  }

  // M ← T(x,y,z)·M.
  void Translate(T x, T y, T z) {
    for (int c = 0; c < 4; ++c) {
      T* column = this->col[c];
      column[0] += x * column[3];
      column[1] += y * column[3];
      column[2] += z * column[3];
    }
  }
  void Translate(const Vector& v) { Translate(T(v.x), T(v.y), T(v.z)); }

  // M ← R·M for a rotation of `angle` degrees about axis 0 (X), 1 (Y) or 2 (Z); any other axis
  // leaves the matrix unchanged.
  void Rotate(T angle, int axis) {
    if (axis < 0 || axis > 2) return;
    const double radians = static_cast<double>(angle) * kDegreesToRadians;
    const T s = static_cast<T>(std::sin(radians));
    const T c = static_cast<T>(std::cos(radians));
    for (int k = 0; k < 4; ++k) {
      T* column = this->col[k];
      const T x = column[0];
      const T y = column[1];
      const T z = column[2];
      switch (axis) {
        case 0:
          column[1] = y * c - z * s;
          column[2] = y * s + z * c;
          break;
        case 1:
          column[0] = x * c + z * s;
          column[2] = z * c - x * s;
          break;
        default:
          column[0] = x * c - y * s;
          column[1] = x * s + y * c;
          break;
      }
    }
  }
};

}  // namespace orvan
