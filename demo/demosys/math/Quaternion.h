#pragma once

#include "demosys/math/Matrix4.h"
#include "demosys/math/Vec3f.h"

// A rotation as a unit quaternion (w, x, y, z); angles in degrees.
struct Quaternion {
  float w = 1.0f;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  Quaternion() = default;
  Quaternion(float w, float x, float y, float z) : w(w), x(x), y(y), z(z) {}

  // Half of `degrees` in radians, in single precision as the engine has always computed it.
  static float halfAngle(float degrees);
  static Quaternion fromAxisAngle(const Vec3f& unitAxis, float degrees);
  // Hamilton product: this first applied after `other` (this x other).
  Quaternion operator*(const Quaternion& other) const;
  Quaternion conjugate() const { return Quaternion(w, -x, -y, -z); }
  Quaternion normalized() const;
  Matrix4 toMatrix() const;
  Vec3f rotate(const Vec3f& vector) const;
};
