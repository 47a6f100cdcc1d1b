#include "capture/PictureMeasure.h"

#include <algorithm>

PictureMeasure PictureMeasure::of(const std::vector<uint8_t>& pixels, int width, int height) {
  PictureMeasure measure;
  const size_t count = size_t(width) * size_t(height);
  if (width <= 0 || height <= 0 || pixels.size() < count * 3) return measure;
  double total = 0.0, chromaTotal = 0.0;
  double thirdTotals[3] = {0.0, 0.0, 0.0};
  size_t thirdCounts[3] = {0, 0, 0};
  for (int y = 0; y < height; ++y) {
    const int third = std::min(2, y * 3 / height);
    const uint8_t* row = &pixels[size_t(y) * width * 3];
    double rowTotal = 0.0;
    for (int x = 0; x < width; ++x) {
      const uint8_t r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
      rowTotal += 0.2126 * r + 0.7152 * g + 0.0722 * b;
      chromaTotal += std::max({r, g, b}) - std::min({r, g, b});
    }
    total += rowTotal;
    thirdTotals[third] += rowTotal;
    thirdCounts[third] += width;
  }
  measure.luminance = total / (255.0 * count);
  for (int i = 0; i < 3; ++i)
    measure.thirds[i] = thirdCounts[i] ? thirdTotals[i] / (255.0 * thirdCounts[i]) : 0.0;
  measure.chroma = chromaTotal / (255.0 * count);
  return measure;
}
