#include <gtest/gtest.h>
#include <noise.h>

#include <algorithm>
#include <vector>

#include "effects/NoisePath.h"

namespace {

std::vector<float> copyPoints(const NoisePath& path) {
  return std::vector<float>(path.GetPoints(), path.GetPoints() + 3 * std::max(0, path.GetCount()));
}

}  // namespace

// Point i reads the noise at offsets that move by the step per point; Regenerate shifts them.
TEST(NoisePathTest, PointsAreNoiseReadsAlongTheOffsets) {
  NoisePath path(1.0f, 2.0f, 3.0f, 0.01f, 100, 42);
  const float* p = path.GetPoints();
  noise::module::Perlin perlin;
  perlin.SetSeed(42);
  perlin.SetFrequency(1.1);
  perlin.SetOctaveCount(2);
  perlin.SetPersistence(0.5);
  EXPECT_EQ((std::vector<float>{1.0f, 2.0f, 3.0f}), std::vector<float>(p, p + 3));
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.3f, 0.5, 0.0f)), p[3]);
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.0, 0.2, 0.01f)), p[8]);
  const std::vector<float> before = copyPoints(path);
  path.Regenerate(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(before, copyPoints(path));
  path.Regenerate(0.5f, 0.25f, 2.0f);
  EXPECT_EQ((std::vector<float>{1.0f, 2.0f, 3.0f}), std::vector<float>(p, p + 3));  // the origin stays
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.8f, 0.5, 2.0f)), p[3]);
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.3, 0.75f, 0.0)), p[4]);
  NoisePath otherSeed(1.0f, 2.0f, 3.0f, 0.01f, 100, 43);
  EXPECT_NE(before, copyPoints(otherSeed));
}

TEST(NoisePathTest, ShortPathsHoldOnlyTheOriginOrNothing) {
  for (int count : {1, 0, -4}) {
    NoisePath path(1.5f, -2.0f, 3.25f, 0.005f, count, 7);
    path.Regenerate(0.5f, 0.5f, 0.5f);
    path.RegenerateXZ(0.5f, 0.5f, 5);
    EXPECT_EQ((count == 1 ? std::vector<float>{1.5f, -2.0f, 3.25f} : std::vector<float>()), copyPoints(path))
        << count;
  }
}

// Counts below two move nothing; counts past the curve's end stop at its end.
TEST(NoisePathTest, RegenerateXZMovesOnlyXAndZOfTheFirstPoints) {
  NoisePath full(0.0f, 0.0f, 0.0f, 0.01f, 40, 31), partial(0.0f, 0.0f, 0.0f, 0.01f, 40, 31);
  const std::vector<float> before = copyPoints(partial);
  full.Regenerate(0.3f, 0.7f, 0.11f);
  const std::vector<float> expected = copyPoints(full);
  for (int count : {1, -5, 25, 1000}) {
    partial.RegenerateXZ(0.3f, 0.11f, count);
    const std::vector<float> after = copyPoints(partial);
    for (size_t k = 0; k < after.size(); ++k) {
      const bool moved = count > 1 && k < 3 * size_t(std::min(count, 40)) && k % 3 != 1;
      ASSERT_EQ(moved ? expected[k] : before[k], after[k])
          << count << ": point " << k / 3 << " axis " << k % 3;
    }
  }
}
