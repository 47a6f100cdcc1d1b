#include <gtest/gtest.h>

#include "demosys/scene/AnimationPlayer.h"

// Times outside [start, end] are not played; an empty span is its start, a reversed one nothing.
TEST(AnimationPlayerTest, MapsDemoTimeOntoThePath) {
  struct Case {
    uint32_t start, end, time;
    bool plays;
    float t;
  } cases[] = {{1000, 3000, 999, false, -1},    {1000, 3000, 3001, false, -1}, {1000, 3000, 1000, true, 0},
               {1000, 3000, 1500, true, 0.25f}, {1000, 3000, 3000, true, 1},   {2000, 2000, 2000, true, 0},
               {2000, 1000, 1500, false, -1},   {2000, 1000, 2000, false, -1}};
  for (const Case& c : cases) {
    AnimationPlayer player;
    player.SetStart(c.start);
    player.SetEnd(c.end);
    float t = -1.0f;
    EXPECT_EQ(c.plays, player.NormalizedTime(c.time, t)) << c.start << ".." << c.end << " at " << c.time;
    EXPECT_FLOAT_EQ(c.t, t) << c.start << ".." << c.end << " at " << c.time;
  }
}

#if __has_include("demosys/gl/Camera.h")
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"
#include "demosys/scene/Animation.h"

// Playing puts the engine camera on the path; outside the span it stays, and t is clamped.
TEST(AnimationPlayerTest, PlayingMovesTheEngineCameraAlongThePath) {
  Animation animation;
  AnimationKeyframe* end = new AnimationKeyframe();
  end->x = 10.0f;
  end->pitch = 20.0f;
  animation.AddKeyframe(new AnimationKeyframe());
  animation.AddKeyframe(end);
  AnimationPlayer player(&animation);
  player.SetStart(1000);
  player.SetEnd(2000);
  player.PlayAt(1500);
  EXPECT_EQ(5.0f, KVRDemosys::camera.getPosition().x);
  player.PlayAt(2500);
  EXPECT_EQ(10.0f, KVRDemosys::camera.getPitch());
  player.PlayNormalized(-3.0f);
  EXPECT_EQ(0.0f, KVRDemosys::camera.getPosition().x);
  player.PlayNormalized(0.25f);
  EXPECT_EQ(2.5f, KVRDemosys::camera.getPosition().x);
  KVRDemosys::camera = Camera();
}
#endif
