#include "OceanArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Random.h"

namespace {

const float kTwoPi = 6.28318530718f;

// A sum of plane waves with whole-number wave vectors: periodic over the unit square by
// construction, so the maps tile exactly.
struct WaveTrain {
  struct Wave {
    int kx, ky;
    float amplitude, phase;
  };
  std::vector<Wave> waves;

  WaveTrain(uint64_t seed, int count, float kMin, float kMax, float direction, float spread) {
    Random rng(seed);
    while (static_cast<int>(waves.size()) < count) {
      float k = rng.range(kMin, kMax);
      float angle = direction + rng.range(-spread, spread);
      int kx = static_cast<int>(std::lround(k * std::cos(angle)));
      int ky = static_cast<int>(std::lround(k * std::sin(angle)));
      float phase = rng.range(0.0f, kTwoPi);
      float amplitude = rng.range(0.5f, 1.0f) / std::pow(k, 1.5f);
      if (kx != 0 || ky != 0) waves.push_back({kx, ky, amplitude, phase});
    }
  }
  float height(float u, float v) const {
    float h = 0.0f;
    for (const Wave& w : waves) h += w.amplitude * std::sin(kTwoPi * (w.kx * u + w.ky * v) + w.phase);
    return h;
  }
  void slope(float u, float v, float& du, float& dv) const {
    du = dv = 0.0f;
    for (const Wave& w : waves) {
      float c = w.amplitude * kTwoPi * std::cos(kTwoPi * (w.kx * u + w.ky * v) + w.phase);
      du += c * w.kx;
      dv += c * w.ky;
    }
  }
};

// Distance from the nearest cell border of a periodic Voronoi pattern (F2 - F1, in cells):
// small on the bright lines of the caustic network.
float periodicCellEdge(float u, float v, int cells, uint32_t seed) {
  float x = u * cells, y = v * cells;
  int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  float f1 = 1e9f, f2 = 1e9f;
  for (int j = -1; j <= 1; ++j)
    for (int i = -1; i <= 1; ++i) {
      int gx = cx + i, gy = cy + j;
      int wx = ((gx % cells) + cells) % cells, wy = ((gy % cells) + cells) % cells;
      float px = gx + 0.15f + 0.7f * Random::hash(wx, wy, seed);
      float py = gy + 0.15f + 0.7f * Random::hash(wx, wy, seed + 1);
      float d = std::hypot(px - x, py - y);
      if (d < f1) {
        f2 = f1;
        f1 = d;
      } else if (d < f2) {
        f2 = d;
      }
    }
  return f2 - f1;
}

float wrap01(float v) { return v - std::floor(v); }

}  // namespace

Canvas OceanArt::oceanSurface(int size) {
  WaveTrain warpU(11, 6, 1.0f, 3.5f, 0.3f, 3.1f), warpV(12, 6, 1.0f, 3.5f, 1.9f, 3.1f);
  WaveTrain shade(13, 8, 1.0f, 2.5f, 0.0f, 3.1f);
  const Rgba deep{0.015f, 0.13f, 0.24f, 1.0f}, shallow{0.07f, 0.36f, 0.50f, 1.0f};
  Canvas out(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
      float wu = u + 0.035f * warpU.height(u, v) * 4.0f, wv = v + 0.035f * warpV.height(u, v) * 4.0f;
      float e1 = periodicCellEdge(wrap01(wu), wrap01(wv), 7, 101);
      float e2 = periodicCellEdge(wrap01(wu * 1.0f + 0.37f), wrap01(wv + 0.11f), 12, 202);
      float l1 = std::exp(-e1 * 9.0f), l2 = std::exp(-e2 * 7.0f);
      float caustic = 0.75f * l1 * l1 + 0.35f * l2 + 0.7f * l1 * l2;
      Rgba water = mix(deep, shallow, smoothstep(-0.8f, 0.8f, shade.height(u, v) * 2.0f));
      out.at(x, y) = {water.r + caustic * 0.50f, water.g + caustic * 0.82f, water.b + caustic * 0.92f, 1.0f};
    }
  return out;
}

Canvas OceanArt::waveNormals(int scale, int size) {
  struct Spectrum {
    int count;
    float kMin, kMax, direction, spread, slopeRms;
  };
  const Spectrum spectra[3] = {{24, 1.0f, 4.5f, 0.35f, 0.9f, 0.30f},
                               {48, 4.0f, 12.0f, 0.6f, 1.3f, 0.35f},
                               {96, 12.0f, 36.0f, 0.9f, 3.1f, 0.40f}};
  const Spectrum& s = spectra[std::clamp(scale, 0, 2)];
  WaveTrain train(300 + scale, s.count, s.kMin, s.kMax, s.direction, s.spread);
  std::vector<float> du(static_cast<size_t>(size) * size), dv(du.size());
  double sum2 = 0.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      // v grows towards the top of the picture, as texture coordinates do.
      size_t i = static_cast<size_t>(y) * size + x;
      train.slope((x + 0.5f) / size, 1.0f - (y + 0.5f) / size, du[i], dv[i]);
      sum2 += du[i] * du[i] + dv[i] * dv[i];
    }
  float gain = s.slopeRms / static_cast<float>(std::sqrt(sum2 / du.size()));
  Canvas out(size, size);
  for (size_t i = 0; i < du.size(); ++i) {
    float nx = -du[i] * gain, ny = -dv[i] * gain, nz = 1.0f;
    float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    out.at(static_cast<int>(i % size), static_cast<int>(i / size)) = {
        nx / len * 0.5f + 0.5f, ny / len * 0.5f + 0.5f, nz / len * 0.5f + 0.5f, 1.0f};
  }
  return out;
}
