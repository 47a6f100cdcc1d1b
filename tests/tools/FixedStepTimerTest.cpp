#include "capture/FixedStepTimer.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
  uint32_t framesPerSecond;
  uint32_t origin;
  uint32_t step;
  uint32_t time;
  uint32_t delta;
  uint32_t row;
};

class FixedStepTimerSteps : public testing::TestWithParam<StepCase> {};

TEST_P(FixedStepTimerSteps, TimeDeltaAndRowFollowTheStepNumber) {
  const StepCase& c = GetParam();
  FixedStepTimer clock(20, c.framesPerSecond);
  clock.Init();
  clock.SetTime(c.origin);
  for (uint32_t i = 0; i < c.step; ++i) clock.advance();
  const uint32_t time = clock.GetTime();
  EXPECT_EQ(c.time, time);
  EXPECT_EQ(c.delta, clock.GetDelta(time));
  EXPECT_EQ(c.row, clock.GetFrame());
}

INSTANTIATE_TEST_SUITE_P(Rates, FixedStepTimerSteps,
                         testing::Values(StepCase{60, 0, 0, 0, 16, 0},   // step 0 takes the next step's length
                                         StepCase{60, 0, 1, 16, 16, 0},  // 16.67 rounded down
                                         StepCase{60, 0, 2, 33, 17, 0},  // no drift: from the step number
                                         StepCase{60, 0, 60, 1000, 17, 20},
                                         StepCase{60, 0, 9051, 150850, 17, 3017},
                                         StepCase{20, 500, 3, 650, 50, 13},
                                         StepCase{25, 90000, 25, 91000, 40, 1820},
                                         StepCase{1000, 7, 5, 12, 1, 0}));

TEST(FixedStepTimerTest, RunsOnlyWhenAdvancedWhetherStartedOrNot) {
  FixedStepTimer clock(20, 50);
  clock.Init();
  clock.SetTime(1000);
  EXPECT_EQ(1000u, clock.GetTime());
  EXPECT_EQ(20u, clock.GetDelta(1000)) << "a paused fixed clock still steps by its frame length";
  clock.Start();
  clock.Update();
  EXPECT_EQ(1000u, clock.GetTime());
  clock.advance();
  EXPECT_EQ(1020u, clock.GetTime());
  EXPECT_EQ(1u, clock.getStep());
  clock.SetTime(0);
  EXPECT_EQ(0u, clock.getStep());
  EXPECT_EQ(600000u, clock.GetLength());
}

TEST(FixedStepTimerTest, ZeroFramesPerSecondIsHeldToOne) {
  FixedStepTimer clock(20, 0);
  clock.Init();
  clock.advance();
  EXPECT_EQ(1000u, clock.GetTime());
}

}  // namespace
