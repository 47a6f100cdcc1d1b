#pragma once

#include <ostream>
#include <string>

class EffectTrackSet;
class TrackData;
class TrackStartStop;

// Writes a TrackData as timeline text that the parser reads back into the same data:
// instances in name order, tracks in their set's order, keyframes in row order.
class TimelinePrinter {
 public:
  // False, with a message, for data that the text cannot express (names with blanks,
  // start and stop keyframes out of turn); nothing is written then.
  bool Print(const TrackData& data, std::ostream& out);
  const std::string& GetError() const { return error; }

 private:
  bool printInstance(const EffectTrackSet& set, uint32_t rate, std::ostream& out);
  bool printIntervals(const std::string& instance, const TrackStartStop& startStop, uint32_t rate,
                      std::ostream& out);
  bool cannotWrite(const std::string& instance, const std::string& why);

  std::string error;
};
