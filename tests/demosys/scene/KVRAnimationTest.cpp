#include <gtest/gtest.h>

#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRObject.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(0.0f, (expected - actual).length(), 1e-4f) << actual.x << ", " << actual.y << ", " << actual.z;
}

}  // namespace

// Keys in milliseconds, times in seconds; the ends hold beyond the keys, a later key replaces.
TEST(KVRAnimationTest, LinearValuesBetweenAndBeyondTheKeys) {
  KVRAnimation animation;
  animation.setMode(KVRAnimation::Linear);
  animation.addPositionKey(0, 0.0f, 0.0f, 0.0f);
  animation.addPositionKey(1000, 10.0f, -10.0f, 20.0f);
  for (auto [seconds, x] : {std::pair{0.25f, 2.5f}, {2.0f, 10.0f}, {-0.2f, 0.0f}, {0.0009f, 0.0f}})
    expectVec(Vec3f(x, -x, 2 * x), animation.evaluatePosition(seconds));
  animation.addPositionKey(1000, 4.0f, 0.0f, 0.0f);
  animation.addPositionKey(3000, 8.0f, 0.0f, 0.0f);
  animation.finish();
  EXPECT_EQ(std::pair(3000u, 3000u), std::pair(animation.getEndTime(), animation.getLength()));
  EXPECT_NEAR(6.0f, animation.evaluatePosition(2.0f).x, 1e-6f);
  KVRAnimation empty;
  empty.finish();
  EXPECT_EQ(0u, empty.getEndTime());
  expectVec(Vec3f(), empty.evaluatePosition(1.0f));
}

// At s = 0.5 the weights are -1/16, 9/16, 9/16, -1/16; at the ends the missing neighbour is the end key.
TEST(KVRAnimationTest, SplinePassesThroughTheKeysAndUsesTheNeighbours) {
  KVRAnimation animation;  // Catmull-Rom unless told otherwise
  const float values[] = {0.0f, 0.0f, 10.0f, 10.0f};
  for (int i = 0; i < 4; ++i) animation.addRotationKey(i * 1000, values[i], 0.0f, 0.0f);
  // From 0 to 10 between 0 and 10: the straight midpoint; before the first: 0, 0, 0, 10;
  // after the last: 0, 10, 10, 10 (an overshoot). s = 0.25: 0.5 * 10 * (-3/64 + 1/2 + 1/64 - 1/16).
  for (auto [seconds, x] :
       {std::pair{2.0f, 10.0f}, {1.5f, 5.0f}, {0.5f, -0.625f}, {2.5f, 10.625f}, {1.25f, 2.03125f}})
    expectVec(Vec3f(x, 0, 0), animation.evaluateRotation(seconds));
}

// The keyed position replaces the base translation; rotations apply x after y after z, then the
// base rotation; without position keys the base translation stays, without an animation the spin
// turns the object, and an own time source overrides the scene time.
TEST(KVRObjectMatrixTest, PositionThenRotationsXYZThenBaseAndSpinOrOwnClock) {
  KVRObject object(1, 0, "box");
  Matrix4 base = KVRObject::rotation(90.0f, Vec3f(0, 0, 1));
  base.m[12] = 50.0f;
  object.setBaseMatrix(base);
  KVRAnimation animation;
  animation.setMode(KVRAnimation::Linear);
  animation.addPositionKey(0, 1.0f, 2.0f, 3.0f);
  animation.addRotationKey(0, 90.0f, 0.0f, 0.0f);
  object.setAnimation(&animation);
  // (1,0,0): the base turns it to (0,1,0), 90 degrees about x to (0,0,1), then the position.
  expectVec(Vec3f(1, 2, 4), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));
  // (0,0,1) goes to (-1,0,0) about y by -90, which x leaves alone.
  animation.addRotationKey(0, 90.0f, 90.0f, 0.0f);
  expectVec(Vec3f(0, 2, 3), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(0, 0, 1)));
  // z turns by -z: the base's (0,1,0) goes back to (1,0,0).
  animation.addRotationKey(0, 0.0f, 0.0f, 90.0f);
  expectVec(Vec3f(2, 2, 3), object.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));

  KVRObject wheel(2, 0, "wheel");
  wheel.setBaseMatrix(Matrix4::translation(5.0f, 6.0f, 7.0f));
  wheel.setSpin(Vec3f(0, 0, 1), 45.0f);
  expectVec(Vec3f(5, 7, 7), wheel.updateAnimatedMatrix(2.0f).transformPoint(Vec3f(1, 0, 0)));
  KVRAnimation turn;  // no position keys: the base translation stays
  turn.setMode(KVRAnimation::Linear);
  turn.addRotationKey(0, 0.0f, 0.0f, 0.0f);
  turn.addRotationKey(1000, 0.0f, 0.0f, 180.0f);
  KVRTimeSource clock;
  clock.time = 1.0f;  // the wheel's own time, not the scene's 0
  wheel.setAnimation(&turn);
  wheel.setTimeSource(&clock);
  expectVec(Vec3f(4, 6, 7), wheel.updateAnimatedMatrix(0.0f).transformPoint(Vec3f(1, 0, 0)));
}
