#pragma once

#include "demosys/math/Vec3f.h"

// A 4x4 matrix in OpenGL's column-major order, as glLoadMatrixf and glMultMatrixf take it:
// element (row r, column c) is m[c * 4 + r], and m[12], m[13], m[14] hold the translation.
struct Matrix4 {
  float m[16];

  static Matrix4 identity();
  static Matrix4 translation(float x, float y, float z);
  // this x other, the order in which glMultMatrixf composes them.
  Matrix4 operator*(const Matrix4& other) const;
  Vec3f transformPoint(const Vec3f& point) const;
  Vec3f transformDirection(const Vec3f& direction) const;
  float operator[](int index) const { return m[index]; }
  float& operator[](int index) { return m[index]; }
};
