#pragma once

#include <noise.h>

#include <cstdint>

// A three-dimensional curve of `count` points walked through Perlin noise: each point reads the
// noise at coordinates that advance by `step`, so neighbouring points stay close. Creatures use
// it as a spine, the underwater ribbons as their sway.
class NoisePath {
 public:
  NoisePath(float x, float y, float z, float step, int32_t count, int seed);
  ~NoisePath();
  NoisePath(const NoisePath&) = delete;
  NoisePath& operator=(const NoisePath&) = delete;

  // Sets the noise up (frequency 1.1, two octaves, persistence 0.5) and walks from the origin.
  void Generate();
  // Walks again with the noise coordinates shifted by (u, v, w); the origin stays.
  void Regenerate(float u, float v, float w);
  // x, y, z per point.
  float* GetPoints() { return points; }
  const float* GetPoints() const { return points; }
  int32_t GetCount() const { return count; }

 private:
  void walk(float a, float b, float c);

  noise::module::Perlin perlin;
  float originX;
  float originY;
  float originZ;
  float step;
  int32_t count;
  float* points;
};
