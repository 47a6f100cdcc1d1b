#include "trackc/TimelineParser.h"

#include <sstream>

#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackNameList.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "trackc/TimelineSyntax.h"

using TimelineSyntax::IsInstanceName;
using TimelineSyntax::IsName;

namespace {

const char* const TIME_FORM = "a time (mm:ss:mmm on a 50 ms row, or a row number)";

}  // namespace

TimelineParser::TimelineParser() = default;
TimelineParser::~TimelineParser() = default;

TrackData* TimelineParser::Parse(const std::string& text, const std::string& name) {
  data.reset(new TrackData());
  set = nullptr;
  track = nullptr;
  fileName = name;
  error.clear();
  unknownNames.clear();
  std::istringstream lines(text);
  std::string line;
  for (lineNumber = 1; std::getline(lines, line); ++lineNumber) {
    std::vector<std::string> words = TimelineSyntax::SplitWords(line);
    if (!words.empty() && !parseLine(words)) return nullptr;
  }
  if (!unknownNames.empty()) {
    error = unknownNames[0];
    for (size_t i = 1; i < unknownNames.size(); ++i) error += "\n" + unknownNames[i];
    return nullptr;
  }
  data->BuildOrder();
  return data.release();
}

bool TimelineParser::parseLine(const std::vector<std::string>& words) {
  const std::string& keyword = words[0];
  if (keyword == "instance") return parseInstance(words);
  if (keyword == "run") return parseRun(words);
  if (keyword == "start") return parseStart(words);
  if (keyword == "stop") return parseStop(words);
  if (keyword == "track") return parseTrack(words);
  if (!keyword.empty() && (keyword[0] >= '0' && keyword[0] <= '9')) return parseKeyframe(words);
  return expected("'instance', 'run', 'start', 'stop', 'track' or a keyframe", keyword);
}

bool TimelineParser::parseInstance(const std::vector<std::string>& words) {
  if (words.size() != 3) return expectedLine("instance NAME PRIORITY");
  if (!IsInstanceName(words[1])) return expected("an instance name without '.'", words[1]);
  if (data->GetSet(words[1])) return expectedNew("instance name", words[1]);
  int32_t priority = 0;
  if (!TimelineSyntax::ParseInteger(words[2], priority))
    return expected("a priority (a signed 32-bit integer)", words[2]);
  set = new EffectTrackSet(words[1]);
  set->startStop = new TrackStartStop(priority);
  data->AddSet(set);
  track = nullptr;
  checkInstanceName();
  return true;
}

bool TimelineParser::parseRun(const std::vector<std::string>& words) {
  if (!needInstance("run")) return false;
  if (words.size() < 3 || words.size() > 4) return expectedLine("run FROM TO [TARGET]");
  uint32_t from = 0, to = 0;
  std::string target;
  if (!parseTime(words[1], from) || !parseTime(words[2], to) || !parseTarget(words, 3, target)) return false;
  return addStart(from, target, words[1]) && addStop(to, words[2]);
}

bool TimelineParser::parseStart(const std::vector<std::string>& words) {
  if (!needInstance("start")) return false;
  if (words.size() < 2 || words.size() > 3) return expectedLine("start FROM [TARGET]");
  uint32_t from = 0;
  std::string target;
  return parseTime(words[1], from) && parseTarget(words, 2, target) && addStart(from, target, words[1]);
}

bool TimelineParser::parseStop(const std::vector<std::string>& words) {
  if (!needInstance("stop")) return false;
  if (words.size() != 2) return expectedLine("stop TO");
  uint32_t to = 0;
  return parseTime(words[1], to) && addStop(to, words[1]);
}

bool TimelineParser::parseTrack(const std::vector<std::string>& words) {
  if (!needInstance("track")) return false;
  if (words.size() != 2) return expectedLine("track NAME");
  if (set->GetTrack(words[1])) return expectedNew("track name", words[1]);
  track = new TrackInterpolate(words[1]);
  set->AddTrack(track);
  checkTrackName();
  return true;
}

bool TimelineParser::parseKeyframe(const std::vector<std::string>& words) {
  if (!track) return expected("'track NAME' before the first keyframe", words[0]);
  if (words.size() < 2 || words.size() > 3) return expectedLine("TIME VALUE [CURVE]");
  uint32_t row = 0, curve = ValueKeyframe::Linear;
  float value = 0;
  if (!parseTime(words[0], row)) return false;
  if (!TimelineSyntax::ParseValue(words[1], value)) return expected("a value (a float)", words[1]);
  if (words.size() == 3 && !TimelineSyntax::ParseCurve(words[2], curve))
    return expected("a curve (linear, sine, cosine, step, quadratic or a number)", words[2]);
  if (track->KeyframeAt(row)) return expectedNew("keyframe row", words[0]);
  track->InsertKeyframe(new ValueKeyframe(row, value, curve));
  return true;
}

bool TimelineParser::parseTarget(const std::vector<std::string>& words, size_t position,
                                 std::string& target) {
  target = position < words.size() ? words[position] : "screen";
  return IsName(target) || expected("a target name", target);
}

bool TimelineParser::parseTime(const std::string& word, uint32_t& row) {
  return TimelineSyntax::ParseTime(word, data->GetRate(), row) || expected(TIME_FORM, word);
}

// Start and stop keyframes come in row order and alternate, beginning with a start.
bool TimelineParser::addStart(uint32_t row, const std::string& target, const std::string& word) {
  TrackStartStop* startStop = set->startStop;
  const Track::KeyframeMap& keyframes = startStop->Keyframes();
  if (!keyframes.empty()) {
    const StartStopKeyframe* last = static_cast<const StartStopKeyframe*>(keyframes.rbegin()->second);
    if (last->IsStart()) return expected("a stop after the start at row " + std::to_string(last->row), word);
    if (row <= last->row) return expected("a row after " + std::to_string(last->row), word);
  }
  startStop->InsertKeyframe(new StartStopKeyframe(row, StartStopKeyframe::Start, target));
  return true;
}

bool TimelineParser::addStop(uint32_t row, const std::string& word) {
  TrackStartStop* startStop = set->startStop;
  const Track::KeyframeMap& keyframes = startStop->Keyframes();
  const StartStopKeyframe* last =
      keyframes.empty() ? nullptr : static_cast<const StartStopKeyframe*>(keyframes.rbegin()->second);
  if (!last || !last->IsStart()) return expected("a start before the stop", word);
  if (row <= last->row) return expected("a row after " + std::to_string(last->row), word);
  startStop->InsertKeyframe(new StartStopKeyframe(row, StartStopKeyframe::Stop));
  return true;
}

bool TimelineParser::needInstance(const std::string& keyword) {
  return set || expected("'instance NAME PRIORITY' before '" + keyword + "'", keyword);
}

// The tracks of an unknown instance are not checked: its line already names the mistake.
void TimelineParser::checkInstanceName() {
  if (knownNames && !knownNames->hasInstance(set->name))
    unknownNames.push_back(where() + knownNames->unknownInstance(set->name));
}

void TimelineParser::checkTrackName() {
  if (knownNames && knownNames->hasInstance(set->name) && !knownNames->hasTrack(set->name, track->name))
    unknownNames.push_back(where() + knownNames->unknownTrack(set->name, track->name));
}

std::string TimelineParser::where() const { return fileName + ":" + std::to_string(lineNumber) + ": "; }

bool TimelineParser::expected(const std::string& what, const std::string& found) {
  error = where() + "expected " + what + ", found '" + found + "'";
  return false;
}

bool TimelineParser::expectedNew(const std::string& what, const std::string& found) {
  error = where() + "expected a new " + what + ", found '" + found + "' again";
  return false;
}

bool TimelineParser::expectedLine(const std::string& form) {
  error = where() + "expected '" + form + "'";
  return false;
}
