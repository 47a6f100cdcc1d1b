#pragma once

// A point or direction in 3D, three single-precision floats.
struct Vec3f {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  Vec3f() = default;
  Vec3f(float x, float y, float z) : x(x), y(y), z(z) {}

  Vec3f operator+(const Vec3f& other) const { return Vec3f(x + other.x, y + other.y, z + other.z); }
  Vec3f operator-(const Vec3f& other) const { return Vec3f(x - other.x, y - other.y, z - other.z); }
  Vec3f operator*(float factor) const { return Vec3f(x * factor, y * factor, z * factor); }
  Vec3f& operator+=(const Vec3f& other) {
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
  }
  Vec3f operator-() const { return Vec3f(-x, -y, -z); }

  float dot(const Vec3f& other) const { return x * other.x + y * other.y + z * other.z; }
  Vec3f cross(const Vec3f& other) const;
  float length() const;
  // The unit vector of the same direction; the zero vector stays zero.
  Vec3f normalized() const;
};
