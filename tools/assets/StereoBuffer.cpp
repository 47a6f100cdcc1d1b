#include "StereoBuffer.h"

#include <algorithm>
#include <cmath>

Pan::Pan(float position) {
  float angle = (position + 1.0f) * 0.25f * 3.14159265f;
  left = std::cos(angle) * 1.41421356f;
  right = std::sin(angle) * 1.41421356f;
}

float StereoBuffer::peak() const {
  float p = 0.0f;
  for (size_t i = 0; i < left.size(); ++i) p = std::max({p, std::fabs(left[i]), std::fabs(right[i])});
  return p;
}
