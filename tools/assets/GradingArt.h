#pragma once

#include <vector>

#include "Canvas.h"

// The pictures the grading and blur passes read.
class GradingArt {
 public:
  // Width of the blur kernel strip and the taps it holds (offsets -7 .. +7, the last texel 0).
  static const int kKernelTexels = 16;
  static const int kKernelTaps = 15;

  // The frame laid over the finished picture. Only the part from (0, 0) to
  // (0.9375 w, 0.5273 h) of the PNG, counted from its top-left, reaches the screen.
  static Canvas frameOverlay(int size);
  static Canvas colourNoise(int size);
  static Canvas gaussianKernel();
  static std::vector<float> gaussianWeights();
  static Canvas toneCurve(int length);
  // The overlay region in pixels of an overlay of the given size.
  static int overlayRegionWidth(int size);
  static int overlayRegionHeight(int size);
};
