#include "Plane.h"

#include <algorithm>
#include <cmath>

Plane::Plane(int width, int height, float fill)
    : width_(width), height_(height), values_(static_cast<size_t>(width) * height, fill) {}

float Plane::atClamped(int x, int y) const {
  return at(std::clamp(x, 0, width_ - 1), std::clamp(y, 0, height_ - 1));
}

static std::vector<float> gaussianTaps(float sigma) {
  int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3.0f)));
  std::vector<float> taps(2 * radius + 1);
  float sum = 0.0f;
  for (int i = -radius; i <= radius; ++i) sum += taps[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
  for (float& t : taps) t /= sum;
  return taps;
}

Plane Plane::blurred(float sigma) const {
  std::vector<float> taps = gaussianTaps(sigma);
  int radius = static_cast<int>(taps.size() / 2);
  Plane across(width_, height_), out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float sum = 0.0f;
      for (int i = -radius; i <= radius; ++i)
        if (x + i >= 0 && x + i < width_) sum += at(x + i, y) * taps[i + radius];
      across.at(x, y) = sum;
    }
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float sum = 0.0f;
      for (int i = -radius; i <= radius; ++i)
        if (y + i >= 0 && y + i < height_) sum += across.at(x, y + i) * taps[i + radius];
      out.at(x, y) = sum;
    }
  return out;
}

Plane Plane::dilated(int radius) const {
  Plane out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float best = 0.0f;
      for (int j = -radius; j <= radius; ++j) {
        if (y + j < 0 || y + j >= height_) continue;
        for (int i = -radius; i <= radius; ++i) {
          if (x + i < 0 || x + i >= width_) continue;
          // A soft rim keeps the grown edge anti-aliased.
          float edge = std::clamp(radius + 0.5f - std::sqrt(static_cast<float>(i * i + j * j)), 0.0f, 1.0f);
          best = std::max(best, at(x + i, y + j) * edge);
        }
      }
      out.at(x, y) = best;
    }
  return out;
}

void Plane::maxInto(const Plane& src, int x0, int y0) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      int tx = x0 + x, ty = y0 + y;
      if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) at(tx, ty) = std::max(at(tx, ty), src.at(x, y));
    }
}

void Plane::scale(float factor) {
  for (float& v : values_) v *= factor;
}

float Plane::maxValue() const {
  return values_.empty() ? 0.0f : *std::max_element(values_.begin(), values_.end());
}

void Plane::drawCapsule(float x0, float y0, float x1, float y1, float halfWidth, float value) {
  int minX = std::max(0, static_cast<int>(std::min(x0, x1) - halfWidth - 2));
  int maxX = std::min(width_ - 1, static_cast<int>(std::max(x0, x1) + halfWidth + 2));
  int minY = std::max(0, static_cast<int>(std::min(y0, y1) - halfWidth - 2));
  int maxY = std::min(height_ - 1, static_cast<int>(std::max(y0, y1) + halfWidth + 2));
  float dx = x1 - x0, dy = y1 - y0, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      float px = x + 0.5f - x0, py = y + 0.5f - y0;
      float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
      float d = std::hypot(px - t * dx, py - t * dy);
      at(x, y) = std::max(at(x, y), value * std::clamp(halfWidth + 0.5f - d, 0.0f, 1.0f));
    }
}

void Plane::drawRing(float cx, float cy, float radius, float halfWidth, float value) {
  int reach = static_cast<int>(radius + halfWidth + 2);
  for (int y = std::max(0, static_cast<int>(cy) - reach);
       y <= std::min(height_ - 1, static_cast<int>(cy) + reach); ++y)
    for (int x = std::max(0, static_cast<int>(cx) - reach);
         x <= std::min(width_ - 1, static_cast<int>(cx) + reach); ++x) {
      float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
      at(x, y) = std::max(at(x, y), value * std::clamp(halfWidth + 0.5f - d, 0.0f, 1.0f));
    }
}

void Plane::drawDisc(float cx, float cy, float radius, float value) {
  int reach = static_cast<int>(radius + 2);
  for (int y = std::max(0, static_cast<int>(cy) - reach);
       y <= std::min(height_ - 1, static_cast<int>(cy) + reach); ++y)
    for (int x = std::max(0, static_cast<int>(cx) - reach);
         x <= std::min(width_ - 1, static_cast<int>(cx) + reach); ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      at(x, y) = std::max(at(x, y), value * std::clamp(radius + 0.5f - d, 0.0f, 1.0f));
    }
}

static float bilinear(const Plane& p, float x, float y) {
  float fx = x - 0.5f, fy = y - 0.5f;
  int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  float tx = fx - x0, ty = fy - y0;
  float top = p.atClamped(x0, y0) * (1 - tx) + p.atClamped(x0 + 1, y0) * tx;
  float bottom = p.atClamped(x0, y0 + 1) * (1 - tx) + p.atClamped(x0 + 1, y0 + 1) * tx;
  return top * (1 - ty) + bottom * ty;
}

Plane resizedPlane(const Plane& source, int width, int height) {
  Plane out(width, height);
  float sx = static_cast<float>(source.width()) / width, sy = static_cast<float>(source.height()) / height;
  int taps = std::max(1, static_cast<int>(std::ceil(std::max(sx, sy))));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float sum = 0.0f;
      for (int j = 0; j < taps; ++j)
        for (int i = 0; i < taps; ++i)
          sum += bilinear(source, (x + (i + 0.5f) / taps) * sx, (y + (j + 0.5f) / taps) * sy);
      out.at(x, y) = sum / (taps * taps);
    }
  return out;
}
