#include "demosys/timing/TrackEvaluationCache.h"

#include <algorithm>

namespace {

// At most this many buckets per keyframe: evenly spaced keyframes then share no bucket.
const uint64_t BUCKETS_PER_KEYFRAME = 2;

}  // namespace

void TrackEvaluationCache::rebuild(const Track::KeyframeMap& keyframeMap, uint64_t changeCount) {
  keyframes.clear();
  fencedRows.assign(1, 0);
  for (const Track::KeyframeMap::value_type& entry : keyframeMap) {
    keyframes.push_back(entry.second);
    fencedRows.push_back(entry.first);
  }
  firstRow = keyframes.empty() ? 0 : fencedRows[1];
  lastRow = fencedRows.back();
  rowSpan = lastRow - firstRow;
  fillBuckets();
  fencedRows.resize(keyframes.size() + windowLength + 2, UINT32_MAX);
  lastFound = 1;
  builtFrom = changeCount;
}

void TrackEvaluationCache::fillBuckets() {
  // Ends by 31 at the latest, where any span makes two buckets.
  uint64_t bucketLimit = BUCKETS_PER_KEYFRAME * std::max<uint64_t>(keyframes.size(), 1);
  bucketShift = 0;
  while ((rowSpan >> bucketShift) >= bucketLimit) ++bucketShift;
  size_t bucketCount = size_t(rowSpan >> bucketShift) + 1;
  // Descending, so that each bucket keeps its first keyframe; 0 marks an empty bucket.
  bucketStarts.assign(bucketCount, 0);
  for (size_t position = keyframes.size(); position > 0; --position)
    bucketStarts[(fencedRows[position] - firstRow) >> bucketShift] = uint32_t(position);
  size_t next = keyframes.size() + 1;
  windowLength = 0;
  for (size_t bucket = bucketCount; bucket-- > 0;) {
    if (bucketStarts[bucket] == 0) bucketStarts[bucket] = uint32_t(next);
    windowLength = std::max(windowLength, next - bucketStarts[bucket]);
    next = bucketStarts[bucket];
  }
}
