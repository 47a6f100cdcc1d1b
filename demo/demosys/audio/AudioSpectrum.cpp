#include "demosys/audio/AudioSpectrum.h"

#include <cmath>

AudioSpectrum::~AudioSpectrum() { releasePlan(); }

void AudioSpectrum::compute(const float* samples, int count, float* out) {
  if (count != values) prepare(count);
  const int size = 2 * count;
  for (int i = 0; i < size; ++i) input[i] = samples[i] * window[i];
  fftwf_execute(plan);
  for (int i = 0; i < count; ++i) out[i] = std::hypot(output[i][0], output[i][1]) * scale;
}

void AudioSpectrum::prepare(int count) {
  releasePlan();
  values = count;
  const int size = 2 * count;
  input = fftwf_alloc_real(size);
  output = fftwf_alloc_complex(count + 1);
  plan = fftwf_plan_dft_r2c_1d(size, input, output, FFTW_ESTIMATE);
  window.resize(size);
  double windowSum = 0.0;
  const double pi = std::acos(-1.0);
  for (int i = 0; i < size; ++i) {
    window[i] = static_cast<float>(0.54 - 0.46 * std::cos(2.0 * pi * i / (size - 1 > 0 ? size - 1 : 1)));
    windowSum += window[i];
  }
  // A sine of amplitude A puts A/2 of the window's sum into its bin.
  scale = static_cast<float>(2.0 / windowSum);
}

void AudioSpectrum::releasePlan() {
  if (plan) fftwf_destroy_plan(plan);
  fftwf_free(input);
  fftwf_free(output);
  plan = nullptr;
  input = nullptr;
  output = nullptr;
  values = 0;
}
