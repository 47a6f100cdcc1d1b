#include "demosys/Window.h"

#include <gtest/gtest.h>

#include "demosys/KVRDemosys.h"
#include "support/GLTestContext.h"

TEST(WindowGLTest, OpensWindowedAndRemembersMetrics) {
  EXPECT_EQ(GLTestContext::metrics(), KVRDemosys::screenMetrics);
  EXPECT_EQ("", Window::message());
}
