#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

// How long each loading stage took, in the order the stages ran, so a run can tell where its
// start-up time goes. Nothing is printed: the load log keeps its lines.
class LoadTimings {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts a new record; the first stage begins now.
  void start();
  // Closes the stage that began at the previous mark (or at start) under `name`.
  void mark(const std::string& name);
  double totalMs() const;
  const std::vector<std::pair<std::string, double>>& stages() const { return stageMs; }

 private:
  Clock::time_point begin;
  Clock::time_point last;
  std::vector<std::pair<std::string, double>> stageMs;
};
