#include "demosys/timing/Timer.h"

#include <SDL.h>

#include <cstdlib>

namespace {
// The frame arithmetic divides by rate and by 1000 / rate.
int32_t validRate(int32_t rate) { return rate < 1 ? 1 : rate > 1000 ? 1000 : rate; }
}  // namespace

Timer::Timer(int32_t rate) : rate(validRate(rate)) {
  // SDL counts ticks from the first subsystem started; make sure that has happened.
  if (SDL_WasInit(SDL_INIT_TIMER) == 0) SDL_InitSubSystem(SDL_INIT_TIMER);
}

Timer::~Timer() = default;

bool Timer::Init() {
  setLength(600000);
  startTicks = pauseTicks = lastTime = now();
  return true;
}

uint32_t Timer::Shutdown() { return 1; }

uint32_t Timer::Pause() {
  paused = true;
  pauseTicks = now();
  return pauseTicks;
}

uint32_t Timer::Start() { return resumeFrom(GetTime()); }

uint32_t Timer::GetTime() { return (paused ? pauseTicks : now()) - startTicks; }

uint32_t Timer::GetFrameTime() { return GetFrame() * 1000u / static_cast<uint32_t>(rate); }

uint32_t Timer::GetFrame() { return GetTime() * static_cast<uint32_t>(rate) / 1000u; }

void Timer::SetFrame(uint32_t frame) { SetTime(frame * 1000u / static_cast<uint32_t>(rate)); }

uint32_t Timer::SetTime(uint32_t ms) { return anchor(ms); }

bool Timer::IsPaused() { return paused; }

uint32_t Timer::GetLength() { return lengthMs; }

uint32_t Timer::GetLengthFrames() { return lengthFrames; }

uint32_t Timer::GetDelta(uint32_t time) {
  if (paused) return 0;
  uint32_t delta = time - lastTime;
  lastTime = time;
  return delta;
}

void Timer::Update() {}

std::string Timer::GetError() { return error; }

int Timer::GetSpectrum(int mode, int count, float* out) {
  // Noise in (0, 1]; one more than the remainder keeps a zero from dividing into infinity.
  for (int i = 0; i < count; ++i) out[i] = static_cast<float>(1.0 / static_cast<double>(1 + std::rand() % 10000));
  return count;
}

uint32_t Timer::now() { return SDL_GetTicks(); }

uint32_t Timer::anchor(uint32_t time) {
  lastTime = time;
  uint32_t ticks = now();
  startTicks = ticks - time;
  pauseTicks = ticks;
  return ticks;
}

uint32_t Timer::resumeFrom(uint32_t time) {
  paused = false;
  lastTime = time;
  startTicks = now() - time;
  return startTicks;
}

void Timer::setLength(uint32_t ms) {
  lengthMs = ms;
  lengthFrames = ms / (1000u / static_cast<uint32_t>(rate));
}
