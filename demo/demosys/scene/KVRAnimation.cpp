#include "demosys/scene/KVRAnimation.h"

#include <cmath>
#include <iterator>

namespace {

Vec3f linear(const Vec3f& prev, const Vec3f& next, float s) { return prev + (next - prev) * s; }

Vec3f catmullRom(const Vec3f& p0, const Vec3f& p1, const Vec3f& p2, const Vec3f& p3, float s) {
  const float s2 = s * s, s3 = s2 * s;
  return (p0 * (2 * s2 - s3 - s) + p1 * (3 * s3 - 5 * s2 + 2) + p2 * (-3 * s3 + 4 * s2 + s) +
          p3 * (s3 - s2)) *
         0.5f;
}

}  // namespace

void KVRAnimation::finish() {
  endTime = positionKeys.empty() ? 0 : positionKeys.rbegin()->first;
  length = endTime;
}

Vec3f KVRAnimation::evaluate(const Keys& keys, float seconds) const {
  if (keys.empty()) return Vec3f();
  // Whole milliseconds, truncated towards zero; kept signed so times before zero stay before
  // the first key.
  const double timeMs = std::trunc(static_cast<double>(seconds) * 1000.0);
  if (!(timeMs >= keys.begin()->first)) return keys.begin()->second;
  if (timeMs >= keys.rbegin()->first) return keys.rbegin()->second;
  auto next = keys.upper_bound(static_cast<uint32_t>(timeMs));
  auto prev = std::prev(next);
  const float s = static_cast<float>((timeMs - prev->first) / static_cast<double>(next->first - prev->first));
  if (mode == Linear) return linear(prev->second, next->second, s);
  const Vec3f& p0 = prev == keys.begin() ? prev->second : std::prev(prev)->second;
  const Vec3f& p3 = std::next(next) == keys.end() ? next->second : std::next(next)->second;
  return catmullRom(p0, prev->second, next->second, p3, s);
}
