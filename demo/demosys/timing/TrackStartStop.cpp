#include "demosys/timing/TrackStartStop.h"

#include <iostream>

const StartStopKeyframe* TrackStartStop::kindAt(KeyframeMap::const_iterator position) {
  return static_cast<const StartStopKeyframe*>(position->second);
}

void TrackStartStop::InsertPair(StartStopKeyframe* start, StartStopKeyframe* stop) {
  Insert(start);
  Insert(stop);
}

void TrackStartStop::DeletePair(uint32_t row) {
  KeyframeMap::iterator found = keyframes.lower_bound(row);
  if (found == keyframes.end()) return;
  if (!kindAt(found)->IsStart()) {
    KeyframeMap::iterator start = found == keyframes.begin() ? keyframes.end() : std::prev(found);
    Erase(found);
    if (start != keyframes.end()) Erase(start);
  } else if (found->first == row) {
    KeyframeMap::iterator stop = std::next(found);
    Erase(found);
    if (stop != keyframes.end()) Erase(stop);
  }
}

bool TrackStartStop::IsActive(uint32_t row) const {
  KeyframeMap::const_iterator found = keyframes.lower_bound(row);
  if (found == keyframes.end()) return false;
  return !kindAt(found)->IsStart() || found->first == row;
}

const StartStopKeyframe* TrackStartStop::ActiveStart(uint32_t row) const {
  KeyframeMap::const_iterator found = keyframes.lower_bound(row);
  if (found == keyframes.end()) return nullptr;
  if (kindAt(found)->IsStart()) return found->first == row ? kindAt(found) : nullptr;
  // A stop with nothing before it belongs to no interval.
  if (found == keyframes.begin()) return nullptr;
  return kindAt(std::prev(found));
}

FBO* TrackStartStop::GetTarget(uint32_t row) const {
  const StartStopKeyframe* start = ActiveStart(row);
  return start ? start->targetFBO : nullptr;
}

bool TrackStartStop::Validate() const {
  uint32_t expected = StartStopKeyframe::Start;
  for (const KeyframeMap::value_type& entry : keyframes) {
    const StartStopKeyframe* keyframe = static_cast<const StartStopKeyframe*>(entry.second);
    if (keyframe->kind != expected) {
      std::cout << "--> row = " << entry.first << ", row=" << keyframe->row << ", type = " << keyframe->kind
                << std::endl;
      std::cout << "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A "
                << (expected == StartStopKeyframe::Start ? "START" : "STOP") << " KEYFRAME!" << std::endl;
      return false;
    }
    expected = expected == StartStopKeyframe::Start ? StartStopKeyframe::Stop : StartStopKeyframe::Start;
  }
  return true;
}

void TrackStartStop::GetKeyframes(uint32_t fromRow, uint32_t toRow, std::vector<Keyframe*>& out) const {
  KeyframeMap::const_iterator it = keyframes.lower_bound(fromRow);
  if (it == keyframes.end()) return;
  if (!kindAt(it)->IsStart()) {
    if (it == keyframes.begin()) return;
    --it;
  }
  for (; it != keyframes.end() && it->first <= toRow; ++it) out.push_back(it->second);
  if (it != keyframes.end() && !kindAt(it)->IsStart()) out.push_back(it->second);
}
