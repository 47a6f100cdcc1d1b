#include "demosys/scene/Animation.h"

#include <cmath>
#include <iostream>
#include <sstream>

namespace {

// Index of the segment that s falls in, when it names one of the `segments` segments.
// Works in double so that huge, negative or NaN parameters are caught before any cast.
bool segmentOf(float s, int64_t segments, double& index) {
  index = std::floor(static_cast<double>(s)) + 0.0;  // + 0.0 turns -0 into 0 for the message
  return index >= 0.0 && index < static_cast<double>(segments);
}

// The path's end (t = 1) belongs to the last segment, at its far end, so the last key shows.
bool isEndOfPath(float s, int64_t segments) { return segments > 0 && s == static_cast<float>(segments); }

float lerp(float a, float b, float f) { return a + (b - a) * f; }

float catmullRom(float p0, float p1, float p2, float p3, float f) {
  float f2 = f * f;
  float f3 = f2 * f;
  return 0.5f * (p0 * (2.0f * f2 - f3 - f) + p1 * (3.0f * f3 - 5.0f * f2 + 2.0f) +
                 p2 * (-3.0f * f3 + 4.0f * f2 + f) + p3 * (f3 - f2));
}

}  // namespace

Animation::~Animation() {
  for (AnimationKeyframe* key : keys) delete key;
}

void Animation::AddKeyframe(AnimationKeyframe* keyframe) { keys.push_back(keyframe); }

void Animation::Evaluate(float t) {
  if (mode == CatmullRom)
    evaluateSpline(t);
  else
    evaluateLinear(t);
}

void Animation::evaluateLinear(float t) {
  int64_t segments = static_cast<int64_t>(keys.size()) - 1;
  float s = static_cast<float>(segments) * t;
  double index;
  if (isEndOfPath(s, segments)) {
    setResult(*keys.back());
    return;
  }
  if (!segmentOf(s, segments, index)) {
    std::cout << "OUT OF RANGE " << index << std::endl;
    return;
  }
  size_t i = static_cast<size_t>(index);
  float f = s - static_cast<float>(index);
  const AnimationKeyframe& a = *keys[i];
  const AnimationKeyframe& b = *keys[i + 1];
  setResult({lerp(a.x, b.x, f), lerp(a.y, b.y, f), lerp(a.z, b.z, f), lerp(a.heading, b.heading, f),
             lerp(a.pitch, b.pitch, f)});
}

void Animation::evaluateSpline(float t) {
  int64_t count = static_cast<int64_t>(keys.size());
  int64_t segments = count - 3;
  float s = static_cast<float>(segments) * t;
  double index;
  if (isEndOfPath(s, segments)) {
    setResult(*keys[keys.size() - 2]);  // the spline runs through the inner keys only
    return;
  }
  if (!segmentOf(s, segments, index)) {
    std::cout << "OUT OF RANGE [" << count - 4 << "] -> " << index << std::endl;
    return;
  }
  size_t i = static_cast<size_t>(index);
  float f = s - static_cast<float>(index);
  const AnimationKeyframe& p0 = *keys[i];
  const AnimationKeyframe& p1 = *keys[i + 1];
  const AnimationKeyframe& p2 = *keys[i + 2];
  const AnimationKeyframe& p3 = *keys[i + 3];
  setResult({catmullRom(p0.x, p1.x, p2.x, p3.x, f), catmullRom(p0.y, p1.y, p2.y, p3.y, f),
             catmullRom(p0.z, p1.z, p2.z, p3.z, f),
             catmullRom(p0.heading, p1.heading, p2.heading, p3.heading, f),
             catmullRom(p0.pitch, p1.pitch, p2.pitch, p3.pitch, f)});
}

void Animation::setResult(const AnimationKeyframe& value) {
  position[0] = value.x;
  position[1] = value.y;
  position[2] = value.z;
  pitch = value.pitch;
  heading = value.heading;
}

std::string Animation::Describe() const {
  std::ostringstream text;
  text << "Animation { keyframes = " << keys.size() << " }\n";
  return text.str();
}

void Animation::Dump() const {
  std::cout << "KVRANI1\n";
  std::cout << "keyframes " << keys.size() << "\n";
  for (const AnimationKeyframe* key : keys) {
    std::cout << "pos " << key->x << " " << key->y << " " << key->z << "\n";
    std::cout << "rot " << key->pitch << " " << key->heading << "\n";
  }
  std::cout.flush();
}
