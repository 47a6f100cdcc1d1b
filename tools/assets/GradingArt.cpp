#include "GradingArt.h"

#include <algorithm>
#include <cmath>

#include "Plane.h"
#include "Random.h"

int GradingArt::overlayRegionWidth(int size) { return static_cast<int>(std::lround(0.9375 * size)); }
int GradingArt::overlayRegionHeight(int size) { return static_cast<int>(std::lround((1.0 - 0.4727) * size)); }

namespace {

// Corner brackets, a hairline border and ticks at the middle of each edge.
Plane frameLines(int w, int h) {
  Plane lines(w, h);
  const float inset = 14.0f, bracket = 26.0f, arm = 46.0f;
  lines.drawCapsule(inset, inset, w - inset, inset, 0.45f, 0.4f);
  lines.drawCapsule(inset, h - inset, w - inset, h - inset, 0.45f, 0.4f);
  lines.drawCapsule(inset, inset, inset, h - inset, 0.45f, 0.4f);
  lines.drawCapsule(w - inset, inset, w - inset, h - inset, 0.45f, 0.4f);
  for (int corner = 0; corner < 4; ++corner) {
    float cx = corner % 2 ? w - bracket : bracket, cy = corner / 2 ? h - bracket : bracket;
    float sx = corner % 2 ? -1.0f : 1.0f, sy = corner / 2 ? -1.0f : 1.0f;
    lines.drawCapsule(cx, cy, cx + sx * arm, cy, 1.1f, 0.9f);
    lines.drawCapsule(cx, cy, cx, cy + sy * arm, 1.1f, 0.9f);
    lines.drawDisc(cx + sx * 8.0f, cy + sy * 8.0f, 1.6f, 0.7f);
  }
  lines.drawCapsule(w * 0.5f, inset, w * 0.5f, inset + 12.0f, 0.6f, 0.7f);
  lines.drawCapsule(w * 0.5f, h - inset, w * 0.5f, h - inset - 12.0f, 0.6f, 0.7f);
  lines.drawCapsule(inset, h * 0.5f, inset + 12.0f, h * 0.5f, 0.6f, 0.7f);
  lines.drawCapsule(w - inset, h * 0.5f, w - inset - 12.0f, h * 0.5f, 0.6f, 0.7f);
  return lines;
}

// Film grain that thickens towards the edges of the picture and is gone well before the centre.
Rgba edgeGrain(int x, int y, int w, int h) {
  float d = static_cast<float>(std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y)));
  float ramp = 1.0f - smoothstep(0.0f, 44.0f, d);
  if (ramp <= 0.0f) return Rgba();
  float n = Random::hash(x, y, 77);
  float speck = Random::hash(x, y, 78);
  if (speck > 0.9985f) return {0.9f, 0.95f, 1.0f, 0.6f * ramp};
  return {0.0f, 0.02f, 0.04f, ramp * ramp * (0.22f + 0.38f * n)};
}

}  // namespace

Canvas GradingArt::frameOverlay(int size) {
  Canvas out(size, size, {0.85f, 0.95f, 1.0f, 0.0f});
  int w = overlayRegionWidth(size), h = overlayRegionHeight(size);
  Plane lines = frameLines(w, h);
  const Rgba ink{0.85f, 0.95f, 1.0f, 1.0f};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Rgba line = ink;
      line.a = lines.at(x, y);
      out.at(x, y) = over(line, edgeGrain(x, y, w, h));
      if (out.at(x, y).a <= 0.0f) out.at(x, y) = {ink.r, ink.g, ink.b, 0.0f};
    }
  return out;
}

Canvas GradingArt::colourNoise(int size) {
  Canvas out(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      // The sum of three uniforms is close to a bell curve: grain, not static.
      float luma = (Random::hash(x, y, 1) + Random::hash(x, y, 2) + Random::hash(x, y, 3)) / 3.0f - 0.5f;
      float warm = Random::hash(x, y, 4) - 0.5f, cool = Random::hash(x, y, 5) - 0.5f;
      out.at(x, y) = {0.5f + 0.9f * luma + 0.08f * warm, 0.5f + 0.9f * luma,
                      0.5f + 0.9f * luma + 0.08f * cool, 1.0f};
    }
  return out;
}

std::vector<float> GradingArt::gaussianWeights() {
  const float sigma = 2.6f;
  std::vector<float> weights(kKernelTaps);
  float sum = 0.0f;
  for (int i = 0; i < kKernelTaps; ++i) {
    float offset = static_cast<float>(i - kKernelTaps / 2);
    sum += weights[i] = std::exp(-0.5f * offset * offset / (sigma * sigma));
  }
  for (float& w : weights) w /= sum;
  return weights;
}

// The bytes are rounded so that they add up to exactly 255: the blur neither brightens nor darkens.
Canvas GradingArt::gaussianKernel() {
  std::vector<float> weights = gaussianWeights();
  std::vector<int> bytes(kKernelTaps);
  std::vector<std::pair<float, int>> remainders;
  int total = 0;
  for (int i = 0; i < kKernelTaps; ++i) {
    float scaled = weights[i] * 255.0f;
    bytes[i] = static_cast<int>(std::floor(scaled));
    total += bytes[i];
    remainders.push_back({scaled - bytes[i], i});
  }
  std::stable_sort(remainders.begin(), remainders.end(), [](auto& a, auto& b) { return a.first > b.first; });
  for (int k = 0; k < 255 - total; ++k) ++bytes[remainders[k].second];
  Canvas out(kKernelTexels, 1, {0.0f, 0.0f, 0.0f, 1.0f});
  for (int i = 0; i < kKernelTaps; ++i) {
    float v = bytes[i] / 255.0f;
    out.at(i, 0) = {v, v, v, 1.0f};
  }
  return out;
}

// A gentle film curve: lifted blacks, an S through the mids, a soft shoulder; shadows lean to
// teal and highlights to warm white.
Canvas GradingArt::toneCurve(int length) {
  Canvas out(length, 1);
  for (int i = 0; i < length; ++i) {
    float x = static_cast<float>(i) / (length - 1);
    float s = x * x * (3.0f - 2.0f * x);
    float c = 0.018f + 0.96f * (0.55f * s + 0.45f * x);
    float shadows = (1.0f - x) * (1.0f - x) * x * 4.0f;
    float highlights = smoothstep(0.55f, 1.0f, x);
    out.at(i, 0) = {clamp01(c - 0.025f * shadows + 0.02f * highlights), clamp01(c + 0.012f * shadows),
                    clamp01(c + 0.035f * shadows - 0.015f * highlights), 1.0f};
  }
  return out;
}
