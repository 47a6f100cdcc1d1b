#include "demosys/scene/KVRCamera.h"

#include <GL/glew.h>

#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRObject.h"

void KVRCamera::Apply(float seconds) const {
  Vec3f position, rotation;
  if (animation) {
    position = animation->evaluatePosition(seconds);
    rotation = animation->evaluateRotation(seconds);
  }
  glRotatef(90.0f - rotation.x, 1.0f, 0.0f, 0.0f);
  glRotatef(-rotation.z, 0.0f, 1.0f, 0.0f);
  glRotatef(-rotation.y, 0.0f, 0.0f, 1.0f);
  glTranslatef(-position.x, -position.y, -position.z);
}

Matrix4 KVRCamera::rigidInverse(const Matrix4& matrix) {
  Matrix4 inverse = Matrix4::identity();
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 3; ++row) inverse.m[column * 4 + row] = matrix.m[row * 4 + column];
  for (int row = 0; row < 3; ++row)
    inverse.m[12 + row] = -(inverse.m[row] * matrix.m[12] + inverse.m[4 + row] * matrix.m[13] +
                            inverse.m[8 + row] * matrix.m[14]);
  return inverse;
}

void KVRCamera::ApplyObjectView(const KVRObject& object, float rx, float ry, float rz,
                                const Vec3f& translation) {
  glRotatef(rx, 1.0f, 0.0f, 0.0f);
  glRotatef(ry, 0.0f, 1.0f, 0.0f);
  glRotatef(rz, 0.0f, 0.0f, 1.0f);
  glTranslatef(translation.x, translation.y, translation.z);
  glMultMatrixf(rigidInverse(object.getAnimatedMatrix()).m);
}
