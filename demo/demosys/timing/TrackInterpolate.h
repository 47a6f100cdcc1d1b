#pragma once

#include <string>

#include "demosys/timing/Track.h"
#include "demosys/timing/TrackEvaluationCache.h"
#include "demosys/timing/ValueKeyframe.h"

// A named float parameter of an effect over time.
class TrackInterpolate : public Track {
 public:
  explicit TrackInterpolate(const std::string& name) : name(name) {}

  void GetKeyframes(uint32_t fromRow, uint32_t toRow, std::vector<Keyframe*>& out) const override;

  void InsertKeyframe(ValueKeyframe* keyframe) { Insert(keyframe); }
  // The value at timeMs on a track of `rate` rows per second: 0 before the first keyframe,
  // the last value after the last one, the curve of the earlier keyframe in between. Not for
  // two threads at once: the search remembers where it found the last time.
  float GetValue(uint32_t timeMs, uint32_t rate) const;

  const std::string& GetName() const { return name; }

  std::string name;

 private:
  TrackEvaluationCache& currentCache() const;

  mutable TrackEvaluationCache cache;
};
