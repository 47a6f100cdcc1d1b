#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "effects/PerlinSampler.h"

// Bit for bit, over small, negative, lattice-exact and huge coordinates (the range folding).
TEST(PerlinSamplerTest, GivesTheLibnoiseModulesValues) {
  const struct {
    int seed, octaves;
    double frequency, lacunarity, persistence;
    noise::NoiseQuality quality;
  } settings[] = {{123456789, 2, 1.1, 2.0, 0.5, noise::QUALITY_STD},
                  {-7, 1, 0.37, 2.5, 0.8, noise::QUALITY_FAST},
                  {std::numeric_limits<int>::max(), 4, 3.0, 1.9, 0.6, noise::QUALITY_BEST},
                  {std::numeric_limits<int>::min(), 6, 1.0, 2.0, 0.5, noise::QUALITY_STD}};
  std::mt19937 random(42);
  std::uniform_real_distribution<double> small(-8.0, 8.0), huge(-4.0e9, 4.0e9);
  for (const auto& s : settings) {
    noise::module::Perlin perlin;
    perlin.SetSeed(s.seed);
    perlin.SetOctaveCount(s.octaves);
    perlin.SetFrequency(s.frequency);
    perlin.SetLacunarity(s.lacunarity);
    perlin.SetPersistence(s.persistence);
    perlin.SetNoiseQuality(s.quality);
    const PerlinSampler sampler(perlin);
    for (int i = 0; i < 2000; ++i) {
      const double x = i % 8 == 7 ? huge(random) : small(random), y = small(random);
      const double z = i % 5 == 0 ? std::floor(small(random)) : i == 1 ? -0.0 : small(random);
      ASSERT_EQ(perlin.GetValue(x, y, z), sampler.GetValue(x, y, z))
          << s.seed << ": " << x << " " << y << " " << z;
    }
  }
}

TEST(PerlinSamplerTest, NonFiniteCoordinatesReadZero) {
  const PerlinSampler sampler{noise::module::Perlin()};
  const double nan = std::numeric_limits<double>::quiet_NaN(),
               infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(0.0, sampler.GetValue(nan, 0.5, 0.5));
  EXPECT_EQ(0.0, sampler.GetValue(0.5, -infinity, 0.5));
  EXPECT_EQ(0.0, sampler.GetValue(0.5, 0.5, infinity));
  EXPECT_EQ(0.0, sampler.GetValue(1.0e308, 0.5, 0.5));  // finite, but the higher octaves overflow
}
