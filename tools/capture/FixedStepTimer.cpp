#include "capture/FixedStepTimer.h"

namespace {
const uint32_t LENGTH_MS = 600000;
}

FixedStepTimer::FixedStepTimer(int32_t rate, uint32_t framesPerSecond)
    : Timer(rate), framesPerSecond(framesPerSecond == 0 ? 1 : framesPerSecond) {}

bool FixedStepTimer::Init() {
  setLength(LENGTH_MS);
  SetTime(0);
  return true;
}

uint32_t FixedStepTimer::Pause() {
  paused = true;
  return GetTime();
}

uint32_t FixedStepTimer::Start() {
  paused = false;
  return GetTime();
}

uint32_t FixedStepTimer::timeOfStep(uint32_t index) const {
  // Each time from its step number, so the rounding never accumulates.
  return origin + static_cast<uint32_t>(uint64_t(index) * 1000u / framesPerSecond);
}

uint32_t FixedStepTimer::GetTime() { return timeOfStep(step); }

uint32_t FixedStepTimer::SetTime(uint32_t ms) {
  origin = ms;
  step = 0;
  lastTime = ms;
  return ms;
}

// Paused or not: the frames of a fixed-step run are a fixed time apart. Step 0 gets the length
// of the step after it, as if the run had been going before.
uint32_t FixedStepTimer::GetDelta(uint32_t time) {
  lastTime = time;
  if (step == 0) return timeOfStep(1) - timeOfStep(0);
  return timeOfStep(step) - timeOfStep(step - 1);
}
