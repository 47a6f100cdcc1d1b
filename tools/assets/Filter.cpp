#include "Filter.h"

#include <algorithm>
#include <cmath>

void Filter::set(float cutoffHz, float resonanceQ) {
  float fc = std::clamp(cutoffHz, 10.0f, sampleRate_ * 0.45f);
  float g = std::tan(3.14159265f * fc / sampleRate_);
  k_ = 1.0f / resonanceQ;
  a1_ = 1.0f / (1.0f + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

void Filter::step(float x) {
  float v3 = x - ic2_;
  float v1 = a1_ * ic1_ + a2_ * v3;
  float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  band_ = v1;
  low_ = v2;
}
