#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EffectTrackSet;
class TrackData;
class TrackInterpolate;
class TrackNameList;

// Reads the human-readable timeline (see resources/tracks/README.md) into a TrackData with
// the priorities as written. The first bad line stops it with
// "FILE:LINE: expected ..., found '...'".
class TimelineParser {
 public:
  TimelineParser();
  ~TimelineParser();

  // Null on the first bad line; the caller owns the result.
  TrackData* Parse(const std::string& text, const std::string& fileName);
  // With a list, every instance and track name outside it fails the parse too, after the whole
  // text was read: the error then has one "FILE:LINE: ..." line per unknown name.
  void setKnownNames(const TrackNameList* names) { knownNames = names; }
  const std::string& GetError() const { return error; }

 private:
  bool parseLine(const std::vector<std::string>& words);
  bool parseInstance(const std::vector<std::string>& words);
  bool parseRun(const std::vector<std::string>& words);
  bool parseStart(const std::vector<std::string>& words);
  bool parseStop(const std::vector<std::string>& words);
  bool parseTrack(const std::vector<std::string>& words);
  bool parseKeyframe(const std::vector<std::string>& words);
  bool parseTarget(const std::vector<std::string>& words, size_t position, std::string& target);
  bool parseTime(const std::string& word, uint32_t& row);
  bool addStart(uint32_t row, const std::string& target, const std::string& word);
  bool addStop(uint32_t row, const std::string& word);
  bool needInstance(const std::string& keyword);
  bool expected(const std::string& what, const std::string& found);
  bool expectedNew(const std::string& what, const std::string& found);
  bool expectedLine(const std::string& form);
  void checkInstanceName();
  void checkTrackName();
  std::string where() const;

  std::unique_ptr<TrackData> data;
  EffectTrackSet* set = nullptr;
  TrackInterpolate* track = nullptr;
  std::string fileName;
  int lineNumber = 0;
  const TrackNameList* knownNames = nullptr;
  std::vector<std::string> unknownNames;
  std::string error;
};
