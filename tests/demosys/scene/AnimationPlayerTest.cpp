#include <gtest/gtest.h>

#include <functional>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"
#include "demosys/scene/Animation.h"
#include "demosys/scene/AnimationPlayer.h"

// Times outside [start, end] are not played (-1 below); an empty span is its start, a reversed one nothing.
TEST(AnimationPlayerTest, MapsDemoTimeOntoThePath) {
  auto mapped = [](uint32_t start, uint32_t end, uint32_t time) {
    AnimationPlayer player;
    player.SetStart(start);
    player.SetEnd(end);
    float t = -1.0f;
    return player.NormalizedTime(time, t) ? t : -1.0f;
  };
  EXPECT_EQ((std::vector<float>{-1, -1, 0, 0.25f, 1, 0, -1, -1}),
            (std::vector<float>{mapped(1000, 3000, 999), mapped(1000, 3000, 3001), mapped(1000, 3000, 1000),
                                mapped(1000, 3000, 1500), mapped(1000, 3000, 3000), mapped(2000, 2000, 2000),
                                mapped(2000, 1000, 1500), mapped(2000, 1000, 2000)}));
}

// Playing puts the engine camera on the path (x and pitch after each call below); outside the
// span it stays, and t is clamped.
TEST(AnimationPlayerTest, PlayingMovesTheEngineCameraAlongThePath) {
  Animation animation;
  animation.AddKeyframe(new AnimationKeyframe());
  animation.AddKeyframe(new AnimationKeyframe{10, 0, 0, 0, 20});  // x 10, pitch 20
  AnimationPlayer player(&animation);
  player.SetStart(1000);
  player.SetEnd(2000);
  std::vector<float> seen;
  for (const std::function<void()>& play : std::initializer_list<std::function<void()>>{
           [&] { player.PlayAt(1500); }, [&] { player.PlayAt(2500); }, [&] { player.PlayNormalized(-3.0f); },
           [&] { player.PlayNormalized(0.25f); }}) {
    play();
    seen.insert(seen.end(), {KVRDemosys::camera.getPosition().x, KVRDemosys::camera.getPitch()});
  }
  EXPECT_EQ((std::vector<float>{5, 10, 5, 10, 0, 0, 2.5f, 5}), seen);
  KVRDemosys::camera = Camera();
}
