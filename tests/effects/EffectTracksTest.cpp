// What the effects share without a GL context: their tracks (the track files match them by
// name and order), their clones, and the camera lens, which only writes engine state.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/TrackInterpolate.h"
#include "effects/CameraLensEffect.h"
#include "effects/CreditsEffect.h"
#include "effects/FluidEffect.h"
#include "effects/GlowEffect.h"
#include "effects/ParticleCreatures2Effect.h"
#include "effects/ParticleCreaturesEffect.h"
#include "effects/PostProcessEffect.h"
#include "effects/RadialBlurEffect.h"
#include "effects/UnderwaterEffect.h"
#include "support/TrackFixtures.h"

namespace {

TEST(EffectTracksTest, EachEffectMakesItsTracksInOrderAndClonesFresh) {
  const struct {
    Effect* prototype;
    std::vector<std::string> tracks;
  } orders[] = {
      {new PostProcessEffect(),
       {"brightness", "contrast", "negative", "fade", "fade_r", "fade_g", "fade_b", "noise_strength",
        "vignett_radius"}},
      {new GlowEffect(),
       {"pre_brightness", "pre_contrast", "post_brightness", "post_contrast", "blur_radius", "kernel_amp"}},
      {new RadialBlurEffect(), {"num_passes", "multiply"}},
      {new CreditsEffect(), {"index", "xpos", "ypos", "scale", "alpha"}},
      {new CameraLensEffect(), {"fov", "head", "pitch", "x", "y", "z"}},
      {new FluidEffect(), {"source", "time_step", "xpos", "ypos", "opacity"}},
      {new UnderwaterEffect(),
       {"wave_time", "ribbons_noise_offset", "num_ribs", "num_ribs_verts", "deb_size"}},
      {new ParticleCreaturesEffect(),
       {"scale", "particle_monster_anim", "pos_x", "pos_y", "pos_z", "particle_monster_rotate_x",
        "particle_monster_rotate_y", "particle_monster_rotate_z", "particle_monster_intensity",
        "particle_monster_rot_delay"}},
      {new ParticleCreatures2Effect(),
       {"intensity", "pos_x", "pos_y", "pos_z", "delay", "active1", "active2", "pos_x2", "pos_y2", "pos_z2",
        "rot_x", "rot_y", "rot_z"}},
  };
  for (const auto& order : orders) {
    std::unique_ptr<Effect> prototype(order.prototype);
    prototype->createTracks();
    std::vector<std::string> names;
    for (int i = 0; i < prototype->GetTrackCount(); ++i) names.push_back(prototype->GetTrackAt(i)->name);
    EXPECT_EQ(order.tracks, names) << typeid(*prototype).name();
    std::unique_ptr<Effect> instance(prototype->clone());
    EXPECT_EQ(typeid(*prototype), typeid(*instance)) << typeid(*prototype).name();
    EXPECT_EQ(0, instance->GetTrackCount()) << typeid(*prototype).name();
  }
}

TEST(EffectTracksTest, RadialBlurOpacityStepNeverDividesByNothing) {
  EXPECT_FLOAT_EQ(2.0f, RadialBlurEffect::alphaStepFor(0.5f));
  for (float bad :
       {0.0f, -0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity()})
    EXPECT_EQ(1.0f, RadialBlurEffect::alphaStepFor(bad)) << bad;
}

TEST(EffectTracksTest, CreditsPickAPictureOnlyForExactIndices) {
  CreditsEffect credits;
  for (Texture*& picture : credits.images)
    picture = reinterpret_cast<Texture*>(&picture);  // distinct, never dereferenced
  for (int i = 0; i < 6; ++i) EXPECT_EQ(credits.images[i], credits.imageFor(float(i)));
  for (float other : {2.5f, 6.0f, -1.0f, 0.999f, std::numeric_limits<float>::quiet_NaN()})
    EXPECT_EQ(nullptr, credits.imageFor(other)) << other;
}

// The lens writes the field of view and the camera before each frame; an empty track gives 0.
TEST(EffectTracksTest, CameraLensSetsTheCameraAndFieldOfViewFromTheTracks) {
  ScreenMetrics metrics;
  ScreenMetrics* previousMetrics = std::exchange(KVRDemosys::screenMetrics, &metrics);
  TrackData* previousTracks = std::exchange(KVRDemosys::tracks, new TrackData());
  CameraLensEffect lens;
  lens.createTracks();
  KVRDemosys::camera.setPitch(5.0f);
  KVRDemosys::camera.setPosition(9.0f, 9.0f, 9.0f);
  // At 0.5 s, halfway between rows 0 and 20.
  auto readAt500 = [&] {
    lens.preDraw(500);
    const Camera& c = KVRDemosys::camera;
    return std::vector<float>{metrics.fieldOfView, c.getHeading(),    c.getPitch(),
                              c.getPosition().x,   c.getPosition().y, c.getPosition().z};
  };
  TrackFixtures::SetKeys(lens.fov, {{0, 40.0f}});
  EXPECT_EQ((std::vector<float>{40, 0, 0, 0, 0, 0}), readAt500());
  TrackInterpolate* tracks[] = {lens.fov, lens.head, lens.pitch, lens.x, lens.y, lens.z};
  const float from[] = {40, 0, -10, 1, 2, -4}, to[] = {80, 90, 10, 3, 2, 0};
  for (int i = 0; i < 6; ++i) TrackFixtures::SetKeys(tracks[i], {{0, from[i]}, {20, to[i]}});
  EXPECT_EQ((std::vector<float>{60, 45, 0, 2, 2, -2}), readAt500());
  delete std::exchange(KVRDemosys::tracks, previousTracks);
  KVRDemosys::screenMetrics = previousMetrics;
  KVRDemosys::camera = Camera();
}

}  // namespace
