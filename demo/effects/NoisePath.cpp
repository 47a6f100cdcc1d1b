#include "effects/NoisePath.h"

#include <algorithm>

NoisePath::NoisePath(float x, float y, float z, float step, int32_t count, int seed)
    : originX(x), originY(y), originZ(z), step(step), count(count) {
  perlin.SetSeed(seed);
  points = new float[static_cast<size_t>(std::max(count, 1)) * 3]();
  Generate();
}

NoisePath::~NoisePath() { delete[] points; }

void NoisePath::Generate() {
  perlin.SetFrequency(1.1);
  perlin.SetOctaveCount(2);
  perlin.SetPersistence(0.5);
  points[0] = originX;
  points[1] = originY;
  points[2] = originZ;
  walk(0.3f, 0.5f, 0.0f);
}

void NoisePath::Regenerate(float u, float v, float w) {
  walk(static_cast<float>(u + 0.3), static_cast<float>(v + 0.5), w);
}

void NoisePath::walk(float a, float b, float c) {
  for (int32_t i = 1; i < count; ++i) {
    float* point = &points[static_cast<size_t>(i) * 3];
    point[0] = static_cast<float>(2.0 * perlin.GetValue(a, 0.5, c));
    point[1] = static_cast<float>(2.0 * perlin.GetValue(0.3, b, 0.0));
    point[2] = static_cast<float>(2.0 * perlin.GetValue(0.0, 0.2, c));
    a += step;
    b += step;
    c += step;
  }
}
