#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "demosys/audio/AudioSpectrum.h"

namespace {

std::vector<float> sine(int size, double cyclesPerSample, double amplitude) {
  std::vector<float> samples(size);
  for (int i = 0; i < size; ++i)
    samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::acos(-1.0) * cyclesPerSample * i));
  return samples;
}

}  // namespace

// A sine of a bin's frequency peaks in that bin at its amplitude, with nothing ten bins away.
// One spectrum object serves every size in turn, silence included.
TEST(AudioSpectrumTest, SinePeaksInItsBinAtItsAmplitude) {
  struct Case {
    int count, bin;
    double amplitude;
  } cases[] = {{64, 5, 1.0},      {1024, 40, 1.0}, {1024, 1000, 1.0},
               {8192, 3000, 1.0}, {256, 20, 0.0},  {64, 8, 0.5}};
  AudioSpectrum spectrum;
  for (Case c : cases) {
    std::vector<float> samples = sine(2 * c.count, double(c.bin) / (2 * c.count), c.amplitude);
    std::vector<float> out(c.count + 1, -1.0f);
    spectrum.compute(samples.data(), c.count, out.data());
    EXPECT_NEAR(c.amplitude, out[c.bin], 0.01) << "count " << c.count;
    EXPECT_EQ(out[c.bin], *std::max_element(out.begin(), out.begin() + c.count)) << "count " << c.count;
    EXPECT_LT(out[c.bin > 10 ? c.bin - 10 : c.bin + 10], 0.01) << "count " << c.count;
    EXPECT_EQ(-1.0f, out[c.count]) << "writes past count";
  }
}
