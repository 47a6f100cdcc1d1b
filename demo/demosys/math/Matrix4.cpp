#include "demosys/math/Matrix4.h"

Matrix4 Matrix4::identity() {
  Matrix4 result = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
  return result;
}

Matrix4 Matrix4::translation(float x, float y, float z) {
  Matrix4 result = identity();
  result.m[12] = x;
  result.m[13] = y;
  result.m[14] = z;
  return result;
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
  Matrix4 result;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * other.m[column * 4 + k];
      result.m[column * 4 + row] = sum;
    }
  }
  return result;
}

Vec3f Matrix4::transformPoint(const Vec3f& p) const {
  return Vec3f(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
               m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
}

Vec3f Matrix4::transformDirection(const Vec3f& d) const {
  return Vec3f(m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
               m[2] * d.x + m[6] * d.y + m[10] * d.z);
}
