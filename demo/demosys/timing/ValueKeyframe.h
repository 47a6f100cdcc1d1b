#pragma once

#include <cstdint>

#include "demosys/timing/Keyframe.h"

// A keyframe of a parameter track: the value on its row and the curve towards the next one.
class ValueKeyframe : public Keyframe {
 public:
  // Curve codes as stored in the track files; any other code is drawn as Linear.
  enum Curve : uint32_t { Linear = 0, SineEaseOut = 1, CosineEaseIn = 2, Step = 3, Quadratic = 4 };

  ValueKeyframe(uint32_t row, float value, uint32_t interpolation = Linear)
      : Keyframe(row), value(value), interpolation(interpolation) {}

  float value;
  uint32_t interpolation;
};
