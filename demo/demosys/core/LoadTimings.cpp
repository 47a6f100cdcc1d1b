#include "demosys/core/LoadTimings.h"

namespace {
double millisecondsBetween(LoadTimings::Clock::time_point from, LoadTimings::Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}
}  // namespace

void LoadTimings::start() {
  begin = last = Clock::now();
  stageMs.clear();
}

void LoadTimings::mark(const std::string& name) {
  Clock::time_point now = Clock::now();
  stageMs.emplace_back(name, millisecondsBetween(last, now));
  last = now;
}

double LoadTimings::totalMs() const { return millisecondsBetween(begin, last); }
