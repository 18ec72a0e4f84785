#pragma once
// Checks a vector against expected coordinates, each within the tolerance.

#include <gtest/gtest.h>

#include "orvan/vector.h"

namespace vessant::test {

inline void ExpectNear(const orvan::Vector& v, float x, float y, float z, float tolerance = 1e-5f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace vessant::test
