#pragma once

#include <noise.h>

// The values of a libnoise Perlin module, equal to the module's own to the last bit, computed
// inline: the module pays a library call per lattice corner (eight per octave), which made the
// swaying ribbons, rebuilt from about twelve thousand noise reads every frame, the underwater
// scene's largest CPU cost. The sampler takes the module's settings when it is made; later
// changes to the module do not reach it.
class PerlinSampler {
 public:
  explicit PerlinSampler(const noise::module::Perlin& settings);

  // Non-finite coordinates read 0; the module has no defined answer for them.
  double GetValue(double x, double y, double z) const;

 private:
  double coherentNoise(double x, double y, double z, int octaveSeed) const;

  double frequency;
  double lacunarity;
  double persistence;
  int octaveCount;
  int seed;
  noise::NoiseQuality quality;
};
