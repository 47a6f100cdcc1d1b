#pragma once

#include <fftw3.h>

#include <vector>

// Magnitude spectrum of a block of samples: Hamming window, FFTW real transform, scaled so that a
// full-scale sine centred on a bin reads 1. The plan is kept while the size stays the same.
class AudioSpectrum {
 public:
  static constexpr int MAX_VALUES = 8192;

  AudioSpectrum() = default;
  ~AudioSpectrum();
  AudioSpectrum(const AudioSpectrum&) = delete;
  AudioSpectrum& operator=(const AudioSpectrum&) = delete;

  // Reads 2 * count samples (oldest first) and writes count magnitudes: out[i] belongs to the
  // frequency i * sampleRate / (2 * count). count must lie in 1..MAX_VALUES.
  void compute(const float* samples, int count, float* out);

 private:
  void prepare(int count);
  void releasePlan();

  int values = 0;
  float* input = nullptr;
  fftwf_complex* output = nullptr;
  fftwf_plan plan = nullptr;
  std::vector<float> window;
  float scale = 0.0f;
};
