#include <gtest/gtest.h>

#include "demosys/runtime/DebugOverlay.h"

TEST(DebugOverlayTest, CountsBarsAndBeatsFromOneOnTheProductionsGrid) {
  EXPECT_EQ((std::vector<std::string>{"TIME 00:00:000  ROW 0", "BAR 1  BEAT 1"}),
            DebugOverlay::describe(0, 0, false, nullptr));
  // 71 250 ms is beat 142 counted from 0: the third beat of bar 36.
  EXPECT_EQ((std::vector<std::string>{"TIME 01:11:250  ROW 1425", "BAR 36  BEAT 3", "PAUSED"}),
            DebugOverlay::describe(71250, 1425, true, nullptr));
}
