#include <gtest/gtest.h>

#include "demosys/gl/Camera.h"
#include "demosys/math/Quaternion.h"
#include "support/CapturedStdout.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(0.0f, (expected - actual).length(), 1e-5f) << actual.x << ", " << actual.y << ", " << actual.z;
}

}  // namespace

// i j = k = -j i, k k = -1; turns follow the right hand, and matrices are column-major.
TEST(QuaternionTest, UnitAxesMultiplyLikeHamiltonsAndTurnsFollowTheRightHand) {
  Quaternion i(0, 1, 0, 0), j(0, 0, 1, 0), k(0, 0, 0, 1);
  EXPECT_EQ(std::vector<float>({0, 0, 0, 1, 0, 0, 0, -1, -1, 0, 0, 0}),
            std::vector<float>({(i * j).w, (i * j).x, (i * j).y, (i * j).z, (j * i).w, (j * i).x, (j * i).y,
                                (j * i).z, (k * k).w, (k * k).x, (k * k).y, (k * k).z}));
  const Quaternion quarterAboutZ = Quaternion::fromAxisAngle(Vec3f(0, 0, 1), 90.0f);
  expectVec(Vec3f(0, 1, 0), quarterAboutZ.rotate(Vec3f(1, 0, 0)));
  expectVec(Vec3f(0, 1, 0), Vec3f(quarterAboutZ.toMatrix()[0], quarterAboutZ.toMatrix()[1], 0));
  expectVec(Vec3f(-1, 0, 0), Quaternion::fromAxisAngle(Vec3f(0, 1, 0), 180.0f).rotate(Vec3f(1, 0, 0)));
}

TEST(CameraTest, ViewDirectionForPitchAndHeadingAndPrint) {
  for (auto [pitch, heading, direction] : {std::tuple{0.0f, 0.0f, Vec3f(0, 0, -1)},
                                           {0.0f, 90.0f, Vec3f(1, 0, 0)},
                                           {90.0f, 0.0f, Vec3f(0, -1, 0)},
                                           {0.0f, 180.0f, Vec3f(0, 0, 1)},
                                           {0.0f, -90.0f, Vec3f(-1, 0, 0)},
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
      camera.step();
      camera.step();
      const Vec3f position = Vec3f(1, 2, 3) + Camera::viewDirectionFor(pitch, heading) * 4.0f;
      expectVec(position, camera.getPosition());
      Matrix4 view = camera.viewMatrix();
      expectVec(Vec3f(0, 0, 0), view.transformPoint(position));
      expectVec(Vec3f(0, 0, -5), view.transformPoint(position + camera.getViewDirection() * 5.0f));
    }
  }
}
