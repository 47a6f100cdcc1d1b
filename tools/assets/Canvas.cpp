#include "Canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Rgba Canvas::sample(float x, float y) const {
  float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
  float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
  int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
  float tx = fx - x0, ty = fy - y0;
  return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

void Canvas::blendOver(const Canvas& src, int x0, int y0) {
  for (int y = 0; y < src.height(); ++y) {
    int ty = y0 + y;
    if (ty < 0 || ty >= height_) continue;
    for (int x = 0; x < src.width(); ++x) {
      int tx = x0 + x;
      if (tx < 0 || tx >= width_) continue;
      at(tx, ty) = over(src.at(x, y), at(tx, ty));
    }
  }
}

Canvas Canvas::flippedVertically() const {
  Canvas flipped(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) flipped.at(x, height_ - 1 - y) = at(x, y);
  return flipped;
}

// Box-averages when shrinking (so thumbnails keep fine detail calm), samples when growing.
Canvas Canvas::resized(int width, int height) const {
  Canvas out(width, height);
  float sx = static_cast<float>(width_) / width, sy = static_cast<float>(height_) / height;
  int taps = std::max(1, static_cast<int>(std::ceil(std::max(sx, sy))));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Rgba sum;
      for (int j = 0; j < taps; ++j)
        for (int i = 0; i < taps; ++i) {
          Rgba p = sample((x + (i + 0.5f) / taps) * sx, (y + (j + 0.5f) / taps) * sy);
          sum.r += p.r * p.a;
          sum.g += p.g * p.a;
          sum.b += p.b * p.a;
          sum.a += p.a;
        }
      float n = static_cast<float>(taps * taps);
      Rgba& o = out.at(x, y);
      o.a = sum.a / n;
      if (sum.a > 0.0f) {
        o.r = sum.r / sum.a;
        o.g = sum.g / sum.a;
        o.b = sum.b / sum.a;
      }
    }
  return out;
}

Rgba mix(const Rgba& a, const Rgba& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba over(const Rgba& top, const Rgba& bottom) {
  float a = top.a + bottom.a * (1.0f - top.a);
  if (a <= 0.0f) return {top.r, top.g, top.b, 0.0f};
  float wb = bottom.a * (1.0f - top.a);
  return {(top.r * top.a + bottom.r * wb) / a, (top.g * top.a + bottom.g * wb) / a,
          (top.b * top.a + bottom.b * wb) / a, a};
}

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float smoothstep(float edge0, float edge1, float x) {
  float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}
