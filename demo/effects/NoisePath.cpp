#include "effects/NoisePath.h"

#include <algorithm>

#include "effects/PerlinSampler.h"

NoisePath::NoisePath(float x, float y, float z, float step, int32_t count, int seed)
    : originX(x), originY(y), originZ(z), step(step), count(count) {
  perlin.SetSeed(seed);
  // A negative count holds no point at all rather than an absurd allocation.
  size_t floats = static_cast<size_t>(std::max<int32_t>(count, 0)) * 3;
  points = new float[floats]();
  Generate();
}

NoisePath::~NoisePath() { delete[] points; }

void NoisePath::Generate() {
  perlin.SetFrequency(1.1);
  perlin.SetOctaveCount(2);
  perlin.SetPersistence(0.5);
  if (count < 1) return;
  points[0] = originX;
  points[1] = originY;
  points[2] = originZ;
  computePoints(0.3f, 0.5f, 0.0f, count, true);
}

void NoisePath::Regenerate(float u, float v, float w) {
  computePoints(static_cast<float>(u + 0.3), static_cast<float>(v + 0.5), w, count, true);
}

void NoisePath::RegenerateXZ(float u, float w, int32_t pointCount) {
  computePoints(static_cast<float>(u + 0.3), 0.0f, w, std::min(pointCount, count), false);
}

void NoisePath::computePoints(float a, float b, float c, int32_t pointCount, bool withY) {
  const PerlinSampler noise(perlin);
  for (int32_t i = 1; i < pointCount; ++i) {
    float* point = points + 3 * i;
    point[0] = static_cast<float>(2.0 * noise.GetValue(a, 0.5, c));
    if (withY) point[1] = static_cast<float>(2.0 * noise.GetValue(0.3, b, 0.0));
    point[2] = static_cast<float>(2.0 * noise.GetValue(0.0, 0.2, c));
    a += step;
    b += step;
    c += step;
  }
}
