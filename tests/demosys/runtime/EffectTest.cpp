#include <gtest/gtest.h>

#include <memory>

#include "demosys/runtime/Effect.h"
#include "demosys/timing/TrackInterpolate.h"

namespace {

class FadeEffect : public Effect {
 public:
  Effect* clone() override { return new FadeEffect(); }
  void createTracks() override {
    NewTrack("alpha", alpha);
    NewTrack("beta", beta);
  }
  TrackInterpolate* alpha = nullptr;
  TrackInterpolate* beta = nullptr;
  int speed = 1;
};

// Tracks fill their slots in call order; a clone is default constructed, not a copy.
TEST(EffectTest, NewTrackFillsTheSlotsAndCloneStartsAfresh) {
  FadeEffect prototype;
  prototype.speed = 9;
  prototype.createTracks();
  ASSERT_EQ(2, prototype.GetTrackCount());
  EXPECT_EQ(prototype.beta, prototype.GetTrackAt(1));
  EXPECT_EQ("beta", prototype.beta->name);
  EXPECT_EQ(0.0f, prototype.beta->GetValue(12345, 20));
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
