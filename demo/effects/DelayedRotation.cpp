#include "effects/DelayedRotation.h"

#include <cmath>

#include "effects/TrackValue.h"

namespace {

// Twice the most points one frame turns, so probes stay short.
const uint32_t SLOT_COUNT = 1u << 14;
const uint32_t MAX_PROBES = 64;

float radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

}  // namespace

DelayedRotation::DelayedRotation() : slots(SLOT_COUNT, Slot{0, 0, {}}) {}

void DelayedRotation::begin(const TrackInterpolate* x, const TrackInterpolate* y, const TrackInterpolate* z) {
  trackX = x;
  trackY = y;
  trackZ = z;
  // Frame 0 marks an empty slot, so the counter skips it when it wraps.
  if (++frame == 0) frame = 1;
}

uint32_t DelayedRotation::delayedTime(uint32_t time, float distance, float delay) {
  double delayed = double(time) - double(distance) * double(delay);
  if (!(std::fabs(delayed) < 9.0e18)) return time;
  return static_cast<uint32_t>(static_cast<int64_t>(delayed));
}

DelayedRotation::Angles DelayedRotation::anglesAt(const TrackInterpolate* x, const TrackInterpolate* y,
                                                  const TrackInterpolate* z, uint32_t time) {
  float thetaX = radians(trackValue(x, time));
  float thetaY = radians(trackValue(y, time));
  float thetaZ = radians(trackValue(z, time));
  return Angles{std::cos(thetaX), std::sin(thetaX), std::cos(thetaY),
                std::sin(thetaY), std::cos(thetaZ), std::sin(thetaZ)};
}

void DelayedRotation::rotate(const Angles& a, const float* p, float* out) {
  float y1 = a.cosX * p[1] - a.sinX * p[2];
  float z1 = a.sinX * p[1] + a.cosX * p[2];
  float x2 = a.cosY * p[0] - a.sinY * z1;
  float z2 = a.sinY * p[0] + a.cosY * z1;
  out[0] = a.cosZ * x2 - a.sinZ * y1;
  out[1] = a.sinZ * x2 + a.cosZ * y1;
  out[2] = z2;
}

const DelayedRotation::Angles& DelayedRotation::cachedAngles(uint32_t time) {
  uint32_t index = (time * 2654435761u) >> 18;
  for (uint32_t probe = 0; probe < MAX_PROBES; ++probe, index = (index + 1) & (SLOT_COUNT - 1)) {
    Slot& slot = slots[index];
    if (slot.frame == frame && slot.time == time) return slot.angles;
    if (slot.frame != frame) {
      slot = Slot{time, frame, anglesAt(trackX, trackY, trackZ, time)};
      return slot.angles;
    }
  }
  uncached = anglesAt(trackX, trackY, trackZ, time);
  return uncached;
}

void DelayedRotation::apply(const float* point, float distance, uint32_t time, float delay, float* out) {
  rotate(cachedAngles(delayedTime(time, distance, delay)), point, out);
}
