#include "demosys/gl/Window.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <deque>

#include "demosys/core/KVRDemosys.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

std::deque<unsigned> pendingErrors;

unsigned nextQueuedError() {
  if (pendingErrors.empty()) return GL_NO_ERROR;
  unsigned error = pendingErrors.front();
  pendingErrors.pop_front();
  return error;
}

}  // namespace

TEST(WindowGLTest, OpensWindowedAndRemembersMetrics) {
  EXPECT_EQ(GLTestContext::metrics(), KVRDemosys::screenMetrics);
  EXPECT_EQ("", Window::message());
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(0, viewport[1]);
  EXPECT_EQ(640, viewport[2]);
  EXPECT_EQ(360, viewport[3]);
}

TEST(WindowGLTest, ReportsARealDriverErrorOnce) {
  glGetError();
  KVRDemosys::glErrorSeen = false;
  glEnable(0x7fff);  // not a capability: GL_INVALID_ENUM
  EXPECT_EQ("[GL_ERROR LOCATION = 'enable']\n[GL_ERROR CODE 1280] 'invalid enumerant'\n",
            stdoutOf([&] { EXPECT_FALSE(Window::reportGLErrors("enable")); }));
  EXPECT_TRUE(KVRDemosys::glErrorSeen);
  EXPECT_EQ("", stdoutOf([&] { EXPECT_TRUE(Window::reportGLErrors("later")); }));
  EXPECT_TRUE(KVRDemosys::glErrorSeen);
}

TEST(WindowGLTest, ReportsEveryPendingErrorAndUnknownCodes) {
  pendingErrors = {GL_INVALID_VALUE, 0x1234};
  CaptureStdout();
  EXPECT_FALSE(Window::reportGLErrors("test", nextQueuedError));
  EXPECT_EQ(
      "[GL_ERROR LOCATION = 'test']\n[GL_ERROR CODE 1281] 'invalid value'\n"
      "[GL_ERROR LOCATION = 'test']\n[GL_ERROR CODE UNKNOWN]\n",
      GetCapturedStdout());
}
