#include <gtest/gtest.h>

#include <cmath>

#include "demosys/scene/Animation.h"
#include "support/CapturedStdout.h"

namespace {

struct Key {
  float x, y, z, pitch, heading;
};

void addKeys(Animation& animation, std::initializer_list<Key> keys) {
  for (const Key& k : keys) {
    AnimationKeyframe* key = new AnimationKeyframe();
    key->x = k.x, key->y = k.y, key->z = k.z, key->pitch = k.pitch, key->heading = k.heading;
    animation.AddKeyframe(key);
  }
}

// What Evaluate(t) prints, and the result after it: x, y, z, pitch, heading.
std::pair<std::string, std::vector<float>> evaluate(Animation& animation, float t) {
  std::string output = stdoutOf([&] { animation.Evaluate(t); });
  const float* p = animation.GetPosition();
  return {output, {p[0], p[1], p[2], animation.GetPitch(), animation.GetHeading()}};
}

}  // namespace

// Both modes end at t = 1 on a key without a complaint: the last key, or the last inner key of
// the spline (which runs through the inner keys only).
TEST(AnimationTest, LinearBlendsNeighboursAndTheSplineRunsThroughTheInnerKeys) {
  Animation linear, spline;
  addKeys(linear, {{0, 0, 0, 0, 0}, {10, 20, 30, 40, 50}, {20, 0, -30, 0, 100}});
  spline.SetMode(Animation::CatmullRom);
  addKeys(spline, {{0, 0, 0, 0, 0}, {1, 2, 3, 4, 5}, {3, 4, 5, 6, 7}, {4, 8, 6, 6, 9}});
  struct Case {
    Animation* animation;
    float t;
    std::vector<float> result;
  } cases[] = {{&linear, 0.25f, {5, 10, 15, 20, 25}},
               {&linear, 0.75f, {15, 10, 0, 20, 75}},
               {&linear, 1.0f, {20, 0, -30, 0, 100}},
               {&spline, 0.0f, {1, 2, 3, 4, 5}},
               // Catmull-Rom at a midpoint weighs the four keys -1/16, 9/16, 9/16, -1/16.
               {&spline, 0.5f, {2, 2.875f, 4.125f, 5.25f, 6.1875f}},
               {&spline, 1.0f, {3, 4, 5, 6, 7}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.animation == &linear ? "linear " : "spline ") << c.t);
    EXPECT_EQ(std::make_pair(std::string(), c.result), evaluate(*c.animation, c.t));
  }
}

// Too few keys for the mode, or a parameter outside [0, 1], print the segment they asked for and
// leave the previous result alone.
TEST(AnimationTest, OutOfRangeParametersAndTooFewKeysKeepThePreviousResult) {
  struct Case {
    uint32_t mode;
    int keys;
    float t;
    const char* output;
  } cases[] = {{Animation::Linear, 0, 0.0f, "OUT OF RANGE 0\n"},
               {Animation::Linear, 0, 1.0f, "OUT OF RANGE -1\n"},
               {Animation::Linear, 1, 0.5f, "OUT OF RANGE 0\n"},
               {Animation::Linear, 1, 1.0f, "OUT OF RANGE 0\n"},
               {Animation::Linear, 2, -0.5f, "OUT OF RANGE -1\n"},
               {Animation::Linear, 2, 3.0f, "OUT OF RANGE 3\n"},
               {Animation::CatmullRom, 0, 0.3f, "OUT OF RANGE [-4] -> -1\n"},
               {Animation::CatmullRom, 2, 1.0f, "OUT OF RANGE [-2] -> -1\n"},
               {Animation::CatmullRom, 3, 0.5f, "OUT OF RANGE [-1] -> 0\n"},
               {Animation::CatmullRom, 3, 1.0f, "OUT OF RANGE [-1] -> 0\n"},
               {Animation::CatmullRom, 5, 1.5f, "OUT OF RANGE [1] -> 3\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.keys << " keys, t = " << c.t);
    Animation animation;
    animation.SetMode(c.mode);
    for (int k = 0; k < c.keys; ++k) addKeys(animation, {{1, 1, 1, 1, 1}});
    EXPECT_EQ(std::make_pair(std::string(c.output), std::vector<float>(5, 0.0f)), evaluate(animation, c.t));
    EXPECT_EQ(0u, evaluate(animation, std::nanf("")).first.rfind("OUT OF RANGE ", 0));
  }
}

TEST(AnimationTest, DescribeAndDumpUseTheFileFormat) {
  Animation animation;
  addKeys(animation, {{1, 2.5f, -3, 10, 20}, {4, 5, 6, 7, 8}});
  EXPECT_EQ("Animation { keyframes = 2 }\n", animation.Describe());
  EXPECT_EQ("KVRANI1\nkeyframes 2\npos 1 2.5 -3\nrot 10 20\npos 4 5 6\nrot 7 8\n",
            stdoutOf([&] { animation.Dump(); }));
}
