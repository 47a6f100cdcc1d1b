#pragma once

#include <cstdint>

#include "demosys/timing/StartStopKeyframe.h"
#include "demosys/timing/Track.h"

class FBO;

// When an effect instance runs and where it draws: start and stop keyframes alternate, and
// the instance is active on every row from a start to the following stop, both included.
class TrackStartStop : public Track {
 public:
  explicit TrackStartStop(int32_t priority = 0) : priority(priority) {}

  // Intervals cut by the window come back whole.
  void GetKeyframes(uint32_t fromRow, uint32_t toRow, std::vector<Keyframe*>& out) const override;
  // Prints the first keyframe that breaks the start, stop, start ... pattern.
  bool Validate() const override;

  void InsertKeyframe(StartStopKeyframe* keyframe) { Insert(keyframe); }
  void InsertPair(StartStopKeyframe* start, StartStopKeyframe* stop);
  void DeletePair(uint32_t row);

  bool IsActive(uint32_t row) const;
  // The start keyframe of the interval that holds row, or null.
  const StartStopKeyframe* ActiveStart(uint32_t row) const;
  // Null for the screen and for rows outside every interval.
  FBO* GetTarget(uint32_t row) const;

  int32_t priority;
  // Kept for the track tools; the frame step does not look at it.
  bool enabled = true;

 private:
  static const StartStopKeyframe* kindAt(KeyframeMap::const_iterator position);
};
