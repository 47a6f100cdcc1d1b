#include "demosys/timing/Track.h"

#include <iostream>

Track::~Track() { Clear(); }

Keyframe* Track::KeyframeAt(uint32_t row) const {
  KeyframeMap::const_iterator found = keyframes.find(row);
  return found == keyframes.end() ? nullptr : found->second;
}

void Track::Insert(Keyframe* keyframe) {
  ++changes;
  Keyframe*& slot = keyframes[keyframe->row];
  if (slot != keyframe) delete slot;
  slot = keyframe;
}

void Track::Erase(KeyframeMap::iterator position) {
  ++changes;
  delete position->second;
  keyframes.erase(position);
}

void Track::MoveKeyframe(uint32_t fromRow, uint32_t toRow) {
  KeyframeMap::iterator found = keyframes.find(fromRow);
  if (fromRow == toRow || found == keyframes.end()) return;
  Keyframe* keyframe = found->second;
  ++changes;
  keyframes.erase(found);
  keyframe->row = toRow;
  Insert(keyframe);
  std::cout << "Moved row from " << fromRow << " to " << toRow << std::endl;
}

int64_t Track::NextKeyframeRow(uint32_t row) const {
  KeyframeMap::const_iterator next = keyframes.upper_bound(row);
  return next == keyframes.end() ? -1 : int64_t(next->first);
}

int64_t Track::PreviousKeyframeRow(uint32_t row) const {
  KeyframeMap::const_iterator atOrAfter = keyframes.lower_bound(row);
  if (atOrAfter == keyframes.begin()) return -1;
  return int64_t(std::prev(atOrAfter)->first);
}

void Track::Clear() {
  ++changes;
  for (KeyframeMap::value_type& entry : keyframes) delete entry.second;
  keyframes.clear();
}
