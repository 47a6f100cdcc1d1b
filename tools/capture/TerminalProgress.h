#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

// Frames done, frames per second and time left: on a terminal one line redrawn in place, in a log
// one line for every tenth of the frames, so that the log stays readable.
class TerminalProgress {
 public:
  // inPlace: the output is a terminal.
  TerminalProgress(std::ostream& out, uint32_t total, bool enabled, bool inPlace);
  // In place, redraws at most ten times a second, and always for the last frame.
  void update(uint32_t done);
  void finish();
  // The line for `done` frames after `seconds`, without the carriage return.
  static std::string line(uint32_t done, uint32_t total, double seconds);

 private:
  bool due(uint32_t done, std::chrono::steady_clock::time_point now) const;

  std::ostream& out;
  uint32_t total;
  bool enabled;
  bool inPlace;
  bool drawn = false;
  uint32_t tenthsShown = 0;
  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point lastDrawn;
};
