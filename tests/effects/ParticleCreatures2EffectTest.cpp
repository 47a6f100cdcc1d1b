#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "demosys/timing/TrackInterpolate.h"
#include "effects/ParticleCreatures2Effect.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;

class ParticleCreatures2EffectTest : public ComputedEffectTest<ParticleCreatures2Effect> {
 protected:
  std::vector<float> direct(uint32_t time) {
    std::vector<float> out;
    const std::vector<float>& base = effect.basePoints;
    for (size_t k = 0; k < base.size(); k += 3) {
      const float* p = &base[k];
      float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
      uint32_t td = uint32_t(int64_t(double(time) - double(length) * double(value(effect.delay, time))));
      float tx = value(effect.rotX, td) * 3.1415927f / 180.0f;
      float ty = value(effect.rotY, td) * 3.1415927f / 180.0f;
      float tz = value(effect.rotZ, td) * 3.1415927f / 180.0f;
      float y1 = std::cos(tx) * p[1] - std::sin(tx) * p[2];
      float z1 = std::sin(tx) * p[1] + std::cos(tx) * p[2];
      float x2 = std::cos(ty) * p[0] - std::sin(ty) * z1;
      float z2 = std::sin(ty) * p[0] + std::cos(ty) * z1;
      out.push_back(std::cos(tz) * x2 - std::sin(tz) * y1);
      out.push_back(std::sin(tz) * x2 + std::cos(tz) * y1);
      out.push_back(z2);
    }
    return out;
  }
};

}  // namespace

TEST_F(ParticleCreatures2EffectTest, SeventyTwoTentaclesFromTheCentre) {
  ASSERT_EQ(7200u * 3, effect.basePoints.size());
  float longest = 0.0f;
  for (size_t tentacle = 0; tentacle < 72; ++tentacle) {
    const float* first = &effect.basePoints[tentacle * 300];
    EXPECT_EQ(0.0f, first[0] * first[0] + first[1] * first[1] + first[2] * first[2]);
    for (size_t k = 0; k < 300; ++k) ASSERT_TRUE(std::isfinite(first[k]));
    const float* last = first + 297;
    longest = std::max(longest, std::hypot(last[0], last[1]));
  }
  // Ends at 0.99 of (|n| + 0.75) plus the wiggle: the anemone spans a few units.
  EXPECT_GT(longest, 0.7f);
  EXPECT_LT(longest, 2.5f);
  // Group 0 lies in the z = wiggle plane, turned about y by 0 degrees: tentacle 0 points along +y.
  EXPECT_GT(effect.basePoints[99 * 3 + 1], 0.7f);
}

TEST_F(ParticleCreatures2EffectTest, FramesEqualTheDirectFormulas) {
  SetKeys(effect.delay, {{0, 300.0f}, {200, 900.0f}});
  SetKeys(effect.rotX, {{0, 0.0f}, {100, 180.0f}, {300, -45.0f}});
  SetKeys(effect.rotY, {{0, 10.0f}, {250, 200.0f}});
  SetKeys(effect.rotZ, {{20, -30.0f}, {180, 60.0f}});
  SetKeys(effect.intensity, {{0, 0.25f}, {100, 0.75f}});
  std::vector<float> positions(21600), colours(21600);
  for (uint32_t time : {0u, 40u, 2500u, 5001u, 9999u, 16000u}) {
    SCOPED_TRACE(time);
    effect.computeParticles(time, positions.data(), colours.data());
    std::vector<float> expected = direct(time);
    ASSERT_EQ(expected.size(), positions.size());
    EXPECT_EQ(0, std::memcmp(expected.data(), positions.data(), expected.size() * sizeof(float)));
    float level = value(effect.intensity, time);
    EXPECT_EQ(level, effect.intensityValue);
    for (float c : colours) ASSERT_EQ(level, c);
  }
}

TEST_F(ParticleCreatures2EffectTest, NoDelayTurnsAllTogether) {
  SetKeys(effect.rotY, {{0, 0.0f}, {40, 180.0f}});
  std::vector<float> positions(21600), colours(21600);
  effect.computeParticles(1000, positions.data(), colours.data());
  // Half-way: 90 degrees about y for every particle, near or far.
  for (size_t k = 0; k < 21600; k += 3) {
    ASSERT_NEAR(-effect.basePoints[k + 2], positions[k], 1e-5);
    ASSERT_NEAR(effect.basePoints[k], positions[k + 2], 1e-5);
  }
}
