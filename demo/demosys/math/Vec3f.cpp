#include "demosys/math/Vec3f.h"

#include <cmath>

Vec3f Vec3f::cross(const Vec3f& other) const {
  return Vec3f(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
}

float Vec3f::length() const { return std::sqrt(dot(*this)); }

Vec3f Vec3f::normalized() const {
  float size = length();
  if (size == 0.0f) return *this;
  return *this * (1.0f / size);
}
