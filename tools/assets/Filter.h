#pragma once

// A state-variable filter (topology-preserving transform): smooth under fast cutoff sweeps,
// which the pad, the plucks and the riser all do.
class Filter {
 public:
  explicit Filter(float sampleRate) : sampleRate_(sampleRate) {}
  void set(float cutoffHz, float resonanceQ);
  float lowpass(float x) {
    step(x);
    return low_;
  }
  float bandpass(float x) {
    step(x);
    return band_;
  }
  float highpass(float x) {
    step(x);
    return x - k_ * band_ - low_;
  }

 private:
  void step(float x);

  float sampleRate_;
  float a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1.4f;
  float ic1_ = 0, ic2_ = 0, low_ = 0, band_ = 0;
};
