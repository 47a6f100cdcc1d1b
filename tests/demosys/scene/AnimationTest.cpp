#include <gtest/gtest.h>

#include <cmath>

#include "demosys/scene/Animation.h"
#include "support/CapturedStdout.h"

namespace {

void addKey(Animation& animation, float x, float y, float z, float pitch, float heading) {
  AnimationKeyframe* key = new AnimationKeyframe();
  key->x = x, key->y = y, key->z = z, key->pitch = pitch, key->heading = heading;
  animation.AddKeyframe(key);
}

std::string evaluateOutput(Animation& animation, float t) {
  return stdoutOf([&] { animation.Evaluate(t); });
}

void expectResult(const Animation& animation, float x, float y, float z, float pitch, float heading) {
  EXPECT_FLOAT_EQ(x, animation.GetPosition()[0]);
  EXPECT_FLOAT_EQ(y, animation.GetPosition()[1]);
  EXPECT_FLOAT_EQ(z, animation.GetPosition()[2]);
  EXPECT_FLOAT_EQ(pitch, animation.GetPitch());
  EXPECT_FLOAT_EQ(heading, animation.GetHeading());
}

}  // namespace

TEST(AnimationTest, LinearModeBlendsNeighbouringKeysAndStopsAtTheEnd) {
  Animation animation;
  addKey(animation, 0, 0, 0, 0, 0);
  addKey(animation, 10, 20, 30, 40, 50);
  addKey(animation, 20, 0, -30, 0, 100);
  EXPECT_EQ("", evaluateOutput(animation, 0.25f));
  expectResult(animation, 5, 10, 15, 20, 25);
  EXPECT_EQ("", evaluateOutput(animation, 0.75f));
  expectResult(animation, 15, 10, 0, 20, 75);
  EXPECT_EQ("", evaluateOutput(animation, 1.0f));
  expectResult(animation, 20, 0, -30, 0, 100);
}

TEST(AnimationTest, SplineModeRunsThroughTheInnerKeys) {
  Animation animation;
  animation.SetMode(Animation::CatmullRom);
  addKey(animation, 0, 0, 0, 0, 0);
  addKey(animation, 1, 2, 3, 4, 5);
  addKey(animation, 3, 4, 5, 6, 7);
  addKey(animation, 4, 8, 6, 6, 9);
  EXPECT_EQ("", evaluateOutput(animation, 0.0f));
  expectResult(animation, 1, 2, 3, 4, 5);
  // At the midpoint the weights are -1/16, 9/16, 9/16, -1/16.
  auto mid = [](float p0, float p1, float p2, float p3) { return (-p0 + 9 * p1 + 9 * p2 - p3) / 16.0f; };
  EXPECT_EQ("", evaluateOutput(animation, 0.5f));
  expectResult(animation, mid(0, 1, 3, 4), mid(0, 2, 4, 8), mid(0, 3, 5, 6), mid(0, 4, 6, 6),
               mid(0, 5, 7, 9));
  EXPECT_EQ("", evaluateOutput(animation, 1.0f));
  expectResult(animation, 3, 4, 5, 6, 7);
}

TEST(AnimationTest, TooFewKeysLeaveThePreviousResultEverywhere) {
  struct Case {
    uint32_t mode;
    int keys;
  } cases[] = {{0, 0}, {0, 1}, {1, 0}, {1, 2}, {1, 3}};
  for (const Case& c : cases) {
    Animation animation;
    animation.SetMode(c.mode);
    for (int k = 0; k < c.keys; ++k) addKey(animation, 1, 1, 1, 1, 1);
    for (float t : {0.0f, 0.3f, 1.0f}) {
      std::string line = evaluateOutput(animation, t);
      EXPECT_EQ(0u, line.rfind(c.mode == 0 ? "OUT OF RANGE " : "OUT OF RANGE [", 0)) << line;
      expectResult(animation, 0, 0, 0, 0, 0);
    }
  }
  Animation single;
  addKey(single, 1, 1, 1, 1, 1);
  EXPECT_EQ("OUT OF RANGE 0\n", evaluateOutput(single, 0.5f));
  Animation three;
  three.SetMode(Animation::CatmullRom);
  for (int k = 0; k < 3; ++k) addKey(three, 1, 1, 1, 1, 1);
  EXPECT_EQ("OUT OF RANGE [-1] -> 0\n", evaluateOutput(three, 0.5f));
}

TEST(AnimationTest, ParametersOutsideTheUnitRangeAreOutOfRange) {
  Animation animation;
  addKey(animation, 0, 0, 0, 0, 0);
  addKey(animation, 10, 0, 0, 0, 0);
  EXPECT_EQ("OUT OF RANGE -1\n", evaluateOutput(animation, -0.5f));
  EXPECT_EQ("OUT OF RANGE 3\n", evaluateOutput(animation, 3.0f));
  EXPECT_EQ(0u, evaluateOutput(animation, std::nanf("")).rfind("OUT OF RANGE ", 0));
  expectResult(animation, 0, 0, 0, 0, 0);
}

TEST(AnimationTest, DescribeAndDumpUseTheFileFormat) {
  Animation animation;
  addKey(animation, 1, 2.5f, -3, 10, 20);
  addKey(animation, 4, 5, 6, 7, 8);
  EXPECT_EQ(2u, animation.GetKeyCount());
  EXPECT_EQ("Animation { keyframes = 2 }\n", animation.Describe());
  EXPECT_EQ("KVRANI1\nkeyframes 2\npos 1 2.5 -3\nrot 10 20\npos 4 5 6\nrot 7 8\n",
            stdoutOf([&] { animation.Dump(); }));
}
