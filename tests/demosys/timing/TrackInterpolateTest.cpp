#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "demosys/timing/TrackInterpolate.h"
#include "support/CapturedStdout.h"

namespace {

const uint32_t RATE = 20;

// Keyframes at rows 20 (1.0) and 40 (3.0), the first with the given curve.
void fillTwoKeyframes(TrackInterpolate& track, uint32_t curve) {
  track.InsertKeyframe(new ValueKeyframe(20, 1.0f, curve));
  track.InsertKeyframe(new ValueKeyframe(40, 3.0f));
}

struct CurveCase {
  uint32_t curve;
  uint32_t timeMs;
  float expected;
};

void PrintTo(const CurveCase& c, std::ostream* out) {
  *out << "curve " << c.curve << " at " << c.timeMs << " ms";
}

class GetValueCurves : public testing::TestWithParam<CurveCase> {};

TEST_P(GetValueCurves, MatchesTheCurveBetweenRows20And40) {
  TrackInterpolate track("fade");
  fillTwoKeyframes(track, GetParam().curve);
  EXPECT_FLOAT_EQ(GetParam().expected, track.GetValue(GetParam().timeMs, RATE));
}

const float HALF_SINE = float(std::cos(0.25 * M_PI));
const float HALF_COSINE = float(1.0 - std::cos(0.25 * M_PI));

INSTANTIATE_TEST_SUITE_P(
    AllCurves, GetValueCurves,
    testing::Values(
        // Linear: 0 before the first keyframe, held after the last.
        CurveCase{ValueKeyframe::Linear, 999, 0.0f}, CurveCase{ValueKeyframe::Linear, 1000, 1.0f},
        CurveCase{ValueKeyframe::Linear, 1500, 2.0f}, CurveCase{ValueKeyframe::Linear, 2000, 3.0f},
        CurveCase{ValueKeyframe::Linear, 9000, 3.0f}, CurveCase{ValueKeyframe::Linear, 1025, 1.05f},
        // Step holds until the next keyframe.
        CurveCase{ValueKeyframe::Step, 1000, 1.0f}, CurveCase{ValueKeyframe::Step, 1999, 1.0f},
        CurveCase{ValueKeyframe::Step, 2000, 3.0f},
        CurveCase{ValueKeyframe::SineEaseOut, 1500, 1.0f + 2.0f * HALF_SINE},
        CurveCase{ValueKeyframe::SineEaseOut, 1000, 1.0f},
        CurveCase{ValueKeyframe::CosineEaseIn, 1500, 1.0f + 2.0f * HALF_COSINE},
        CurveCase{ValueKeyframe::CosineEaseIn, 1000, 1.0f}, CurveCase{ValueKeyframe::Quadratic, 1500, 1.5f},
        CurveCase{ValueKeyframe::Quadratic, 1250, 1.125f},
        // Unknown codes are linear.
        CurveCase{9, 1500, 2.0f}, CurveCase{0xFFFFFFFFu, 1750, 2.5f}));

TEST(TrackInterpolateTest, EmptyTrackIsZeroAndASingleKeyframeAppearsOnItsRow) {
  TrackInterpolate track("fade");
  EXPECT_EQ(0.0f, track.GetValue(0, RATE));
  EXPECT_EQ(0.0f, track.GetValue(4000000, RATE));
  track.InsertKeyframe(new ValueKeyframe(10, 5.0f));
  EXPECT_EQ(0.0f, track.GetValue(499, RATE));
  EXPECT_EQ(5.0f, track.GetValue(500, RATE));
  EXPECT_EQ(5.0f, track.GetValue(100000, RATE));
  // A keyframe on a taken row replaces the one there.
  track.InsertKeyframe(new ValueKeyframe(10, 7.0f));
  EXPECT_EQ(1u, track.GetKeyframeCount());
  EXPECT_EQ(7.0f, track.GetValue(500, RATE));
}

TEST(TrackInterpolateTest, ValueBeforeFirstOfSeveralKeyframesIsZero) {
  TrackInterpolate track("fade");
  fillTwoKeyframes(track, ValueKeyframe::Linear);
  track.InsertKeyframe(new ValueKeyframe(60, -1.0f));
  EXPECT_EQ(0.0f, track.GetValue(0, RATE));
  EXPECT_FLOAT_EQ(1.0f, track.GetValue(2500, RATE));
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Step curves with each keyframe's row as its value: the value names the keyframe found.
TEST(TrackInterpolateTest, FindsTheLastKeyframeAtOrBeforeTheRowInAnyOrder) {
  std::vector<uint32_t> evenlySpaced, clustered = {1000, 1001};
  for (uint32_t i = 0; i < 50; ++i) evenlySpaced.push_back(5 + i * 20);
  for (uint32_t i = 1; i <= 12; ++i) clustered.push_back(i);
  for (const std::vector<uint32_t>& rows : {evenlySpaced, clustered}) {
    TrackInterpolate track("fade");
    for (uint32_t row : rows) track.InsertKeyframe(new ValueKeyframe(row, float(row), ValueKeyframe::Step));
    for (uint32_t stride : {1u, 37u})  // forward, then scattered (37 is prime to 1100)
      for (uint32_t i = 0; i < 1100; ++i) {
        uint32_t row = i * stride % 1100;
        float expected = 0.0f;
        for (uint32_t keyRow : rows)
          if (keyRow <= row) expected = std::max(expected, float(keyRow));
        ASSERT_EQ(expected, track.GetValue(row * 50, RATE)) << "row " << row << " of " << rows.size();
      }
  }
}

// Compares every value with that of a new track holding the same keyframes, which no earlier
// evaluation can have left stale.
void expectFreshValues(const TrackInterpolate& track, const char* edit) {
  TrackInterpolate fresh("fresh");
  for (const auto& entry : track.Keyframes()) {
    const ValueKeyframe* keyframe = static_cast<const ValueKeyframe*>(entry.second);
    fresh.InsertKeyframe(new ValueKeyframe(keyframe->row, keyframe->value, keyframe->interpolation));
  }
  for (uint32_t timeMs = 0; timeMs < 4000; timeMs += 10)
    ASSERT_EQ(bitsOf(fresh.GetValue(timeMs, RATE)), bitsOf(track.GetValue(timeMs, RATE)))
        << edit << ", " << timeMs << " ms";
}

TEST(TrackInterpolateTest, ValuesFollowEveryEdit) {
  TrackInterpolate track("fade");
  for (uint32_t row : {10u, 20u, 40u, 60u})
    track.InsertKeyframe(new ValueKeyframe(row, float(row), row / 10 % 5));
  expectFreshValues(track, "loaded");
  track.InsertKeyframe(new ValueKeyframe(30, -5.0f, ValueKeyframe::Quadratic));
  expectFreshValues(track, "inserted");
  track.InsertKeyframe(new ValueKeyframe(30, 9.0f));
  expectFreshValues(track, "replaced");
  stdoutOf([&] { track.MoveKeyframe(40, 70); });
  expectFreshValues(track, "moved");
  stdoutOf([&] { track.MoveKeyframe(10, 20); });
  expectFreshValues(track, "moved onto another");
  static_cast<ValueKeyframe*>(track.KeyframeAt(20))->value = 4.0f;
  expectFreshValues(track, "edited in place");
  track.Clear();
  expectFreshValues(track, "cleared");
}

std::vector<uint32_t> rowsOf(const std::vector<Keyframe*>& keyframes) {
  std::vector<uint32_t> rows;
  for (const Keyframe* keyframe : keyframes) rows.push_back(keyframe->row);
  return rows;
}

TEST(TrackInterpolateTest, GetKeyframesAddsTheNeighboursOutsideTheWindow) {
  TrackInterpolate track("fade");
  for (uint32_t row : {10u, 20u, 30u, 40u, 50u}) track.InsertKeyframe(new ValueKeyframe(row, 1.0f));
  std::vector<Keyframe*> window;
  track.GetKeyframes(25, 40, window);
  EXPECT_EQ((std::vector<uint32_t>{20, 30, 40, 50}), rowsOf(window));
  window.clear();
  track.GetKeyframes(10, 12, window);
  EXPECT_EQ((std::vector<uint32_t>{10, 20}), rowsOf(window));
  window.clear();
  track.GetKeyframes(51, 90, window);
  EXPECT_TRUE(window.empty());
  window.clear();
  track.GetKeyframes(31, 32, window);
  EXPECT_EQ((std::vector<uint32_t>{30, 40}), rowsOf(window));
}

TEST(TrackInterpolateTest, MoveKeyframeReportsAndReplacesTheTarget) {
  TrackInterpolate track("fade");
  track.InsertKeyframe(new ValueKeyframe(10, 1.0f));
  track.InsertKeyframe(new ValueKeyframe(20, 2.0f));
  EXPECT_EQ("Moved row from 10 to 20\n", stdoutOf([&] {
              track.MoveKeyframe(10, 20);
              track.MoveKeyframe(5, 30);
              track.MoveKeyframe(20, 20);
            }));
  ASSERT_EQ(1u, track.GetKeyframeCount());
  EXPECT_EQ(1.0f, static_cast<ValueKeyframe*>(track.KeyframeAt(20))->value);
  EXPECT_EQ(20u, track.KeyframeAt(20)->row);
}

TEST(TrackInterpolateTest, NextAndPreviousKeyframeRows) {
  TrackInterpolate track("fade");
  track.InsertKeyframe(new ValueKeyframe(10, 1.0f));
  track.InsertKeyframe(new ValueKeyframe(20, 2.0f));
  EXPECT_EQ(10, track.NextKeyframeRow(0));
  EXPECT_EQ(20, track.NextKeyframeRow(10));
  EXPECT_EQ(-1, track.NextKeyframeRow(20));
  EXPECT_EQ(-1, track.PreviousKeyframeRow(10));
  EXPECT_EQ(10, track.PreviousKeyframeRow(20));
  EXPECT_EQ(20, track.PreviousKeyframeRow(0xFFFFFFFFu));
}

}  // namespace
