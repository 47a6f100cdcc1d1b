#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "effects/PerlinSampler.h"

namespace {

struct Settings {
  int seed;
  int octaves;
  double frequency;
  double lacunarity;
  double persistence;
  noise::NoiseQuality quality;
};

noise::module::Perlin moduleWith(const Settings& s) {
  noise::module::Perlin perlin;
  perlin.SetSeed(s.seed);
  perlin.SetOctaveCount(s.octaves);
  perlin.SetFrequency(s.frequency);
  perlin.SetLacunarity(s.lacunarity);
  perlin.SetPersistence(s.persistence);
  perlin.SetNoiseQuality(s.quality);
  return perlin;
}

}  // namespace

// Bit for bit, over small, negative, lattice-exact and huge coordinates (the range folding).
TEST(PerlinSamplerTest, MatchesTheLibnoiseModuleExactly) {
  const Settings settings[] = {
      {0, 6, 1.0, 2.0, 0.5, noise::QUALITY_STD},
      {123456789, 2, 1.1, 2.0, 0.5, noise::QUALITY_STD},
      {-7, 1, 0.37, 2.5, 0.8, noise::QUALITY_FAST},
      {2147483647, 4, 3.0, 1.9, 0.6, noise::QUALITY_BEST},
      {std::numeric_limits<int>::min(), 3, 1.0, 2.0, 0.5, noise::QUALITY_STD},
  };
  std::mt19937 random(42);
  std::uniform_real_distribution<double> small(-8.0, 8.0);
  std::uniform_real_distribution<double> huge(-4.0e9, 4.0e9);
  for (const Settings& s : settings) {
    SCOPED_TRACE(s.seed);
    noise::module::Perlin perlin = moduleWith(s);
    PerlinSampler sampler(perlin);
    for (int i = 0; i < 4000; ++i) {
      const bool far = i % 8 == 7;
      double x = far ? huge(random) : small(random);
      double y = small(random);
      double z = i % 5 == 0 ? std::floor(small(random)) : small(random);
      ASSERT_EQ(perlin.GetValue(x, y, z), sampler.GetValue(x, y, z)) << x << " " << y << " " << z;
    }
    EXPECT_EQ(perlin.GetValue(0.0, 0.0, 0.0), sampler.GetValue(0.0, 0.0, 0.0));
    EXPECT_EQ(perlin.GetValue(-1.0, 1.0, -0.0), sampler.GetValue(-1.0, 1.0, -0.0));
  }
}

TEST(PerlinSamplerTest, KeepsTheSettingsItWasMadeWith) {
  noise::module::Perlin perlin;
  perlin.SetSeed(5);
  PerlinSampler sampler(perlin);
  const double before = perlin.GetValue(0.3, 0.6, 0.9);
  perlin.SetSeed(6);
  EXPECT_EQ(before, sampler.GetValue(0.3, 0.6, 0.9));
  EXPECT_NE(perlin.GetValue(0.3, 0.6, 0.9), sampler.GetValue(0.3, 0.6, 0.9));
}

TEST(PerlinSamplerTest, NonFiniteCoordinatesReadZero) {
  PerlinSampler sampler{noise::module::Perlin()};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(0.0, sampler.GetValue(nan, 0.5, 0.5));
  EXPECT_EQ(0.0, sampler.GetValue(0.5, -infinity, 0.5));
  EXPECT_EQ(0.0, sampler.GetValue(0.5, 0.5, infinity));
  // Finite, but the higher octaves overflow.
  EXPECT_EQ(0.0, sampler.GetValue(1.0e308, 0.5, 0.5));
}
