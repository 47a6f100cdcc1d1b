#pragma once

#include <cstdint>
#include <vector>

// What a frame's picture looks like in numbers, for checks that watch a whole production:
// how bright it is overall and in its upper, middle and lower thirds (a picture with depth is
// not equally bright from top to bottom), and how coloured it is (0 for pure greys).
struct PictureMeasure {
  // Mean of 0.2126 R + 0.7152 G + 0.0722 B, 0 to 1.
  double luminance = 0.0;
  double thirds[3] = {0.0, 0.0, 0.0};
  // Mean chroma, (max - min of R, G, B) / 255: 0 for greys, 1 for pure primaries.
  double chroma = 0.0;

  // RGB, 8 bits each, rows top to bottom.
  static PictureMeasure of(const std::vector<uint8_t>& pixels, int width, int height);
};
