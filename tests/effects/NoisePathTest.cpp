#include <gtest/gtest.h>

#include <vector>

#include "effects/NoisePath.h"

namespace {

std::vector<float> copyPoints(const NoisePath& path) {
  return std::vector<float>(path.GetPoints(), path.GetPoints() + 3 * path.GetCount());
}

}  // namespace

TEST(NoisePathTest, CreaturePathMatchesRecordedPoints) {
  NoisePath path(0.0f, 0.0f, 0.0f, 0.005f, 220, 123456789);
  ASSERT_EQ(220, path.GetCount());
  const float* p = path.GetPoints();
  EXPECT_EQ(0.0f, p[0]);
  EXPECT_EQ(0.0f, p[1]);
  EXPECT_EQ(0.0f, p[2]);
  struct Expected {
    int index;
    float x, y, z;
  };
  const Expected expected[] = {
      {1, 1.82773244f, 1.82773244f, 0.00141556875f},       {2, 1.82206941f, 1.8237921f, -0.0034564985f},
      {50, 1.01990759f, 0.891330063f, -0.298833013f},      {100, 0.16389893f, 0.430651098f, -0.759234607f},
      {150, -0.469727546f, -0.766276121f, -0.0135292616f}, {219, 0.540088952f, -0.50403583f, 0.548014283f},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.index);
    EXPECT_FLOAT_EQ(e.x, p[3 * e.index]);
    EXPECT_FLOAT_EQ(e.y, p[3 * e.index + 1]);
    EXPECT_FLOAT_EQ(e.z, p[3 * e.index + 2]);
  }
}

TEST(NoisePathTest, SeedChangesThePath) {
  NoisePath a(0.0f, 0.0f, 0.0f, 0.005f, 10, 1);
  NoisePath b(0.0f, 0.0f, 0.0f, 0.005f, 10, 2);
  EXPECT_NE(copyPoints(a), copyPoints(b));
  NoisePath again(0.0f, 0.0f, 0.0f, 0.005f, 10, 1);
  EXPECT_EQ(copyPoints(a), copyPoints(again));
}

TEST(NoisePathTest, CountOneHoldsOnlyTheOrigin) {
  NoisePath path(1.5f, -2.0f, 3.25f, 0.005f, 1, 7);
  EXPECT_EQ((std::vector<float>{1.5f, -2.0f, 3.25f}), copyPoints(path));
  path.Regenerate(0.5f, 0.5f, 0.5f);
  EXPECT_EQ((std::vector<float>{1.5f, -2.0f, 3.25f}), copyPoints(path));
}

TEST(NoisePathTest, EmptyAndNegativeCountsHoldNoPoints) {
  NoisePath empty(1.0f, 2.0f, 3.0f, 0.005f, 0, 7);
  NoisePath negative(1.0f, 2.0f, 3.0f, 0.005f, -4, 7);
  negative.Regenerate(1.0f, 1.0f, 1.0f);
  EXPECT_EQ(0, empty.GetCount());
}

TEST(NoisePathTest, RegenerateKeepsTheOriginAndShiftsTheNoise) {
  NoisePath path(0.25f, 0.5f, 0.75f, 0.01f, 30, 99);
  std::vector<float> before = copyPoints(path);
  path.Regenerate(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(before, copyPoints(path));
  path.Regenerate(0.4f, -0.2f, 0.1f);
  std::vector<float> shifted = copyPoints(path);
  EXPECT_EQ(0.25f, shifted[0]);
  EXPECT_EQ(0.5f, shifted[1]);
  EXPECT_EQ(0.75f, shifted[2]);
  EXPECT_NE(before, shifted);
}

TEST(NoisePathTest, RegenerateXZMovesOnlyXAndZOfTheFirstPoints) {
  NoisePath full(0.0f, 0.0f, 0.0f, 0.01f, 40, 31);
  full.Regenerate(0.3f, 0.7f, 0.11f);
  const std::vector<float> expected = copyPoints(full);

  NoisePath partial(0.0f, 0.0f, 0.0f, 0.01f, 40, 31);
  const std::vector<float> before = copyPoints(partial);
  partial.RegenerateXZ(0.3f, 0.11f, 25);
  const std::vector<float> after = copyPoints(partial);
  for (size_t point = 0; point < 40; ++point) {
    SCOPED_TRACE(point);
    const std::vector<float>& xzSource = point < 25 ? expected : before;
    EXPECT_EQ(xzSource[3 * point], after[3 * point]);
    EXPECT_EQ(before[3 * point + 1], after[3 * point + 1]);
    EXPECT_EQ(xzSource[3 * point + 2], after[3 * point + 2]);
  }

  // Counts past the curve's end stop at its end; below two points there is nothing to move.
  partial.RegenerateXZ(0.3f, 0.11f, 1000);
  EXPECT_EQ(expected[3 * 39], copyPoints(partial)[3 * 39]);
  NoisePath untouched(0.0f, 0.0f, 0.0f, 0.01f, 40, 31);
  untouched.RegenerateXZ(0.9f, 0.9f, 1);
  untouched.RegenerateXZ(0.9f, 0.9f, -5);
  EXPECT_EQ(before, copyPoints(untouched));
}
