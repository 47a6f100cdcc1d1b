#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/scene/AnimationKeyframe.h"

// A camera path: keyframes evaluated along a parameter from 0 to 1, linearly (mode 0) or as a
// Catmull-Rom spline through the inner keys (mode 1). Evaluation keeps its last result.
class Animation {
 public:
  enum Mode : uint32_t { Linear = 0, CatmullRom = 1 };

  Animation() = default;
  ~Animation();
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Takes ownership of the keyframe.
  void AddKeyframe(AnimationKeyframe* keyframe);
  // t = 1 gives the path's last key. Outside 0 to 1 prints an "OUT OF RANGE" line and keeps the
  // previous result.
  void Evaluate(float t);

  const float* GetPosition() const { return position; }
  float GetPitch() const { return pitch; }
  float GetHeading() const { return heading; }
  void SetMode(uint32_t value) { mode = value; }
  uint32_t GetMode() const { return mode; }
  uint32_t GetKeyCount() const { return static_cast<uint32_t>(keys.size()); }
  const AnimationKeyframe& GetKeyframe(uint32_t index) const { return *keys[index]; }

  std::string Describe() const;
  // Writes the keyframes in the animation file's own text format.
  void Dump() const;

 private:
  void evaluateLinear(float t);
  void evaluateSpline(float t);
  void setResult(const AnimationKeyframe& value);

  std::vector<AnimationKeyframe*> keys;
  float position[3] = {0.0f, 0.0f, 0.0f};
  float pitch = 0.0f;
  float heading = 0.0f;
  uint32_t mode = Linear;
};
