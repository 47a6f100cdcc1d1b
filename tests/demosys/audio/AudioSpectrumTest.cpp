#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "demosys/audio/AudioSpectrum.h"

namespace {

std::vector<float> sine(int size, double cyclesPerSample, double amplitude) {
  std::vector<float> samples(size);
  const double twoPi = 2.0 * std::acos(-1.0);
  for (int i = 0; i < size; ++i)
    samples[i] = static_cast<float>(amplitude * std::sin(twoPi * cyclesPerSample * i));
  return samples;
}

}  // namespace

TEST(AudioSpectrumTest, FullScaleSinePeaksNearOneInItsBin) {
  struct Case {
    int count, bin;
  };
  for (Case c : {Case{64, 5}, Case{1024, 40}, Case{1024, 1000}, Case{8192, 3000}}) {
    std::vector<float> samples = sine(2 * c.count, double(c.bin) / (2 * c.count), 1.0);
    std::vector<float> out(c.count + 1, -1.0f);
    AudioSpectrum spectrum;
    spectrum.compute(samples.data(), c.count, out.data());
    int peak = static_cast<int>(std::max_element(out.begin(), out.begin() + c.count) - out.begin());
    EXPECT_EQ(c.bin, peak) << "count " << c.count;
    EXPECT_NEAR(1.0, out[peak], 0.01) << "count " << c.count;
    EXPECT_LT(out[peak > 10 ? peak - 10 : peak + 10], 0.01) << "count " << c.count;
    EXPECT_EQ(-1.0f, out[c.count]) << "writes past count";
  }
}

TEST(AudioSpectrumTest, SilenceAndChangingSizes) {
  AudioSpectrum spectrum;
  std::vector<float> silence(512, 0.0f), out(256);
  spectrum.compute(silence.data(), 256, out.data());
  for (float value : out) EXPECT_EQ(0.0f, value);
  // A new size after an old one uses a fresh plan.
  std::vector<float> samples = sine(128, 8.0 / 128, 0.5);
  spectrum.compute(samples.data(), 64, out.data());
  EXPECT_NEAR(0.5, out[8], 0.01);
}
