#include <gtest/gtest.h>

#include "capture/FixedStepTimer.h"

namespace {

// Step n of a clock started at `origin` reads origin + n x 1000 / fps ms, rounded down; the
// delta is the length of the step that led there (step 0 takes the next one's); rows are 50 ms.
TEST(FixedStepTimerTest, TimeDeltaAndRowFollowTheStepNumber) {
  struct Case {
    uint32_t framesPerSecond, origin, step, time, delta, row;
  } cases[] = {
      {60, 0, 0, 0, 16, 0},      {60, 0, 1, 16, 16, 0},           {60, 0, 2, 33, 17, 0},  // no drift
      {60, 0, 60, 1000, 17, 20}, {60, 0, 9051, 150850, 17, 3017}, {25, 90000, 25, 91000, 40, 1820},
      {1000, 7, 5, 12, 1, 0},    {0, 0, 1, 1000, 1000, 20},  // 0 held to 1
  };
  for (const Case& c : cases) {
    FixedStepTimer clock(20, c.framesPerSecond);
    clock.Init();
    clock.SetTime(c.origin);
    for (uint32_t i = 0; i < c.step; ++i) clock.advance();
    const uint32_t time = clock.GetTime();
    EXPECT_EQ(c.time, time) << c.framesPerSecond << " fps, step " << c.step;
    EXPECT_EQ(c.delta, clock.GetDelta(time)) << c.framesPerSecond << " fps, step " << c.step;
    EXPECT_EQ(c.row, clock.GetFrame()) << c.framesPerSecond << " fps, step " << c.step;
  }
}

}  // namespace
