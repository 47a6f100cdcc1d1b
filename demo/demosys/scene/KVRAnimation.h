#pragma once

#include <cstdint>
#include <map>

#include "demosys/math/Vec3f.h"

// Keyframed placement of a scene node: positions and Euler rotations (degrees) keyed by time in
// milliseconds, evaluated linearly (mode 0) or as a Catmull-Rom spline (mode 1).
class KVRAnimation {
 public:
  enum Mode : uint32_t { Linear = 0, CatmullRom = 1 };
  using Keys = std::map<uint32_t, Vec3f>;

  // A key at a time already present replaces it.
  void addPositionKey(uint32_t timeMs, float x, float y, float z) { positionKeys[timeMs] = Vec3f(x, y, z); }
  void addRotationKey(uint32_t timeMs, float x, float y, float z) { rotationKeys[timeMs] = Vec3f(x, y, z); }
  // End time and length become the time of the last position key.
  void finish();

  bool hasPositionKeys() const { return !positionKeys.empty(); }
  bool hasRotationKeys() const { return !rotationKeys.empty(); }
  // At t seconds; before the first key its value, after the last key the last value, and
  // zero when there are no keys of the kind.
  Vec3f evaluatePosition(float seconds) const { return evaluate(positionKeys, seconds); }
  Vec3f evaluateRotation(float seconds) const { return evaluate(rotationKeys, seconds); }

  void setMode(uint32_t value) { mode = value; }
  uint32_t getMode() const { return mode; }
  uint32_t getStartTime() const { return startTime; }
  uint32_t getEndTime() const { return endTime; }
  uint32_t getLength() const { return length; }

 private:
  Vec3f evaluate(const Keys& keys, float seconds) const;

  Keys positionKeys;
  Keys rotationKeys;
  uint32_t mode = CatmullRom;
  uint32_t startTime = 0;
  uint32_t endTime = 0;
  uint32_t length = 0;
};
