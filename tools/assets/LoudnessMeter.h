#pragma once

#include "StereoBuffer.h"

// Integrated loudness in LUFS (ITU-R BS.1770: K-weighting, 400 ms blocks with 75 % overlap,
// absolute gate at -70 LUFS and relative gate 10 LU below).
class LoudnessMeter {
 public:
  static double integratedLufs(const StereoBuffer& audio, double sampleRate);
};
