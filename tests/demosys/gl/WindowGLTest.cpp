#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Window.h"
#include "support/CapturedStdout.h"
#include "support/GLTestContext.h"

// The window remembers the metrics, and apply() gives GL their viewport and the same perspective
// that GLU makes of the field of view, aspect and clip planes.
TEST(WindowGLTest, OpensWindowedAndAppliesTheMetrics) {
  ScreenMetrics* metrics = GLTestContext::metrics();
  EXPECT_EQ(std::pair(metrics, std::string()), std::pair(KVRDemosys::screenMetrics, Window::message()));
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

TEST(WindowGLTest, ReportsAPendingErrorOnceWithItsLocation) {
  glGetError();
  KVRDemosys::glErrorSeen = false;
  glEnable(0x7fff);  // not a capability: GL_INVALID_ENUM
  EXPECT_EQ("[GL_ERROR LOCATION = 'enable']\n[GL_ERROR CODE 1280] 'invalid enumerant'\n",
            stdoutOf([&] { EXPECT_FALSE(Window::reportGLErrors("enable")); }));
  EXPECT_TRUE(KVRDemosys::glErrorSeen);
  EXPECT_EQ("", stdoutOf([&] { EXPECT_TRUE(Window::reportGLErrors("later")); }));
  KVRDemosys::glErrorSeen = false;
}
