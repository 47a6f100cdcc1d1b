#pragma once

#include <cstddef>
#include <vector>

// A single-channel float image: coverage masks, heights, glows.
class Plane {
 public:
  Plane() = default;
  Plane(int width, int height, float fill = 0.0f);

  int width() const { return width_; }
  int height() const { return height_; }
  float& at(int x, int y) { return values_[static_cast<size_t>(y) * width_ + x]; }
  float at(int x, int y) const { return values_[static_cast<size_t>(y) * width_ + x]; }
  float atClamped(int x, int y) const;

  // Separable Gaussian blur; samples outside the plane count as zero.
  Plane blurred(float sigma) const;
  // Maximum over a disc of the given radius: grows a mask into an outline.
  Plane dilated(int radius) const;
  // Copies src into this plane with its top-left at (x0, y0), keeping the larger value.
  void maxInto(const Plane& src, int x0, int y0);
  void scale(float factor);
  float maxValue() const;

  // Anti-aliased shapes, accumulated with max().
  void drawCapsule(float x0, float y0, float x1, float y1, float halfWidth, float value = 1.0f);
  void drawRing(float cx, float cy, float radius, float halfWidth, float value = 1.0f);
  void drawDisc(float cx, float cy, float radius, float value = 1.0f);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<float> values_;
};

// Resamples a plane to a new size: box-averaged when shrinking, bilinear when growing.
Plane resizedPlane(const Plane& source, int width, int height);
