#pragma once

#include <cstddef>
#include <vector>

// Equal-power gains for a pan position from -1 (left) to 1 (right).
struct Pan {
  float left, right;
  explicit Pan(float position);
};

// Two channels of float samples at one sample rate.
struct StereoBuffer {
  std::vector<float> left, right;

  explicit StereoBuffer(size_t frames = 0) : left(frames), right(frames) {}
  size_t frames() const { return left.size(); }
  void add(size_t frame, float sample, const Pan& pan) {
    if (frame >= left.size()) return;
    left[frame] += sample * pan.left;
    right[frame] += sample * pan.right;
  }
  float peak() const;
};
