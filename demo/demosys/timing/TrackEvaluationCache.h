#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "demosys/timing/Track.h"

// What every GetValue of a track needs, kept between calls: where the time's row falls among the
// keyframes, and the length of a row at the last rate. The interval found last is tried first,
// since a frame's time mostly falls where the previous frame's did. Elsewhere a table of equal
// buckets of rows gives the first keyframe of the row's bucket, and a window as long as the
// fullest bucket is searched without a branch on the rows, so random times cost no
// mispredictions either. The cache points at the track's keyframes instead of copying them, so
// an edit of a keyframe's value is seen at once; a change to the map needs rebuild().
class TrackEvaluationCache {
 public:
  bool isBuiltFrom(uint64_t changeCount) const { return builtFrom == changeCount; }
  void rebuild(const Track::KeyframeMap& keyframes, uint64_t changeCount);

  size_t size() const { return keyframes.size(); }
  const Keyframe* at(size_t position) const { return keyframes[position]; }

  // The position of the first keyframe whose row is greater than row, size() when none.
  size_t upperBound(uint32_t row) {
    if (row >= lastRow) return keyframes.size();
    if (!(fencedRows[lastFound - 1] <= row && row < fencedRows[lastFound])) lastFound = search(row);
    return lastFound - 1;
  }

  // 1000.0 / rate, the same division, made again only when the rate changes.
  double msPerRow(uint32_t rate) {
    if (rate != rowRate) {
      rowRate = rate;
      rowMs = 1000.0 / rate;
    }
    return rowMs;
  }

 private:
  // Windows up to this long are counted through, longer ones halved.
  static constexpr size_t COUNTED_WINDOW = 4;

  void fillBuckets();
  // Positions below are in fencedRows, one past the keyframe's.
  size_t search(uint32_t row) const;

  std::vector<const Keyframe*> keyframes;
  // 0, the keyframe rows, then UINT32_MAX as far as a window from the last bucket reaches.
  std::vector<uint32_t> fencedRows{0, UINT32_MAX};
  // The first keyframe in or after each bucket of 2^bucketShift rows from firstRow.
  std::vector<uint32_t> bucketStarts;
  uint32_t firstRow = 0;
  uint32_t lastRow = 0;
  uint32_t rowSpan = 0;
  uint32_t bucketShift = 0;
  size_t windowLength = 0;
  size_t lastFound = 1;
  // No track makes this many changes.
  uint64_t builtFrom = UINT64_MAX;
  uint32_t rowRate = 0;
  double rowMs = HUGE_VAL;  // what IEEE division gives for rate 0
};

// Inline, as the per-frame path that it is.
inline size_t TrackEvaluationCache::search(uint32_t row) const {
  // Rows from the last keyframe's on never come here.
  if (row < firstRow) return 1;
  uint32_t offset = row - firstRow;
  // The window starts at the row's bucket, and whatever it holds beyond that bucket is above
  // row. The comparisons compile to conditional moves, and the step count is the same for every
  // row.
  const uint32_t* window = fencedRows.data() + bucketStarts[offset >> bucketShift];
  if (windowLength <= COUNTED_WINDOW) {
    size_t position = size_t(window - fencedRows.data());
    for (size_t k = 0; k < windowLength; ++k) position += window[k] <= row ? 1 : 0;
    return position;
  }
  for (size_t length = windowLength + 1; length > 1;) {
    size_t half = length / 2;
    window = window[half] <= row ? window + half : window;
    length -= half;
  }
  return size_t(window - fencedRows.data()) + (*window <= row ? 1 : 0);
}
