#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"

namespace {

Matrix4 modelView() {
  Matrix4 m;
  glGetFloatv(GL_MODELVIEW_MATRIX, m.m);
  return m;
}

}  // namespace

TEST(CameraGLTest, UpdateMultipliesRotationThenTranslation) {
  Camera camera;
  camera.setPosition(1, 2, 3);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  camera.update();
  Matrix4 m = modelView();
  EXPECT_FLOAT_EQ(-1.0f, m[12]);
  EXPECT_FLOAT_EQ(-2.0f, m[13]);
  EXPECT_FLOAT_EQ(-3.0f, m[14]);
  EXPECT_FLOAT_EQ(1.0f, m[0]);

  camera.setPitch(20);
  camera.setHeading(-35);
  glLoadIdentity();
  camera.update();
  m = modelView();
  Matrix4 expected = camera.viewMatrix();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], m[i], 1e-5f) << i;
  glPopMatrix();
}

TEST(CameraGLTest, EngineCameraStartsAtRest) {
  EXPECT_EQ(0.0f, KVRDemosys::camera.getPitch());
  EXPECT_EQ(0.0f, KVRDemosys::camera.getSpeed());
  EXPECT_EQ(0.0f, KVRDemosys::camera.getPosition().z);
}
