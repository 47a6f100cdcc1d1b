#pragma once

#include <cstddef>
#include <vector>

// One pixel of a working image: linear 0..1 channels, straight (not premultiplied) alpha.
struct Rgba {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

// A floating-point RGBA image. Row 0 is the top row of the written PNG.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = Rgba());

  int width() const { return width_; }
  int height() const { return height_; }
  Rgba& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Rgba& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Bilinear sample at pixel coordinates (centres at +0.5), clamped to the edges.
  Rgba sample(float x, float y) const;
  // Draws src over this image with its top-left corner at (x0, y0), source-over blending.
  void blendOver(const Canvas& src, int x0, int y0);
  Canvas flippedVertically() const;
  Canvas resized(int width, int height) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgba> pixels_;
};

Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba over(const Rgba& top, const Rgba& bottom);
float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);
