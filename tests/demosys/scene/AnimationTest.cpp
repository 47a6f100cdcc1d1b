#include <gtest/gtest.h>

#include <cmath>

#include "demosys/scene/Animation.h"
#include "support/CapturedStdout.h"

namespace {

// Keys as x, y, z, heading, pitch.
void addKeys(Animation& animation, std::initializer_list<AnimationKeyframe> keys) {
  for (const AnimationKeyframe& key : keys) animation.AddKeyframe(new AnimationKeyframe(key));
}

// What Evaluate(t) prints, and the result after it: x, y, z, heading, pitch.
std::pair<std::string, std::vector<float>> evaluate(Animation& animation, float t) {
  std::string output = stdoutOf([&] { animation.Evaluate(t); });
  const float* p = animation.GetPosition();
  return {output, {p[0], p[1], p[2], animation.GetHeading(), animation.GetPitch()}};
}

}  // namespace

// Both modes end at t = 1 on a key without a complaint: the last key, or the last inner key of
// the spline (which runs through the inner keys only). Catmull-Rom at a midpoint weighs the four
// keys -1/16, 9/16, 9/16, -1/16.
TEST(AnimationTest, LinearBlendsNeighboursAndTheSplineRunsThroughTheInnerKeys) {
  Animation linear, spline;
  addKeys(linear, {{0, 0, 0, 0, 0}, {10, 20, 30, 50, 40}, {20, 0, -30, 100, 0}});
  spline.SetMode(Animation::CatmullRom);
  addKeys(spline, {{0, 0, 0, 0, 0}, {1, 2, 3, 5, 4}, {3, 4, 5, 7, 6}, {4, 8, 6, 9, 6}});
  for (auto [animation, t, result] : {std::tuple{&linear, 0.75f, std::vector<float>{15, 10, 0, 75, 20}},
                                      {&linear, 1.0f, {20, 0, -30, 100, 0}},
                                      {&spline, 0.0f, {1, 2, 3, 5, 4}},
                                      {&spline, 0.5f, {2, 2.875f, 4.125f, 6.1875f, 5.25f}},
                                      {&spline, 1.0f, {3, 4, 5, 7, 6}}}) {
    EXPECT_EQ(std::make_pair(std::string(), result), evaluate(*animation, t))
        << (animation == &linear ? "linear " : "spline ") << t;
  }
}

// Too few keys for the mode, or a parameter outside [0, 1], print the segment they asked for and
// leave the previous result alone.
TEST(AnimationTest, OutOfRangeParametersAndTooFewKeysKeepThePreviousResult) {
  const uint32_t LINEAR = Animation::Linear, SPLINE = Animation::CatmullRom;
  for (auto [mode, keys, t, output] : {std::tuple{LINEAR, 0, 0.0f, "OUT OF RANGE 0\n"},
                                       {LINEAR, 2, -0.5f, "OUT OF RANGE -1\n"},
                                       {LINEAR, 2, 3.0f, "OUT OF RANGE 3\n"},
                                       {SPLINE, 2, 1.0f, "OUT OF RANGE [-2] -> -1\n"},
                                       {SPLINE, 3, 0.5f, "OUT OF RANGE [-1] -> 0\n"},
                                       {SPLINE, 5, 1.5f, "OUT OF RANGE [1] -> 3\n"}}) {
    Animation animation;
    animation.SetMode(mode);
    for (int k = 0; k < keys; ++k) addKeys(animation, {{1, 1, 1, 1, 1}});
    EXPECT_EQ(std::make_pair(std::string(output), std::vector<float>(5, 0.0f)), evaluate(animation, t))
        << "mode " << mode << ", " << keys << " keys, t = " << t;
    EXPECT_EQ(0u, evaluate(animation, std::nanf("")).first.rfind("OUT OF RANGE ", 0));
  }
}

// Its one-line description is checked with the animation pool's dump.
TEST(AnimationTest, DumpUsesTheFileFormat) {
  Animation animation;
  addKeys(animation, {{1, 2.5f, -3, 20, 10}, {4, 5, 6, 8, 7}});
  EXPECT_EQ("KVRANI1\nkeyframes 2\npos 1 2.5 -3\nrot 10 20\npos 4 5 6\nrot 7 8\n",
            stdoutOf([&] { animation.Dump(); }));
}
