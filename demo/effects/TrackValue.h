#pragma once

#include <cstdint>

#include "demosys/KVRDemosys.h"
#include "demosys/TrackData.h"

class TrackInterpolate;

// A parameter's value at the frame's demo time, as every effect reads it (0 for an empty track).
inline float trackValue(const TrackInterpolate* track, uint32_t time) {
  return KVRDemosys::tracks->GetValue(track, time);
}
