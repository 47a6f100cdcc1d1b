#include "demosys/timing/TrackInterpolate.h"

#include <cmath>

namespace {

const double HALF_PI = 3.14159265358979323846 * 0.5;

float sineEaseOut(float t) { return float(std::cos((1.0 - t) * HALF_PI)); }
float cosineEaseIn(float t) { return float(1.0 - std::cos(t * HALF_PI)); }
float quadratic(float t) { return t * t; }

float blend(float x, float a, float b) { return x * (b - a) + a; }

float interpolate(uint32_t curve, float t, float a, float b) {
  switch (curve) {
    case ValueKeyframe::SineEaseOut:
      return blend(sineEaseOut(t), a, b);
    case ValueKeyframe::CosineEaseIn:
      return blend(cosineEaseIn(t), a, b);
    case ValueKeyframe::Step:
      return a;
    case ValueKeyframe::Quadratic:
      return blend(quadratic(t), a, b);
    default:
      return a + t * (b - a);
  }
}

}  // namespace

TrackEvaluationCache& TrackInterpolate::currentCache() const {
  if (!cache.isBuiltFrom(changeCount())) cache.rebuild(keyframes, changeCount());
  return cache;
}

float TrackInterpolate::GetValue(uint32_t timeMs, uint32_t rate) const {
  uint32_t row = rate * timeMs / 1000u;
  TrackEvaluationCache& evaluation = currentCache();
  size_t next = evaluation.upperBound(row);
  if (next == 0) return 0.0f;
  const ValueKeyframe* from = static_cast<const ValueKeyframe*>(evaluation.at(next - 1));
  if (next == evaluation.size()) return from->value;
  const ValueKeyframe* to = static_cast<const ValueKeyframe*>(evaluation.at(next));
  double fractionalRow = timeMs / evaluation.msPerRow(rate);
  uint32_t span = to->row - from->row;
  float t = float((fractionalRow - from->row) / span);
  return interpolate(from->interpolation, t, from->value, to->value);
}

void TrackInterpolate::GetKeyframes(uint32_t fromRow, uint32_t toRow, std::vector<Keyframe*>& out) const {
  KeyframeMap::const_iterator first = keyframes.lower_bound(fromRow);
  if (first == keyframes.end()) return;
  if (fromRow < first->first && first != keyframes.begin()) out.push_back(std::prev(first)->second);
  KeyframeMap::const_iterator it = first;
  for (; it != keyframes.end() && it->first <= toRow; ++it) out.push_back(it->second);
  if (it != keyframes.end()) out.push_back(it->second);
}
