#pragma once

#include <cstdint>

#include "demosys/timing/Timer.h"

// A clock for rendering a demo frame by frame instead of in real time: step n reads
// origin + n x 1000 / framesPerSecond ms (rounded down), and the delta is the length of the
// step that led there, however long the frames take to draw. SetTime moves the origin and
// goes back to step 0; advance() moves to the next step. The clock never runs on its own.
class FixedStepTimer : public Timer {
 public:
  // rate: track rows per second, as for Timer; framesPerSecond is held to at least 1.
  FixedStepTimer(int32_t rate, uint32_t framesPerSecond);

  bool Init() override;
  uint32_t Pause() override;
  uint32_t Start() override;
  uint32_t GetTime() override;
  uint32_t SetTime(uint32_t ms) override;
  uint32_t GetDelta(uint32_t time) override;

  void advance() { ++step; }
  uint32_t getStep() const { return step; }
  uint32_t timeOfStep(uint32_t index) const;

 private:
  uint32_t framesPerSecond;
  uint32_t origin = 0;
  uint32_t step = 0;
};
