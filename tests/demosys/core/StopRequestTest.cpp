#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "demosys/core/StopRequest.h"

// In a child of its own, so that the handlers stay out of the test runner: the first signal is
// recorded with the status it stands for, a second one ends the process by that signal.
TEST(StopRequestDeathTest, SignalsAreRecordedAndASecondOneEndsTheProcess) {
  EXPECT_EXIT(
      {
        StopRequest::install();
        raise(SIGTERM);
        if (!StopRequest::requested() || StopRequest::exitStatus() != 143) _exit(3);
        StopRequest::clear();
        raise(SIGINT);
        if (StopRequest::signalNumber() != SIGINT || StopRequest::exitStatus() != 130) _exit(4);
        raise(SIGINT);
        _exit(5);
      },
      testing::KilledBySignal(SIGINT), "");
}
