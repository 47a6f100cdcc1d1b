#include <gtest/gtest.h>
#include <noise.h>

#include <cmath>
#include <limits>
#include <vector>

#include "demosys/timing/TrackInterpolate.h"
#include "effects/DelayedRotation.h"
#include "effects/ParticleCreaturesEffect.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;
using ParticleCreaturesEffectTest = ComputedEffectTest<ParticleCreaturesEffect>;

double dot(const double* a, const double* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

// Unturned, ring s is a regular ten-gon around the stretched path point s (x and y doubled, z
// times six), across the segment to the next point, with a radius of 1.5 |noise| read 0.02 further along per
// ring.
TEST_F(ParticleCreaturesEffectTest, RingsCircleThePathWithTheNoiseRadius) {
  SetKeys(effect.anim, {{0, 0.0f}, {400, 12.0f}});
  SetKeys(effect.intensity, {{0, 2.0f}});
  std::vector<float> positions(6600), colours(6600), later(6600), again(6600, -1.0f);
  effect.computeParticles(3000, positions.data(), colours.data());
  const noise::module::Perlin perlin;
  const double anim = value(effect.anim, 3000), stretch[3] = {2, 2, 6};
  for (int s = 0; s < 220; ++s) {
    double centre[3], along[3], mean[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
      centre[i] = effect.points[3 * s + i] * stretch[i];
      along[i] = (effect.points[3 * std::min(s + 1, 219) + i] - effect.points[3 * s + i]) * stretch[i];
    }
    const double radius = std::fabs(perlin.GetValue(anim + 0.02 * s, 0, 0)) * 1.5;
    for (int k = 0; k < 10; ++k) {
      const float* p = &positions[3 * (10 * s + k)];
      const float* next = &positions[3 * (10 * s + (k + 1) % 10)];
      const double offset[3] = {p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]};
      ASSERT_NEAR(radius, std::sqrt(dot(offset, offset)), 2e-3) << "ring " << s << " point " << k;
      ASSERT_NEAR(2 * radius * std::sin(M_PI / 10),
                  std::hypot(next[0] - p[0], next[1] - p[1], next[2] - p[2]), 2e-3);
      if (s > 0 && s < 219) {
        ASSERT_NEAR(0.0, dot(offset, along) / std::sqrt(dot(along, along)), 1e-4) << s;
      }
      for (int i = 0; i < 3; ++i) mean[i] += p[i] / 10;
    }
    for (int i = 0; i < 3; ++i) ASSERT_NEAR(centre[i], mean[i], 1e-4) << "ring " << s;
  }
  // Grey, scaled by the intensity: 2.5 x |noise x 0.25 + 0.125|, and the noise is 0 at the origin.
  EXPECT_FLOAT_EQ(0.625f, colours[0]);
  for (size_t j = 0; j < 6600; j += 3) {
    ASSERT_EQ(colours[j], colours[j + 1]);
    ASSERT_EQ(colours[j], colours[j + 2]);
    ASSERT_GE(colours[j], 0.0f);
  }
  // Nothing one frame keeps leaks into another.
  effect.computeParticles(9000, later.data(), colours.data());
  effect.computeParticles(3000, again.data(), colours.data());
  EXPECT_NE(positions, later);
  EXPECT_EQ(positions, again);
}

// Truncated towards zero, wrapping below 0 like the unsigned clock; no finite time: no delay.
TEST(DelayedRotationTest, DelayedTimeTruncatesAndWrapsAround) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const struct {
    uint32_t time;
    float distance, delay;
    uint32_t expected;
  } cases[] = {{5, 2.5f, 4.0f, 4294967291u}, {5, 2.0f, 2.5f, 0u}, {5, 1.0f, 1.5f, 3u}, {1, 1.5f, 1.0f, 0u},
               {1, 2.5f, 1.0f, 4294967295u}, {7, 1.0f, nan, 7u},  {7, 1.0f, inf, 7u}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, DelayedRotation::delayedTime(c.time, c.distance, c.delay))
        << c.distance << " " << c.delay;
}
