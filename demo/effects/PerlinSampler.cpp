#include "effects/PerlinSampler.h"

#include <interp.h>

#include <cmath>
#include <cstdint>

// libnoise's own table of 256 unit gradients, (x, y, z, 0) per row. The library exports it; its
// header defines it rather than declaring it, so it is declared here.
namespace noise {
extern double g_randomVectors[256 * 4];
}

namespace {

// The lattice hash of libnoise: one multiplier per axis and one for the seed.
const uint32_t X_FACTOR = 1619;
const uint32_t Y_FACTOR = 31337;
const uint32_t Z_FACTOR = 6971;
const uint32_t SEED_FACTOR = 1013;
const double GRADIENT_SCALE = 2.12;

// One lattice corner's gradient dotted with the offset to it. The hash is libnoise's, in
// unsigned arithmetic that wraps where the library's int arithmetic overflows; the low byte of
// the folded hash is the same either way.
inline double cornerNoise(uint32_t hash, double dx, double dy, double dz) {
  hash = (hash ^ (hash >> 8)) & 0xff;
  const double* gradient = noise::g_randomVectors + (hash << 2);
  return ((gradient[0] * dx) + (gradient[1] * dy) + (gradient[2] * dz)) * GRADIENT_SCALE;
}

// The lattice cell below a coordinate as the library picks it: 0 itself belongs to cell -1.
inline int cellBelow(double coordinate) {
  return coordinate > 0.0 ? static_cast<int>(coordinate) : static_cast<int>(coordinate) - 1;
}

bool inLatticeRange(double coordinate) { return std::fabs(coordinate) < 1073741824.0; }

inline double smooth(noise::NoiseQuality quality, double fraction) {
  switch (quality) {
    case noise::QUALITY_FAST:
      return fraction;
    case noise::QUALITY_BEST:
      return noise::SCurve5(fraction);
    default:
      return noise::SCurve3(fraction);
  }
}

}  // namespace

PerlinSampler::PerlinSampler(const noise::module::Perlin& settings)
    : frequency(settings.GetFrequency()),
      lacunarity(settings.GetLacunarity()),
      persistence(settings.GetPersistence()),
      octaveCount(settings.GetOctaveCount()),
      seed(settings.GetSeed()),
      quality(settings.GetNoiseQuality()) {}

double PerlinSampler::GetValue(double x, double y, double z) const {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return 0.0;
  double value = 0.0;
  double octaveWeight = 1.0;
  x *= frequency;
  y *= frequency;
  z *= frequency;
  for (int octave = 0; octave < octaveCount; ++octave) {
    const double nx = noise::MakeInt32Range(x);
    const double ny = noise::MakeInt32Range(y);
    const double nz = noise::MakeInt32Range(z);
    // Octaves far enough up overflow to infinity, which the range folding turns into NaN.
    if (!inLatticeRange(nx) || !inLatticeRange(ny) || !inLatticeRange(nz)) return 0.0;
    const int octaveSeed = static_cast<int>(static_cast<uint32_t>(seed) + static_cast<uint32_t>(octave));
    value += coherentNoise(nx, ny, nz, octaveSeed) * octaveWeight;
    x *= lacunarity;
    y *= lacunarity;
    z *= lacunarity;
    octaveWeight *= persistence;
  }
  return value;
}

// Gradients at the eight corners of the cell, blended along x, then y, then z. The offsets to
// the corners and the hash terms are each worked out once; the arithmetic per corner is the
// library's own, so the result is too.
double PerlinSampler::coherentNoise(double x, double y, double z, int octaveSeed) const {
  const int x0 = cellBelow(x), y0 = cellBelow(y), z0 = cellBelow(z);
  const double dx0 = x - x0, dx1 = x - (x0 + 1);
  const double dy0 = y - y0, dy1 = y - (y0 + 1);
  const double dz0 = z - z0, dz1 = z - (z0 + 1);
  const uint32_t hx0 = X_FACTOR * static_cast<uint32_t>(x0), hx1 = hx0 + X_FACTOR;
  const uint32_t hy0 = Y_FACTOR * static_cast<uint32_t>(y0), hy1 = hy0 + Y_FACTOR;
  const uint32_t hz0 = Z_FACTOR * static_cast<uint32_t>(z0) + SEED_FACTOR * static_cast<uint32_t>(octaveSeed);
  const uint32_t hz1 = hz0 + Z_FACTOR;
  const double xs = smooth(quality, dx0), ys = smooth(quality, dy0), zs = smooth(quality, dz0);
  using noise::LinearInterp;
  const double near0 = LinearInterp(cornerNoise(hx0 + hy0 + hz0, dx0, dy0, dz0),
                                    cornerNoise(hx1 + hy0 + hz0, dx1, dy0, dz0), xs);
  const double near1 = LinearInterp(cornerNoise(hx0 + hy1 + hz0, dx0, dy1, dz0),
                                    cornerNoise(hx1 + hy1 + hz0, dx1, dy1, dz0), xs);
  const double far0 = LinearInterp(cornerNoise(hx0 + hy0 + hz1, dx0, dy0, dz1),
                                   cornerNoise(hx1 + hy0 + hz1, dx1, dy0, dz1), xs);
  const double far1 = LinearInterp(cornerNoise(hx0 + hy1 + hz1, dx0, dy1, dz1),
                                   cornerNoise(hx1 + hy1 + hz1, dx1, dy1, dz1), xs);
  return LinearInterp(LinearInterp(near0, near1, ys), LinearInterp(far0, far1, ys), zs);
}
