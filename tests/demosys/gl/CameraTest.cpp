#include <gtest/gtest.h>

#include "demosys/gl/Camera.h"
#include "support/CapturedStdout.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(0.0f, (expected - actual).length(), 1e-5f) << actual.x << ", " << actual.y << ", " << actual.z;
}

}  // namespace

TEST(CameraTest, ViewDirectionForPitchAndHeadingAndPrint) {
  for (auto [pitch, heading, direction] : {std::tuple{0.0f, 0.0f, Vec3f(0, 0, -1)},
                                           {0.0f, 90.0f, Vec3f(1, 0, 0)},
                                           {90.0f, 0.0f, Vec3f(0, -1, 0)},
                                           {-30.0f, 0.0f, Vec3f(0, 0.5f, -0.8660254f)}})
    expectVec(direction, Camera::viewDirectionFor(pitch, heading));
  Camera camera;
  camera.setPosition(1.5f, -2, 0.25f);
  camera.setPitch(10);
  camera.setHeading(-45.5f);
  EXPECT_EQ("Camera : [1.5,-2,0.25], pitch = 10, heading = -45.5\n", stdoutOf([&] { camera.print(); }));
}

// Each step moves the camera by its speed along the view direction. Whatever the angles, the view
// matrix then puts the camera at the eye's origin and what lies ahead of it on the eye's -z axis:
// this holds only with pitch applied after heading.
TEST(CameraTest, StepMovesAlongTheViewDirectionAndTheViewMatrixLooksAlongIt) {
  for (float pitch : {0.0f, 30.0f, -75.0f}) {
    for (float heading : {0.0f, 45.0f, 200.0f}) {
      SCOPED_TRACE(testing::Message() << "pitch " << pitch << " heading " << heading);
      Camera camera;
      camera.setPosition(1, 2, 3);
      camera.setPitch(pitch);
      camera.setHeading(heading);
      camera.setSpeed(2.0f);
      for (int step = 0; step < 2; ++step) camera.step();
      const Vec3f position = Vec3f(1, 2, 3) + Camera::viewDirectionFor(pitch, heading) * 4.0f;
      expectVec(position, camera.getPosition());
      Matrix4 view = camera.viewMatrix();
      expectVec(Vec3f(0, 0, 0), view.transformPoint(position));
      expectVec(Vec3f(0, 0, -5), view.transformPoint(position + camera.getViewDirection() * 5.0f));
    }
  }
}
