#pragma once

#include <cstdint>

// A small, fixed pseudo-random generator (SplitMix64), so every run and every platform makes
// the same art and music.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint64_t next();
  // Uniform in [0, 1).
  float uniform();
  float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
  // Uniform in [-1, 1): white noise for the synthesiser.
  float bipolar() { return uniform() * 2.0f - 1.0f; }

  // A stateless hash of a lattice point, uniform in [0, 1).
  static float hash(int x, int y, uint32_t seed);

 private:
  uint64_t state_;
};
