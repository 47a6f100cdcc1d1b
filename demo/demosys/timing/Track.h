#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "demosys/timing/Keyframe.h"

// Keyframes in row order, at most one per row, owned by the track. A keyframe that another
// one displaces from its row is deleted at once. Every operation that changes the map counts
// the change, so that what a subclass derives from the map knows when it is stale; subclasses
// change the map only through Insert and Erase.
class Track {
 public:
  using KeyframeMap = std::map<uint32_t, Keyframe*>;

  Track() = default;
  virtual ~Track();
  Track(const Track&) = delete;
  Track& operator=(const Track&) = delete;

  // What a row window from fromRow to toRow shows, with the neighbours a tool needs to draw
  // the track across the window's edges.
  virtual void GetKeyframes(uint32_t fromRow, uint32_t toRow, std::vector<Keyframe*>& out) const = 0;
  virtual bool Validate() const { return true; }

  const KeyframeMap& Keyframes() const { return keyframes; }
  size_t GetKeyframeCount() const { return keyframes.size(); }
  // Null when no keyframe sits exactly on row.
  Keyframe* KeyframeAt(uint32_t row) const;

  // Editing operations of the track tools.
  void MoveKeyframe(uint32_t fromRow, uint32_t toRow);
  // -1 when there is none.
  int64_t NextKeyframeRow(uint32_t row) const;
  int64_t PreviousKeyframeRow(uint32_t row) const;
  void Clear();

 protected:
  void Insert(Keyframe* keyframe);
  void Erase(KeyframeMap::iterator position);
  uint64_t changeCount() const { return changes; }

  KeyframeMap keyframes;

 private:
  uint64_t changes = 0;
};
