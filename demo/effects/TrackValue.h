#pragma once

#include <cstdint>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/TrackData.h"

class TrackInterpolate;

// A parameter's value at the frame's demo time, as every effect reads it: 0 for an empty track,
// and 0 before any track data exist (an effect drawn on its own, as in a test).
inline float trackValue(const TrackInterpolate* track, uint32_t time) {
  return KVRDemosys::tracks ? KVRDemosys::tracks->GetValue(track, time) : 0.0f;
}
