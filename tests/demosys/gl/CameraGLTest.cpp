#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/gl/Camera.h"

// update() leaves on the model-view stack the same view matrix the camera computes for itself.
TEST(CameraGLTest, UpdateMultipliesRotationThenTranslation) {
  Camera camera;
  camera.setPosition(1, 2, 3);
  camera.setHeading(-35);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  camera.update();
  Matrix4 loaded;
  glGetFloatv(GL_MODELVIEW_MATRIX, loaded.m);
  glPopMatrix();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(camera.viewMatrix()[i], loaded[i], 1e-5f) << i;
}
