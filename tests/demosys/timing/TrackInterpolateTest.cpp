#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "demosys/timing/TrackInterpolate.h"
#include "support/CapturedStdout.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::KeyframeRows, TrackFixtures::SetKeys;
const uint32_t RATE = 20;

// Keyframes at rows 20 (1.0, with the curve) and 40 (3.0): 0 before the first, held after the
// last; unknown curve codes are linear. An empty track is 0; a lone keyframe holds from its row,
// and a keyframe on a taken row replaces the one there.
TEST(TrackInterpolateTest, GetValueFollowsTheCurveBetweenKeyframes) {
  const float halfSine = float(std::cos(0.25 * M_PI)), halfCosine = float(1.0 - std::cos(0.25 * M_PI));
  const struct {
    uint32_t curve, timeMs;
    float expected;
  } cases[] = {{ValueKeyframe::Linear, 999, 0.0f},
               {ValueKeyframe::Linear, 1025, 1.05f},
               {ValueKeyframe::Linear, 9000, 3.0f},
               {ValueKeyframe::Step, 1999, 1.0f},
               {ValueKeyframe::Step, 2000, 3.0f},
               {ValueKeyframe::SineEaseOut, 1500, 1.0f + 2.0f * halfSine},
               {ValueKeyframe::CosineEaseIn, 1500, 1.0f + 2.0f * halfCosine},
               {ValueKeyframe::Quadratic, 1250, 1.125f},
               {9, 1750, 2.5f}};
  for (const auto& c : cases) {
    TrackInterpolate track("fade");
    SetKeys(&track, {{20, 1.0f}}, c.curve);
    SetKeys(&track, {{40, 3.0f}});
    EXPECT_FLOAT_EQ(c.expected, track.GetValue(c.timeMs, RATE)) << "curve " << c.curve << " at " << c.timeMs;
  }
  TrackInterpolate track("fade");
  EXPECT_EQ(0.0f, track.GetValue(4000000, RATE));
  SetKeys(&track, {{10, 5.0f}});
  SetKeys(&track, {{10, 7.0f}});
  EXPECT_EQ(1u, track.GetKeyframeCount());
  EXPECT_EQ(0.0f, track.GetValue(499, RATE));
  EXPECT_EQ(7.0f, track.GetValue(500, RATE));
  EXPECT_EQ(7.0f, track.GetValue(100000, RATE));
}

// After each edit every value, read in a scattered order (37 is prime to 400), equals that of a
// new track holding the same keyframes, which no earlier evaluation can have left stale.
TEST(TrackInterpolateTest, ValuesFollowEveryEdit) {
  TrackInterpolate track("fade");
  for (uint32_t row : {10u, 20u, 40u, 60u})
    track.InsertKeyframe(new ValueKeyframe(row, float(row), row / 10 % 5));
  const std::pair<const char*, std::function<void()>> edits[] = {
      {"loaded", [] {}},
      {"inserted", [&] { track.InsertKeyframe(new ValueKeyframe(30, -5.0f, ValueKeyframe::Quadratic)); }},
      {"replaced", [&] { track.InsertKeyframe(new ValueKeyframe(30, 9.0f)); }},
      {"moved", [&] { stdoutOf([&] { track.MoveKeyframe(40, 70); }); }},
      {"moved onto another", [&] { stdoutOf([&] { track.MoveKeyframe(10, 20); }); }},
      {"edited in place", [&] { static_cast<ValueKeyframe*>(track.KeyframeAt(20))->value = 4.0f; }},
      {"cleared", [&] { track.Clear(); }}};
  for (const auto& edit : edits) {
    edit.second();
    TrackInterpolate fresh("fresh");
    for (const auto& entry : track.Keyframes()) {
      auto* key = static_cast<const ValueKeyframe*>(entry.second);
      fresh.InsertKeyframe(new ValueKeyframe(key->row, key->value, key->interpolation));
    }
    for (uint32_t i = 0, timeMs = 0; i < 400; timeMs = ++i * 37 % 400 * 10)
      ASSERT_EQ(fresh.GetValue(timeMs, RATE), track.GetValue(timeMs, RATE)) << edit.first << ", " << timeMs;
  }
}

// GetKeyframes adds the neighbours just outside the window; a move reports itself, replaces a
// keyframe on the target row and ignores missing or unmoved rows.
TEST(TrackInterpolateTest, KeyframeWindowNeighboursAndMoves) {
  TrackInterpolate track("fade");
  SetKeys(&track, {{10, 1.0f}, {20, 2.0f}, {30, 3.0f}, {40, 4.0f}, {50, 5.0f}});
  EXPECT_EQ((std::vector<uint32_t>{20, 30, 40, 50}), KeyframeRows(track, 25, 40));
  EXPECT_TRUE(KeyframeRows(track, 51, 90).empty());
  EXPECT_EQ("Moved row from 10 to 20\n", stdoutOf([&] {
              track.MoveKeyframe(10, 20), track.MoveKeyframe(5, 60), track.MoveKeyframe(20, 20);
            }));
  EXPECT_EQ((std::vector<uint32_t>{20, 30, 40, 50}), KeyframeRows(track));
  EXPECT_EQ(1.0f, static_cast<ValueKeyframe*>(track.KeyframeAt(20))->value);
  EXPECT_EQ(20u, track.KeyframeAt(20)->row);
}

}  // namespace
