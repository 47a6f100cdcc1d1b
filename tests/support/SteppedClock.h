#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "demosys/timing/FMODTimer.h"
#include "demosys/timing/Timer.h"

// A demo clock (Timer or FMODTimer) on ticks the test sets. The music clock plays silently and
// hears `audioMs`, kept apart from `ticks` so that a test can tell which one a value came from.
template <class Clock>
class SteppedClock : public Clock {
 public:
  template <class... Arguments>
  explicit SteppedClock(Arguments&&... arguments) : Clock(std::forward<Arguments>(arguments)...) {
    if constexpr (std::is_base_of_v<FMODTimer, Clock>) {
      this->setAudioOutput(AudioSystem::Output::Silent);
      this->setAudioClock([this] { return audioMs * 1000; });
    }
  }
  // Both clocks move on by `ms`, as they do while the music plays.
  void advance(uint32_t ms) { ticks += ms, audioMs += ms; }

  uint32_t ticks = 5000;
  uint64_t audioMs = 0;

 protected:
  uint32_t now() override { return ticks; }
};
