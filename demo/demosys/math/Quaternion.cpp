#include "demosys/math/Quaternion.h"

#include <cmath>

float Quaternion::halfAngle(float degrees) { return degrees / 180.0f * 3.1415927f * 0.5f; }

Quaternion Quaternion::fromAxisAngle(const Vec3f& axis, float degrees) {
  float half = halfAngle(degrees);
  float s = std::sin(half);
  return Quaternion(std::cos(half), axis.x * s, axis.y * s, axis.z * s);
}

Quaternion Quaternion::operator*(const Quaternion& b) const {
  return Quaternion(w * b.w - x * b.x - y * b.y - z * b.z, w * b.x + x * b.w + y * b.z - z * b.y,
                    w * b.y - x * b.z + y * b.w + z * b.x, w * b.z + x * b.y - y * b.x + z * b.w);
}

Quaternion Quaternion::normalized() const {
  float size = std::sqrt(w * w + x * x + y * y + z * z);
  if (size == 0.0f) return Quaternion();
  return Quaternion(w / size, x / size, y / size, z / size);
}

Matrix4 Quaternion::toMatrix() const {
  Matrix4 r = {{0}};
  r.m[0] = 1.0f - 2.0f * (y * y + z * z);
  r.m[1] = 2.0f * (x * y + w * z);
  r.m[2] = 2.0f * (x * z - w * y);
  r.m[4] = 2.0f * (x * y - w * z);
  r.m[5] = 1.0f - 2.0f * (x * x + z * z);
  r.m[6] = 2.0f * (y * z + w * x);
  r.m[8] = 2.0f * (x * z + w * y);
  r.m[9] = 2.0f * (y * z - w * x);
  r.m[10] = 1.0f - 2.0f * (x * x + y * y);
  r.m[15] = 1.0f;
  return r;
}

Vec3f Quaternion::rotate(const Vec3f& v) const {
  Quaternion result = *this * Quaternion(0.0f, v.x, v.y, v.z) * conjugate();
  return Vec3f(result.x, result.y, result.z);
}
