#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
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
  AudioSpectrum spectrum;
  const std::tuple<int, int, double> cases[] = {{64, 5, 1.0},      {1024, 40, 1.0}, {1024, 1000, 1.0},
                                                {8192, 3000, 1.0}, {256, 20, 0.0},  {64, 8, 0.5}};
  for (auto [count, bin, amplitude] : cases) {
    std::vector<float> samples = sine(2 * count, double(bin) / (2 * count), amplitude);
    std::vector<float> out(count + 1, -1.0f);
    spectrum.compute(samples.data(), count, out.data());
    EXPECT_NEAR(amplitude, out[bin], 0.01) << "count " << count;
    EXPECT_EQ(out[bin], *std::max_element(out.begin(), out.begin() + count)) << "count " << count;
    EXPECT_LT(out[bin > 10 ? bin - 10 : bin + 10], 0.01) << "count " << count;
    EXPECT_EQ(-1.0f, out[count]) << "writes past count";
  }
}
