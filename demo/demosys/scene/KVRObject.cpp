#include "demosys/scene/KVRObject.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "demosys/gl/MeshBuffer.h"
#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRMaterial.h"
#include "demosys/scene/ShaderInstance.h"

namespace {

Matrix4 rotationPart(const Matrix4& matrix) {
  Matrix4 result = matrix;
  result.m[12] = result.m[13] = result.m[14] = 0.0f;
  return result;
}

}  // namespace

KVRObject::KVRObject(uint32_t id, uint32_t parentId, const std::string& name)
    : id(id), parentId(parentId), name(name) {}

Matrix4 KVRObject::rotation(float degrees, const Vec3f& axis) {
  Matrix4 result = Matrix4::identity();
  const Vec3f u = axis.normalized();
  if (u.length() == 0.0f) return result;
  const float radians = degrees * 3.14159265f / 180.0f;
  const float c = std::cos(radians), s = std::sin(radians), k = 1.0f - c;
  result.m[0] = u.x * u.x * k + c;
  result.m[1] = u.y * u.x * k + u.z * s;
  result.m[2] = u.z * u.x * k - u.y * s;
  result.m[4] = u.x * u.y * k - u.z * s;
  result.m[5] = u.y * u.y * k + c;
  result.m[6] = u.z * u.y * k + u.x * s;
  result.m[8] = u.x * u.z * k + u.y * s;
  result.m[9] = u.y * u.z * k - u.x * s;
  result.m[10] = u.z * u.z * k + c;
  return result;
}

const Matrix4& KVRObject::updateAnimatedMatrix(float seconds) {
  if (timeSource) seconds = timeSource->time;
  if (!animation) {
    animatedMatrix = baseMatrix;
    if (spinSpeed > 0.0f) animatedMatrix = baseMatrix * rotation(spinSpeed * seconds, spinAxis);
    return animatedMatrix;
  }
  Vec3f position(animatedMatrix.m[12], animatedMatrix.m[13], animatedMatrix.m[14]);
  if (animation->hasPositionKeys()) position = animation->evaluatePosition(seconds);
  Matrix4 result = Matrix4::translation(position.x, position.y, position.z);
  if (animation->hasRotationKeys()) {
    Vec3f angles = animation->evaluateRotation(seconds);
    result = result * rotation(angles.x, Vec3f(1, 0, 0)) * rotation(-angles.y, Vec3f(0, 1, 0)) *
             rotation(-angles.z, Vec3f(0, 0, 1));
  }
  animatedMatrix = result * rotationPart(baseMatrix);
  return animatedMatrix;
}

Matrix4 KVRObject::worldMatrix(float seconds) {
  const Matrix4& own = updateAnimatedMatrix(seconds);
  return parent ? parent->worldMatrix(seconds) * own : own;
}

bool KVRObject::isShown() const {
  for (const KVRObject* node = this; node; node = node->parent)
    if (!node->visible) return false;
  return true;
}

void KVRObject::worldBounds(float minimum[3], float maximum[3]) const {
  float shift[3] = {0.0f, 0.0f, 0.0f};
  for (const KVRObject* node = this; node; node = node->parent)
    for (int i = 0; i < 3; ++i) shift[i] += node->baseMatrix.m[12 + i];
  for (int i = 0; i < 3; ++i) {
    minimum[i] = mesh ? mesh->getBoundsA()[i] + shift[i] : 0.0f;
    maximum[i] = mesh ? mesh->getBoundsB()[i] + shift[i] : 0.0f;
  }
}

void KVRObject::draw(float seconds, bool force, int mode, bool noShader) {
  if (!visible && !force) return;
  glPushMatrix();
  glMultMatrixf(updateAnimatedMatrix(seconds).m);
  drawMesh(mode, noShader);
  for (KVRObject* child : children) child->draw(seconds, force, mode, noShader);
  glPopMatrix();
}

void KVRObject::drawMesh(int mode, bool noShader) {
  if (!mesh) return;
  if (!shaderInstance) {
    drawRedBox();
    return;
  }
  if (!noShader) shaderInstance->apply(material ? *material : KVRMaterial::defaultMaterial());
  mesh->bind();
  if (mode == 0)
    mesh->drawTriangles();
  else if (mode == 1)
    mesh->drawIndexLines();
  else
    mesh->drawBoundingBox();
  mesh->unbind();
  if (!noShader) shaderInstance->unapply();
}

void KVRObject::drawBoundMesh() {
  if (!shaderInstance) {
    drawRedBox();
    return;
  }
  shaderInstance->apply(material ? *material : KVRMaterial::defaultMaterial());
  mesh->drawTriangles();
  shaderInstance->unapply();
}

void KVRObject::drawRedBox() const {
  glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glColor3f(1.0f, 0.0f, 0.0f);
  glLineWidth(3.0f);
  mesh->drawBoundingBox();
  glPopAttrib();
}
