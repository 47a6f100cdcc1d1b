#pragma once

#include <noise.h>

#include <cstdint>

// A fixed three-dimensional curve made from Perlin noise: `count` points starting at the origin,
// each one read from the noise field a little further along. The particle creature follows it
// as its spine; the underwater scene regenerates it with its own offsets.
class NoisePath {
 public:
  NoisePath(float x, float y, float z, float step, int32_t count, int seed);
  ~NoisePath();
  NoisePath(const NoisePath&) = delete;
  NoisePath& operator=(const NoisePath&) = delete;

  void Generate();
  // Recomputes every point after the first with the noise coordinates shifted by (u, v, w).
  void Regenerate(float u, float v, float w);
  // What Regenerate(u, v, w) gives the x and z of points 1 to pointCount - 1 (clamped to the
  // count); y and the later points keep their values. A curve seen from above needs no more,
  // and the noise is most of its cost.
  void RegenerateXZ(float u, float w, int32_t pointCount);
  // x, y, z per point, `GetCount()` points.
  float* GetPoints() const { return points; }
  int32_t GetCount() const { return count; }

 private:
  void computePoints(float a, float b, float c, int32_t pointCount, bool withY);

  noise::module::Perlin perlin;
  float originX;
  float originY;
  float originZ;
  float step;
  int32_t count;
  float* points;
};
