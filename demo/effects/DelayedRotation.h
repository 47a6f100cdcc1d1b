#pragma once

#include <cstdint>
#include <vector>

class TrackInterpolate;

// The creatures' turning scheme: a point at distance d from the centre takes its rotation angles
// from three tracks at the time `time - d * delay`, so a turn travels outwards like a wave.
//
// Many points share a delayed time, so the angles and their sines and cosines are worked out once
// per distinct time and frame; `begin` starts a frame. The results are those of the plain formulas.
class DelayedRotation {
 public:
  struct Angles {
    float cosX, sinX, cosY, sinY, cosZ, sinZ;
  };

  DelayedRotation();

  void begin(const TrackInterpolate* x, const TrackInterpolate* y, const TrackInterpolate* z);
  // Writes `point` turned by the angles of its delayed time to `out` (x, y, z).
  void apply(const float* point, float distance, uint32_t time, float delay, float* out);

  // The delayed time truncated towards zero; an earlier time than 0 wraps around like the
  // demo's unsigned clock. A delay that gives no finite time leaves the time undelayed.
  static uint32_t delayedTime(uint32_t time, float distance, float delay);
  // The tracks' values at `time` in degrees, as sines and cosines.
  static Angles anglesAt(const TrackInterpolate* x, const TrackInterpolate* y, const TrackInterpolate* z,
                         uint32_t time);
  // About x, then the y step on the turned z, then about z; z keeps its value from the y step.
  static void rotate(const Angles& angles, const float* point, float* out);

 private:
  struct Slot {
    uint32_t time;
    uint32_t frame;
    Angles angles;
  };
  const Angles& cachedAngles(uint32_t time);

  const TrackInterpolate* trackX = nullptr;
  const TrackInterpolate* trackY = nullptr;
  const TrackInterpolate* trackZ = nullptr;
  std::vector<Slot> slots;
  uint32_t frame = 0;
  Angles uncached{};
};
