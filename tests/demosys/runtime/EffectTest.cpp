#include <gtest/gtest.h>

#include <memory>

#include "demosys/runtime/Effect.h"
#include "demosys/timing/TrackInterpolate.h"
#include "support/TrackFixtures.h"

namespace {

class FadeEffect : public Effect {
 public:
  Effect* clone() override { return new FadeEffect(); }
  void createTracks() override {
    NewTrack("alpha", alpha);
    NewTrack("beta", beta);
    NewTrack("gamma", gamma);
  }
  TrackInterpolate* alpha = nullptr;
  TrackInterpolate* beta = nullptr;
  TrackInterpolate* gamma = nullptr;
  int speed = 1;
};

TEST(EffectTest, NewTrackFillsTheSlotsInCallOrder) {
  FadeEffect effect;
  EXPECT_EQ(0, effect.GetTrackCount());
  effect.createTracks();
  ASSERT_EQ(3, effect.GetTrackCount());
  EXPECT_EQ(effect.alpha, effect.GetTrackAt(0));
  EXPECT_EQ(effect.beta, effect.GetTrackAt(1));
  EXPECT_EQ(effect.gamma, effect.GetTrackAt(2));
  EXPECT_EQ("gamma", effect.gamma->name);
  EXPECT_EQ(0.0f, effect.beta->GetValue(12345, 20));
}

TEST(EffectTest, CloneIsDefaultConstructedNotACopy) {
  FadeEffect prototype;
  prototype.speed = 9;
  prototype.tracked = true;
  prototype.createTracks();
  std::unique_ptr<Effect> instance(prototype.clone());
  FadeEffect* fade = dynamic_cast<FadeEffect*>(instance.get());
  ASSERT_NE(nullptr, fade);
  EXPECT_EQ(1, fade->speed);
  EXPECT_EQ(0, fade->GetTrackCount());
  EXPECT_EQ(nullptr, fade->alpha);
  std::unique_ptr<Effect> plain(Effect().clone());
  EXPECT_EQ(typeid(Effect), typeid(*plain));
}

TEST(EffectTest, FallbackDrawReportsAndOtherPhasesAreSilent) {
  Effect effect;
  testing::internal::CaptureStdout();
  effect.preDraw(0);
  effect.draw(0, 16, nullptr);
  effect.postDraw(0);
  effect.init();
  EXPECT_EQ("Fallback draw method! This should never happen!\n", testing::internal::GetCapturedStdout());
}

}  // namespace
