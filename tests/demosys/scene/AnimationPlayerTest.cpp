#include <gtest/gtest.h>

#include "demosys/scene/AnimationPlayer.h"

TEST(AnimationPlayerTest, MapsDemoTimeOntoThePath) {
  AnimationPlayer player;
  player.SetStart(TimeCode::parse("00:01:000"));
  player.SetEnd(3000);
  float t = -1.0f;
  EXPECT_FALSE(player.NormalizedTime(999, t));
  EXPECT_FALSE(player.NormalizedTime(3001, t));
  ASSERT_TRUE(player.NormalizedTime(1000, t));
  EXPECT_FLOAT_EQ(0.0f, t);
  ASSERT_TRUE(player.NormalizedTime(1500, t));
  EXPECT_FLOAT_EQ(0.25f, t);
  ASSERT_TRUE(player.NormalizedTime(3000, t));
  EXPECT_FLOAT_EQ(1.0f, t);
}

TEST(AnimationPlayerTest, EmptyOrReversedSpansAreSafe) {
  AnimationPlayer player;
  player.SetStart(2000);
  player.SetEnd(2000);
  float t = -1.0f;
  ASSERT_TRUE(player.NormalizedTime(2000, t));
  EXPECT_FLOAT_EQ(0.0f, t);
  player.SetEnd(1000);
  EXPECT_FALSE(player.NormalizedTime(1500, t));
  EXPECT_FALSE(player.NormalizedTime(2000, t));
}

#if __has_include("demosys/gl/Camera.h")
#include "demosys/scene/Animation.h"

TEST(AnimationPlayerTest, PlayingEvaluatesTheAnimation) {
  Animation animation;
  for (float x : {0.0f, 10.0f}) {
    AnimationKeyframe* key = new AnimationKeyframe();
    key->x = x;
    key->pitch = x * 2;
    animation.AddKeyframe(key);
  }
  AnimationPlayer player(&animation);
  player.SetStart(1000);
  player.SetEnd(2000);
  player.PlayAt(1500);
  EXPECT_FLOAT_EQ(5.0f, animation.GetPosition()[0]);
  player.PlayAt(2500);
  EXPECT_FLOAT_EQ(5.0f, animation.GetPosition()[0]);
  player.PlayNormalized(-3.0f);
  EXPECT_FLOAT_EQ(0.0f, animation.GetPosition()[0]);
  player.PlayNormalized(0.25f);
  EXPECT_FLOAT_EQ(2.5f, animation.GetPosition()[0]);
  EXPECT_FLOAT_EQ(5.0f, animation.GetPitch());
}
#endif
