#pragma once

#include <cstdint>

#include "demosys/core/TimeCode.h"

class Animation;

// Plays a camera-path animation between a start and an end demo time by moving the engine
// camera along it.
class AnimationPlayer {
 public:
  explicit AnimationPlayer(Animation* animation = nullptr) : animation(animation) {}

  void SetAnimation(Animation* value) { animation = value; }
  void SetStart(const TimeCode& time) { start = time; }
  void SetStart(uint32_t milliseconds) { start = TimeCode::fromMilliseconds(milliseconds); }
  void SetEnd(const TimeCode& time) { end = time; }
  void SetEnd(uint32_t milliseconds) { end = TimeCode::fromMilliseconds(milliseconds); }

  // Where `time` (demo milliseconds) lies between start and end, from 0 to 1; false outside.
  bool NormalizedTime(uint32_t time, float& t) const;

  // Nothing happens before the start or after the end.
  void PlayAt(uint32_t time);
  // t is clamped to [0, 1].
  void PlayNormalized(float t);

 private:
  void moveCamera(float t);

  Animation* animation;  // not owned
  TimeCode start;
  TimeCode end;
};
