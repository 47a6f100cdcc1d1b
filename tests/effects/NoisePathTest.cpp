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
