#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Window.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

namespace {

// Two errors, one of them no GL code at all, then none.
unsigned nextQueuedError() {
  static const unsigned codes[] = {GL_INVALID_VALUE, 0x1234, GL_NO_ERROR};
  static int next = 0;
  return codes[std::min(next++, 2)];
}

}  // namespace

// The window remembers the metrics, and apply() gives GL their viewport and the same perspective
// that GLU makes of the field of view, aspect and clip planes.
TEST(WindowGLTest, OpensWindowedAndAppliesTheMetrics) {
  ScreenMetrics* metrics = GLTestContext::metrics();
  EXPECT_EQ(metrics, KVRDemosys::screenMetrics);
  EXPECT_EQ("", Window::message());
  metrics->apply();
  std::vector<GLint> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ((std::vector<GLint>{0, 0, 640, 360}), viewport);
  float applied[16], expected[16];
  glGetFloatv(GL_PROJECTION_MATRIX, applied);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50.0, 640.0 / 360.0, 1.0, metrics->getFarPlane());
  glGetFloatv(GL_PROJECTION_MATRIX, expected);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], applied[i], 1e-5f) << i;
  metrics->apply();
}

TEST(WindowGLTest, ReportsEveryPendingErrorWithItsLocation) {
  glGetError();
  KVRDemosys::glErrorSeen = false;
  glEnable(0x7fff);  // not a capability: GL_INVALID_ENUM
  EXPECT_EQ("[GL_ERROR LOCATION = 'enable']\n[GL_ERROR CODE 1280] 'invalid enumerant'\n",
            stdoutOf([&] { EXPECT_FALSE(Window::reportGLErrors("enable")); }));
  EXPECT_TRUE(KVRDemosys::glErrorSeen);
  EXPECT_EQ("", stdoutOf([&] { EXPECT_TRUE(Window::reportGLErrors("later")); }));
  EXPECT_EQ(
      "[GL_ERROR LOCATION = 'test']\n[GL_ERROR CODE 1281] 'invalid value'\n"
      "[GL_ERROR LOCATION = 'test']\n[GL_ERROR CODE UNKNOWN]\n",
      stdoutOf([&] { EXPECT_FALSE(Window::reportGLErrors("test", nextQueuedError)); }));
  KVRDemosys::glErrorSeen = false;
}
