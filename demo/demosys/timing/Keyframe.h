#pragma once

#include <cstdint>

// What every keyframe has: the row it sits on. Tracks own their keyframes and delete them
// through this base.
class Keyframe {
 public:
  explicit Keyframe(uint32_t row) : row(row) {}
  virtual ~Keyframe() = default;
  Keyframe(const Keyframe&) = delete;
  Keyframe& operator=(const Keyframe&) = delete;

  uint32_t row;
};
