#include "demosys/scene/AnimationPlayer.h"

bool AnimationPlayer::NormalizedTime(uint32_t time, float& t) const {
  if (time < start.total || time > end.total) return false;
  // A zero-length span holds a single moment: the start of the path, not a division by zero.
  uint32_t span = end.total - start.total;
  t = span == 0 ? 0.0f : static_cast<float>(double(time - start.total) / double(span));
  return true;
}

// The camera driving needs the engine camera, which lives in its own file pair; without it
// this part is left out of the build and the player can only map times.
#if __has_include("demosys/gl/Camera.h")
#include <algorithm>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Camera.h"
#include "demosys/scene/Animation.h"

void AnimationPlayer::PlayAt(uint32_t time) {
  float t;
  if (NormalizedTime(time, t)) moveCamera(t);
}

void AnimationPlayer::PlayNormalized(float t) { moveCamera(std::clamp(t, 0.0f, 1.0f)); }

void AnimationPlayer::moveCamera(float t) {
  if (!animation) return;
  animation->Evaluate(t);
  const float* position = animation->GetPosition();
  KVRDemosys::camera.setPosition(position[0], position[1], position[2]);
  KVRDemosys::camera.setPitch(animation->GetPitch());
  KVRDemosys::camera.setHeading(animation->GetHeading());
  KVRDemosys::camera.update();
}
#endif
