#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "demosys/core/StopRequest.h"

// A forked child, so that the handlers stay out of the test runner.
TEST(StopRequestTest, SignalsAreRecordedAndASecondOneEndsTheProcess) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    StopRequest::install();
    raise(SIGTERM);
    if (!StopRequest::requested() || StopRequest::exitStatus() != 143) _exit(3);
    StopRequest::clear();
    raise(SIGINT);
    if (StopRequest::signalNumber() != SIGINT || StopRequest::exitStatus() != 130) _exit(4);
    raise(SIGINT);
    _exit(5);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(SIGINT, WTERMSIG(status));
}
