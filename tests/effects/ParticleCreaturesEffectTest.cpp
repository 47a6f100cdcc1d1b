#include <gtest/gtest.h>
#include <noise.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "demosys/timing/TrackInterpolate.h"
#include "effects/DelayedRotation.h"
#include "effects/ParticleCreaturesEffect.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;

class ParticleCreaturesEffectTest : public ComputedEffectTest<ParticleCreaturesEffect> {
 protected:
  // The particles worked out the plain way, point by point, straight from the formulas.
  void direct(uint32_t time, std::vector<float>& positions, std::vector<float>& colours) {
    noise::module::Perlin noise;
    const double pi = 3.14159265358979323846;
    positions.assign(2200 * 3, 0.0f);
    colours.assign(2200 * 3, 0.0f);
    float angleStep = 360.0f / 10;
    float t = value(effect.anim, time);
    float rd = value(effect.rotDelay, time);
    size_t out = 0;
    for (int s = 0; s < 220; ++s) {
      // The first segment starts at the origin and has no ring plane: it takes the next one's.
      int segment = s == 0 ? 1 : s < 219 ? s : 218;
      const float* pa = effect.points + 3 * segment;
      const float* pb = effect.points + 3 * (segment + 1);
      float a[3] = {pa[0] * 2.0f, pa[1] * 2.0f, pa[2] * 6.0f};
      float b[3] = {pb[0] * 2.0f, pb[1] * 2.0f, pb[2] * 6.0f};
      double d[3] = {double(b[0] - a[0]), double(b[1] - a[1]), double(b[2] - a[2])};
      double m[3] = {double(b[0] + a[0]), double(b[1] + a[1]), double(b[2] + a[2])};
      double n[3] = {d[1] * m[2] - d[2] * m[1], d[2] * m[0] - d[0] * m[2], d[0] * m[1] - d[1] * m[0]};
      double bn[3] = {n[1] * d[2] - n[2] * d[1], n[2] * d[0] - n[0] * d[2], n[0] * d[1] - n[1] * d[0]};
      double nl = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      double bl = std::sqrt(bn[0] * bn[0] + bn[1] * bn[1] + bn[2] * bn[2]);
      for (int i = 0; i < 3; ++i) {
        n[i] /= nl;
        bn[i] /= bl;
      }
      const float* centre = effect.points + 3 * s;
      float c[3] = {centre[0] * 2.0f, centre[1] * 2.0f, centre[2] * 6.0f};
      float radius = float(std::fabs(noise.GetValue(t, 0, 0)) * 1.5);
      t += 0.02f;
      float phi = 0.0f;
      for (int k = 0; k < 10; ++k, phi += angleStep) {
        double cs = std::cos(phi * pi / 180.0) * radius, sn = std::sin(phi * pi / 180.0) * radius;
        float p[3];
        for (int i = 0; i < 3; ++i) p[i] = float(c[i] + (bn[i] * cs + n[i] * sn));
        float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        uint32_t td = uint32_t(int64_t(double(time) - double(length) * double(rd)));
        float tx = value(effect.rotateX, td) * 3.1415927f / 180.0f;
        float ty = value(effect.rotateY, td) * 3.1415927f / 180.0f;
        float tz = value(effect.rotateZ, td) * 3.1415927f / 180.0f;
        float y1 = std::cos(tx) * p[1] - std::sin(tx) * p[2];
        float z1 = std::sin(tx) * p[1] + std::cos(tx) * p[2];
        float x2 = std::cos(ty) * p[0] - std::sin(ty) * z1;
        float z2 = std::sin(ty) * p[0] + std::cos(ty) * z1;
        positions[out++] = std::cos(tz) * x2 - std::sin(tz) * y1;
        positions[out++] = std::sin(tz) * x2 + std::cos(tz) * y1;
        positions[out++] = z2;
      }
    }
    float level = value(effect.intensity, time);
    float w = 0.0f;
    for (size_t j = 0; j < 2200; ++j, w += 0.1f) {
      float g = float(std::fabs(noise.GetValue(w, 0, 0) * 0.25 + 0.125)) * level * 2.5f;
      colours[3 * j] = colours[3 * j + 1] = colours[3 * j + 2] = g;
    }
  }

  void expectSameBits(const std::vector<float>& expected, const std::vector<float>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    EXPECT_EQ(0, std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(float)));
  }
};

}  // namespace

TEST_F(ParticleCreaturesEffectTest, FramesEqualTheDirectFormulas) {
  SetKeys(effect.anim, {{0, 0.0f}, {400, 12.0f}});
  SetKeys(effect.rotDelay, {{0, 40.0f}, {200, 250.0f}});
  SetKeys(effect.rotateX, {{0, 0.0f}, {100, 90.0f}, {300, -45.0f}});
  SetKeys(effect.rotateY, {{0, 10.0f}, {250, 200.0f}});
  SetKeys(effect.rotateZ, {{20, -30.0f}, {180, 60.0f}});
  SetKeys(effect.intensity, {{0, 0.5f}, {300, 1.5f}});
  std::vector<float> positions(6600), colours(6600), expectedPositions, expectedColours;
  // Several frames in a row, so that nothing a frame caches leaks into the next.
  for (uint32_t time : {0u, 50u, 3333u, 7001u, 12000u, 14999u, 20000u}) {
    SCOPED_TRACE(time);
    std::fill(positions.begin(), positions.end(), std::numeric_limits<float>::quiet_NaN());
    effect.computeParticles(time, positions.data(), colours.data());
    direct(time, expectedPositions, expectedColours);
    expectSameBits(expectedPositions, positions);
    expectSameBits(expectedColours, colours);
  }
}

TEST_F(ParticleCreaturesEffectTest, LastRingIsAtTheEndOfThePath) {
  SetKeys(effect.anim, {{0, 3.0f}});
  std::vector<float> positions(6600, std::numeric_limits<float>::quiet_NaN()), colours(6600);
  effect.computeParticles(1000, positions.data(), colours.data());
  for (float v : positions) ASSERT_TRUE(std::isfinite(v));
  // No rotation: the ring points sit around the scaled last path point.
  const float* end = effect.points + 3 * 219;
  const float scale[3] = {2.0f, 2.0f, 6.0f};
  for (int axis = 0; axis < 3; ++axis) {
    float centre = 0;
    for (int k = 0; k < 10; ++k) centre += positions[3 * (2190 + k) + axis] / 10;
    EXPECT_NEAR(end[axis] * scale[axis], centre, 1e-4) << axis;
  }
}

TEST_F(ParticleCreaturesEffectTest, NoDelayTurnsTheBodyRigidly) {
  SetKeys(effect.anim, {{0, 1.0f}});
  std::vector<float> still(6600), turned(6600), colours(6600);
  effect.computeParticles(500, still.data(), colours.data());
  SetKeys(effect.rotateZ, {{0, 90.0f}});
  effect.computeParticles(500, turned.data(), colours.data());
  for (size_t i = 0; i < 6600; i += 3) {
    ASSERT_NEAR(-still[i + 1], turned[i], 1e-4);
    ASSERT_NEAR(still[i], turned[i + 1], 1e-4);
    ASSERT_EQ(still[i + 2], turned[i + 2]);
  }
}

TEST_F(ParticleCreaturesEffectTest, DelayedAnglesComeFromEarlierTimes) {
  // A quarter turn about z between 1.0 s and 1.2 s. At 1.2 s with 100 ms of delay per unit of
  // distance, a particle at distance d shows the angle of 1.2 s - 0.1 d s.
  SetKeys(effect.anim, {{0, 1.0f}});
  SetKeys(effect.rotateZ, {{20, 0.0f}, {24, 90.0f}});
  std::vector<float> still(6600), turned(6600), colours(6600);
  effect.computeParticles(1200, still.data(), colours.data());
  SetKeys(effect.rotDelay, {{0, 100.0f}});
  effect.computeParticles(1200, turned.data(), colours.data());
  int partly = 0, unturned = 0;
  for (size_t i = 0; i < 6600; i += 3) {
    // Unturned: the full quarter turn of 1.2 s taken away again.
    float x = still[i + 1], y = -still[i];
    if (std::hypot(x, y) < 1e-3f) continue;
    float distance = std::sqrt(x * x + y * y + still[i + 2] * still[i + 2]);
    float angle =
        std::atan2(x * turned[i + 1] - y * turned[i], x * turned[i] + y * turned[i + 1]) * 57.29578f;
    float expected = std::max(0.0f, std::min(90.0f, (200.0f - 100.0f * distance) / 200.0f * 90.0f));
    ASSERT_NEAR(expected, angle, 0.5f) << "distance " << distance;
    partly += expected > 1.0f && expected < 89.0f;
    unturned += expected == 0.0f;
  }
  EXPECT_GT(partly, 10);
  EXPECT_GT(unturned, 100);
}

TEST(DelayedRotationTest, NegativeDelayedTimeWrapsAround) {
  EXPECT_EQ(4294967291u, DelayedRotation::delayedTime(5, 2.5f, 4.0f));
  EXPECT_EQ(0u, DelayedRotation::delayedTime(5, 2.0f, 2.5f));
  EXPECT_EQ(3u, DelayedRotation::delayedTime(5, 1.0f, 1.5f));
  // Truncation towards zero also above the wrap: -0.5 becomes 0, -1.5 becomes -1.
  EXPECT_EQ(0u, DelayedRotation::delayedTime(1, 1.5f, 1.0f));
  EXPECT_EQ(4294967295u, DelayedRotation::delayedTime(1, 2.5f, 1.0f));
  EXPECT_EQ(7u, DelayedRotation::delayedTime(7, 1.0f, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_EQ(7u, DelayedRotation::delayedTime(7, 1.0f, std::numeric_limits<float>::infinity()));
}

TEST_F(ParticleCreaturesEffectTest, WrappedDelayedTimeReadsTheTrackLate) {
  TrackInterpolate track("z");
  SetKeys(&track, {{0, 0.0f}, {20, 90.0f}});
  DelayedRotation rotation;
  rotation.begin(nullptr, nullptr, &track);
  const float point[3] = {1.0f, 0.0f, 0.0f};
  float out[3];
  rotation.apply(point, 1.0f, 10, 20.0f, out);
  // Time 10 - 20 wraps to a time long after the last keyframe: a full 90 degree turn.
  EXPECT_NEAR(0.0f, out[0], 1e-6);
  EXPECT_NEAR(1.0f, out[1], 1e-6);
}
