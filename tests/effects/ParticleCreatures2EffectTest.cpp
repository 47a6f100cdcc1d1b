#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demosys/timing/TrackInterpolate.h"
#include "effects/ParticleCreatures2Effect.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;
using ParticleCreatures2EffectTest = ComputedEffectTest<ParticleCreatures2Effect>;

}  // namespace

TEST_F(ParticleCreatures2EffectTest, SeventyTwoTentaclesFromTheCentre) {
  ASSERT_EQ(7200u * 3, effect.basePoints.size());
  float longest = 0.0f;
  for (size_t tentacle = 0; tentacle < 72; ++tentacle) {
    const float* first = &effect.basePoints[tentacle * 300];
    EXPECT_EQ(0.0f, first[0] * first[0] + first[1] * first[1] + first[2] * first[2]);
    longest = std::max(longest, std::hypot(first[297], first[298]));
  }
  // Ends at 0.99 of (|n| + 0.75) plus the wiggle: the anemone spans a few units.
  EXPECT_GT(longest, 0.7f);
  EXPECT_LT(longest, 2.5f);
  // Group 0 lies in the z = wiggle plane, turned about y by 0 degrees: tentacle 0 points along +y.
  EXPECT_GT(effect.basePoints[99 * 3 + 1], 0.7f);
}

// Half a turn about y over 2 s: at 1 s every particle is a quarter turn round, or, 100 ms later
// per unit of distance from the centre, 9 degrees less per unit. Turning keeps y and the distance.
TEST_F(ParticleCreatures2EffectTest, TurnsAboutTheCentreWithTheDelayPerDistance) {
  SetKeys(effect.rotY, {{0, 0.0f}, {40, 180.0f}});
  SetKeys(effect.intensity, {{0, 0.75f}});
  std::vector<float> positions(21600), colours(21600);
  for (float delay : {0.0f, 100.0f}) {
    SetKeys(effect.delay, {{0, delay}});
    effect.computeParticles(1000, positions.data(), colours.data());
    int turned = 0;
    for (size_t k = 0; k < 21600; k += 3) {
      const float* base = &effect.basePoints[k];
      const float* p = &positions[k];
      ASSERT_NEAR(std::hypot(base[0], base[1], base[2]), std::hypot(p[0], p[1], p[2]), 1e-5);
      ASSERT_NEAR(base[1], p[1], 1e-6);
      if (std::hypot(base[0], base[2]) < 1e-2) continue;
      const double angle =
          std::atan2(base[0] * p[2] - base[2] * p[0], base[0] * p[0] + base[2] * p[2]) * 180 / M_PI;
      ASSERT_NEAR(90.0 - delay * 0.09 * std::hypot(base[0], base[1], base[2]), angle, 0.1)
          << "particle " << k / 3;
      ++turned;
    }
    EXPECT_GT(turned, 7000);
    EXPECT_EQ(0.75f, effect.intensityValue);
    for (float c : colours) ASSERT_EQ(0.75f, c);
  }
}
