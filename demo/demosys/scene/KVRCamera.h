#pragma once

#include <cstdint>
#include <string>

#include "demosys/math/Matrix4.h"

class KVRAnimation;
class KVRObject;

// A camera node of a scene: its matrix from the object file and, once a keyframe file attaches
// one, an animation that moves it.
class KVRCamera {
 public:
  explicit KVRCamera(const std::string& name) : name(name) {}

  // Multiplies the GL matrix by the view at `seconds`: 90 - rx about x, -rz about y, -ry about
  // z, then a translation to minus the position (all zero without an animation).
  void Apply(float seconds) const;
  // The view from a scene object: the given rotations about x, y and z, the translation, then
  // the inverse of the object's animated matrix.
  static void ApplyObjectView(const KVRObject& object, float rx, float ry, float rz,
                              const Vec3f& translation);
  // The inverse of a rotation-and-translation matrix: rotation transposed, translation -R^T t.
  static Matrix4 rigidInverse(const Matrix4& matrix);

  const std::string& getName() const { return name; }
  void setAnimation(KVRAnimation* value) { animation = value; }
  KVRAnimation* getAnimation() const { return animation; }
  void setMatrix(const Matrix4& value) { matrix = value; }
  const Matrix4& getMatrix() const { return matrix; }

 private:
  std::string name;
  KVRAnimation* animation = nullptr;
  Matrix4 matrix = Matrix4::identity();
  uint32_t reserved[3] = {0, 0, 0};
};
