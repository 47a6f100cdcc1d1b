#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

// One line on a terminal, redrawn in place: frames done, frames per second, time left.
class TerminalProgress {
 public:
  TerminalProgress(std::ostream& out, uint32_t total, bool enabled);
  // Redraws at most ten times a second, and always for the last frame.
  void update(uint32_t done);
  void finish();
  // The line for `done` frames after `seconds`, without the carriage return.
  static std::string line(uint32_t done, uint32_t total, double seconds);

 private:
  std::ostream& out;
  uint32_t total;
  bool enabled;
  bool drawn = false;
  std::chrono::steady_clock::time_point started;
  std::chrono::steady_clock::time_point lastDrawn;
};
