#include <gtest/gtest.h>

#include <memory>

#include "demosys/runtime/Effect.h"
#include "demosys/timing/TrackInterpolate.h"
#include "support/CapturedStdout.h"

namespace {

class FadeEffect : public Effect {
 public:
  Effect* clone() override { return new FadeEffect(); }
  void createTracks() override { NewTrack("alpha", alpha), NewTrack("beta", beta); }
  TrackInterpolate *alpha = nullptr, *beta = nullptr;
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
  std::unique_ptr<Effect> instance(prototype.clone());
  FadeEffect* fade = dynamic_cast<FadeEffect*>(instance.get());
  ASSERT_NE(nullptr, fade);
  EXPECT_EQ(1, fade->speed);
  EXPECT_EQ(0, fade->GetTrackCount());
  EXPECT_EQ(nullptr, fade->alpha);
  // The base effect's draw reports itself; its other phases are silent.
  std::unique_ptr<Effect> plain(Effect().clone());
  EXPECT_EQ("Fallback draw method! This should never happen!\n", stdoutOf([&] {
              plain->preDraw(0), plain->draw(0, 16, nullptr), plain->postDraw(0), plain->init();
            }));
}

}  // namespace
