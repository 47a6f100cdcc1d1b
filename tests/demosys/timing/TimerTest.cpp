#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "demosys/timing/Timer.h"
#include "support/SteppedClock.h"

using SteppedTimer = SteppedClock<Timer>;

TEST(TimerTest, FollowsTheTicksWhileRunningAndHoldsWhilePaused) {
  SteppedTimer timer(20);
  EXPECT_TRUE(timer.Init());
  EXPECT_EQ(5000u, timer.SetTime(12345));  // paused: the time is held
  timer.ticks += 777;
  EXPECT_EQ(12345u, timer.GetTime());
  EXPECT_EQ(0u, timer.GetDelta(12345));
  timer.SetTime(1000);
  EXPECT_EQ(4777u, timer.Start());  // the tick value at which demo time 0 lies
  timer.ticks += 40;
  EXPECT_EQ(1040u, timer.GetTime());
  EXPECT_EQ(40u, timer.GetDelta(1040));
  EXPECT_EQ(5817u, timer.Pause());
  timer.ticks += 500;
  EXPECT_EQ(1040u, timer.GetTime());
  EXPECT_EQ(0u, timer.GetDelta(3000));
  timer.Start();
  timer.ticks += 10;
  EXPECT_EQ(1050u, timer.GetTime());
  timer.SetTime(90000);  // running: keeps running from there
  timer.ticks += 25;
  EXPECT_EQ(90025u, timer.GetTime());
  timer.ticks = 0xFFFFFF00u;  // the tick counter wraps as unsigned 32 bit
  timer.SetTime(0);
  timer.ticks += 0x200;
  EXPECT_EQ(0x200u, timer.GetTime());
}

// Frame numbers round down, and rates outside the frame arithmetic (0, 5000) are held to 1..1000.
TEST(TimerTest, FramesAndLengthFollowTheRate) {
  const struct {
    int32_t rate;
    uint32_t time, frame, frameTime, lengthFrames;
  } cases[] = {{20, 1049, 20, 1000, 12000},
               {25, 1049, 26, 1040, 15000},
               {0, 2999, 2, 2000, 600},
               {5000, 7, 7, 7, 600000}};
  for (const auto& c : cases) {
    SteppedTimer timer(c.rate);
    timer.Init();
    timer.SetTime(c.time);
    EXPECT_EQ(c.frame, timer.GetFrame()) << "rate " << c.rate;
    EXPECT_EQ(c.frameTime, timer.GetFrameTime()) << "rate " << c.rate;
    EXPECT_EQ(c.lengthFrames, timer.GetLengthFrames()) << "rate " << c.rate;
  }
  SteppedTimer timer(20);
  timer.SetFrame(3);
  EXPECT_EQ(150u, timer.GetTime());
}

TEST(TimerTest, SpectrumIsFiniteNoiseInTheCountAskedFor) {
  SteppedTimer timer(20);
  std::srand(7);
  // 200 000 values: a remainder of zero (once in 10 000) used to give infinity.
  std::vector<float> out(200001, -1.0f);
  EXPECT_EQ(200000, timer.GetSpectrum(0, 200000, out.data()));
  const auto [smallest, largest] = std::minmax_element(out.begin(), out.end() - 1);
  EXPECT_GT(*smallest, 0.0f);
  EXPECT_LE(*largest, 1.0f);
  EXPECT_LT(*smallest, 0.001f);  // noise, not a constant
  EXPECT_EQ(-1.0f, out[200000]);
  EXPECT_EQ(0, timer.GetSpectrum(2, 0, out.data()));
}
