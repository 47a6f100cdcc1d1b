#include <gtest/gtest.h>

#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRObject.h"

namespace {

KVRAnimation linearRamp() {
  KVRAnimation animation;
  animation.setMode(KVRAnimation::Linear);
  animation.addPositionKey(0, 0.0f, 0.0f, 0.0f);
  animation.addPositionKey(1000, 10.0f, -10.0f, 20.0f);
  return animation;
}

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(expected.x, actual.x, 1e-4f);
  EXPECT_NEAR(expected.y, actual.y, 1e-4f);
  EXPECT_NEAR(expected.z, actual.z, 1e-4f);
}

}  // namespace

// Keys are in milliseconds, times in seconds; before the first and after the last key the ends hold.
TEST(KVRAnimationTest, LinearValuesBetweenAndBeyondTheKeys) {
  KVRAnimation animation = linearRamp();
  for (auto [seconds, x] : {std::pair{0.5f, 5.0f},
                            {0.25f, 2.5f},
                            {2.0f, 10.0f},
                            {-0.2f, 0.0f},
                            {0.0f, 0.0f},
                            {1.0f, 10.0f},
                            {0.0009f, 0.0f}}) {
    SCOPED_TRACE(seconds);
    expectVec(Vec3f(x, -x, 2 * x), animation.evaluatePosition(seconds));
  }
}

TEST(KVRAnimationTest, SplinePassesThroughTheKeysAndUsesTheNeighbours) {
  KVRAnimation animation;
  EXPECT_EQ(uint32_t(KVRAnimation::CatmullRom), animation.getMode());
  const float values[] = {0.0f, 0.0f, 10.0f, 10.0f};
  for (int i = 0; i < 4; ++i) animation.addRotationKey(i * 1000, values[i], 0.0f, 0.0f);
  struct Case {
    float seconds, x;
  } cases[] = {
      // Weights at s = 0.5: -1/16, 9/16, 9/16, -1/16 (x 0.5: -0.125, 1.125, 1.125, -0.125).
      {2.0f, 10.0f},
      {1.5f, 5.0f},
      // s = 0.25 from 0 to 10, p0 = 0, p3 = 10: 0.5 * (10 * (-3/64 + 4/16 + 1/4) + 10 * (1/64 - 1/16)).
      {1.25f, 2.03125f},
      // No key before the first segment: p0 is the first key itself (0, 0, 0, 10): 0.5 * 10 * -0.125.
      {0.5f, -0.625f},
      // No key after the last: p3 is the last key (0, 10, 10, 10), and the curve overshoots.
      {2.5f, 10.625f},
  };
  for (const Case& c : cases) expectVec(Vec3f(c.x, 0, 0), animation.evaluateRotation(c.seconds));
}

TEST(KVRAnimationTest, KeysReplaceAndFinishSetsTheEnd) {
  KVRAnimation animation = linearRamp();
  animation.addPositionKey(1000, 4.0f, 0.0f, 0.0f);
  animation.addPositionKey(3000, 8.0f, 0.0f, 0.0f);
  animation.finish();
  EXPECT_EQ(3000u, animation.getEndTime());
  EXPECT_EQ(3000u, animation.getLength());
  EXPECT_EQ(0u, animation.getStartTime());
  EXPECT_NEAR(4.0f, animation.evaluatePosition(1.0f).x, 1e-6f);
  EXPECT_NEAR(6.0f, animation.evaluatePosition(2.0f).x, 1e-6f);

  KVRAnimation empty;
  empty.finish();
  EXPECT_FALSE(empty.hasPositionKeys() || empty.hasRotationKeys());
  EXPECT_EQ(0u, empty.getEndTime());
  expectVec(Vec3f(), empty.evaluatePosition(1.0f));
  expectVec(Vec3f(), empty.evaluateRotation(-1.0f));
}

TEST(KVRObjectMatrixTest, TranslationThenRotationsXYZThenBaseRotation) {
  KVRObject object(1, 0, "box");
  Matrix4 base = KVRObject::rotation(90.0f, Vec3f(0, 0, 1));
  base.m[12] = 50.0f;  // the base translation is replaced by the keyed position
  object.setBaseMatrix(base);
  KVRAnimation animation;
  animation.setMode(KVRAnimation::Linear);
  animation.addPositionKey(0, 1.0f, 2.0f, 3.0f);
  animation.addRotationKey(0, 90.0f, 0.0f, 0.0f);
  object.setAnimation(&animation);
  // (1,0,0): base turns it to (0,1,0), then 90 degrees about x to (0,0,1), then the position.
  expectVec(Vec3f(1, 2, 4), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));
  // Rx applies after Ry: (0,0,1) goes to (-1,0,0) about y by -90, which x leaves alone.
  animation.addRotationKey(0, 90.0f, 90.0f, 0.0f);
  expectVec(Vec3f(0, 2, 3), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(0, 0, 1)));
  // z turns by -z: the base's (0,1,0) goes back to (1,0,0).
  animation.addRotationKey(0, 0.0f, 0.0f, 90.0f);
  expectVec(Vec3f(2, 2, 3), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));
}

// Without position keys the base translation stays; without an animation the spin turns the
// object; a time source of its own overrides the scene time.
TEST(KVRObjectMatrixTest, PivotStaysWithoutPositionKeysAndSpinWithoutAnimation) {
  KVRObject object(1, 0, "wheel");
  object.setBaseMatrix(Matrix4::translation(5.0f, 6.0f, 7.0f));
  object.setSpin(Vec3f(0, 0, 1), 45.0f);
  expectVec(Vec3f(5, 7, 7), object.updateAnimatedMatrix(2.0f).transformPoint(Vec3f(1, 0, 0)));
  KVRAnimation animation;
  animation.addRotationKey(0, 0.0f, 0.0f, 180.0f);
  object.setAnimation(&animation);
  expectVec(Vec3f(4, 6, 7), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));
  KVRTimeSource clock;
  clock.time = 0.5f;
  KVRAnimation moving = linearRamp();
  object.setAnimation(&moving);
  object.setTimeSource(&clock);
  expectVec(Vec3f(5, -5, 10), object.updateAnimatedMatrix(99.0f).transformPoint(Vec3f(0, 0, 0)));
}
