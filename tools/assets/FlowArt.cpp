#include "FlowArt.h"

#include <noise.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const float kPi = 3.14159265359f;

float vortex(float x, float y, float cx, float cy, float radius) {
  float dx = x - cx, dy = y - cy;
  return std::exp(-(dx * dx + dy * dy) / (radius * radius));
}

// Stream functions: the flow runs along their contour lines, so it swirls without sources.
// Each is shaped by a window that is zero on the border, so the flow is still at the edges and
// its mean is zero.
float streamFunction(int field, float x, float y, const noise::module::Perlin& perlin) {
  float window = std::sin(kPi * x) * std::sin(kPi * y);
  window *= window;
  switch (field) {
    case 0:  // one broad whirl
      return window * (vortex(x, y, 0.5f, 0.5f, 0.45f) +
                       0.15f * static_cast<float>(perlin.GetValue(x * 2, y * 2, 0.0)));
    case 1:  // a counter-rotating pair that throws the dye forward
      return window * (vortex(x, y, 0.35f, 0.52f, 0.2f) - vortex(x, y, 0.65f, 0.48f, 0.2f) +
                       0.25f * static_cast<float>(perlin.GetValue(x * 3, y * 3, 1.0)));
    default:  // a turbulent field of many small eddies
      return window * static_cast<float>(perlin.GetValue(x * 3.5, y * 3.5, 2.0));
  }
}

}  // namespace

// One component of a field, less its mean, at pixel centres (rows from the top).
static std::vector<float> componentValues(int field, bool vertical, int size,
                                          const noise::module::Perlin& perlin) {
  std::vector<float> values(static_cast<size_t>(size) * size);
  const float h = 0.5f / size;
  double mean = 0.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float px = (x + 0.5f) / size, py = 1.0f - (y + 0.5f) / size;
      // u = d(psi)/dy, v = -d(psi)/dx: divergence-free by construction.
      float d = vertical
                    ? -(streamFunction(field, px + h, py, perlin) - streamFunction(field, px - h, py, perlin))
                    : streamFunction(field, px, py + h, perlin) - streamFunction(field, px, py - h, perlin);
      mean += values[static_cast<size_t>(y) * size + x] = d / (2.0f * h);
    }
  mean /= values.size();
  for (float& v : values) v -= static_cast<float>(mean);
  return values;
}

Canvas FlowArt::velocityComponent(int field, bool vertical, int size) {
  noise::module::Perlin perlin;
  perlin.SetSeed(7 + field);
  perlin.SetOctaveCount(3);
  std::vector<float> values = componentValues(field, vertical, size, perlin);
  // Both halves share one scale, so the pair keeps the direction of the flow.
  float peak = 1e-6f;
  for (bool axis : {false, true})
    for (float v : componentValues(field, axis, size, perlin)) peak = std::max(peak, std::fabs(v));
  Canvas out(size, size);
  for (size_t i = 0; i < values.size(); ++i) {
    float g = 0.5f + 0.48f * values[i] / peak;
    out.at(static_cast<int>(i % size), static_cast<int>(i / size)) = {g, g, g, 1.0f};
  }
  return out;
}
