#include <gtest/gtest.h>

#include "demosys/gl/Camera.h"
#include "demosys/math/Quaternion.h"
#include "support/CapturedStdout.h"

namespace {

const float EPS = 1e-6f;

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(expected.x, actual.x, EPS);
  EXPECT_NEAR(expected.y, actual.y, EPS);
  EXPECT_NEAR(expected.z, actual.z, EPS);
}

void expectMatrix(const Matrix4& expected, const Matrix4& actual) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], actual[i], EPS) << "element " << i;
}

}  // namespace

TEST(QuaternionTest, HamiltonProductOfUnitAxes) {
  Quaternion i(0, 1, 0, 0), j(0, 0, 1, 0), k(0, 0, 0, 1);
  Quaternion ij = i * j;
  EXPECT_EQ(0.0f, ij.w);
  EXPECT_EQ(1.0f, ij.z);
  Quaternion ji = j * i;
  EXPECT_EQ(-1.0f, ji.z);
  Quaternion kk = k * k;
  EXPECT_EQ(-1.0f, kk.w);
}

TEST(QuaternionTest, MatrixIsColumnMajorRotation) {
  // 90 degrees about z takes x to y: column 0 of the matrix is (0, 1, 0).
  Matrix4 m = Quaternion::fromAxisAngle(Vec3f(0, 0, 1), 90.0f).toMatrix();
  EXPECT_NEAR(0.0f, m[0], EPS);
  EXPECT_NEAR(1.0f, m[1], EPS);
  EXPECT_NEAR(-1.0f, m[4], EPS);
  EXPECT_EQ(1.0f, m[15]);
  expectVec(Vec3f(0, 1, 0), m.transformDirection(Vec3f(1, 0, 0)));
  expectVec(Vec3f(0, 1, 0), Quaternion::fromAxisAngle(Vec3f(0, 0, 1), 90.0f).rotate(Vec3f(1, 0, 0)));
}

TEST(QuaternionTest, HalfAngleInSinglePrecision) {
  EXPECT_EQ(90.0f / 180.0f * 3.1415927f * 0.5f, Quaternion::halfAngle(90.0f));
}

TEST(CameraTest, ViewDirectionForPitchAndHeading) {
  struct Case {
    float pitch, heading;
    Vec3f direction;
  } cases[] = {
      {0, 0, Vec3f(0, 0, -1)},  {0, 90, Vec3f(1, 0, 0)},   {90, 0, Vec3f(0, -1, 0)},
      {0, 180, Vec3f(0, 0, 1)}, {0, -90, Vec3f(-1, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pitch " << c.pitch << " heading " << c.heading);
    expectVec(c.direction, Camera::viewDirectionFor(c.pitch, c.heading));
  }
}

TEST(CameraTest, ZeroAnglesLeaveTheIdentity) {
  Camera camera;
  camera.step();
  expectMatrix(Matrix4::identity(), camera.getRotation());
  expectVec(Vec3f(0, 0, -1), camera.getViewDirection());
}

TEST(CameraTest, RotationIsPitchAfterHeading) {
  Matrix4 r = Camera::rotationFor(30.0f, 45.0f);
  Matrix4 pitchOnly = Camera::pitchQuaternion(30.0f).toMatrix();
  Matrix4 headingOnly = Camera::headingQuaternion(45.0f).toMatrix();
  expectMatrix(pitchOnly * headingOnly, r);
}

TEST(CameraTest, TranslationByNegatedPositionAfterRotation) {
  Camera camera;
  camera.setPosition(1, 2, 3);
  camera.step();
  Matrix4 view = camera.viewMatrix();
  EXPECT_EQ(-1.0f, view[12]);
  EXPECT_EQ(-2.0f, view[13]);
  EXPECT_EQ(-3.0f, view[14]);
  expectVec(Vec3f(1, 2, 3), camera.getPosition());

  camera.setHeading(90);
  camera.step();
  // The translation is applied first, so it turns with the camera: (-1,-2,-3) about y by 90.
  expectVec(camera.getRotation().transformDirection(Vec3f(-1, -2, -3)),
            Vec3f(camera.viewMatrix()[12], camera.viewMatrix()[13], camera.viewMatrix()[14]));
}

TEST(CameraTest, SpeedMovesAlongTheViewDirectionEachStep) {
  Camera camera;
  camera.setHeading(90);
  camera.setSpeed(2.0f);
  camera.step();
  camera.step();
  expectVec(Vec3f(4, 0, 0), camera.getPosition());
}

TEST(CameraTest, PrintsPositionAndAngles) {
  Camera camera;
  camera.setPosition(1.5f, -2, 0.25f);
  camera.setPitch(10);
  camera.setHeading(-45.5f);
  EXPECT_EQ("Camera : [1.5,-2,0.25], pitch = 10, heading = -45.5\n", stdoutOf([&] { camera.print(); }));
}
