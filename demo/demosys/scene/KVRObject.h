#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demosys/math/Matrix4.h"

class KVRAnimation;
class KVRMaterial;
class MeshBuffer;
class ShaderInstance;

// A clock of its own for one object, set by the effect that owns it.
struct KVRTimeSource {
  float time = 0.0f;
};

// A node of a scene: a group (no mesh) or a mesh object, placed by its base matrix or by an
// animation, drawn with its children below it.
class KVRObject {
 public:
  KVRObject(uint32_t id, uint32_t parentId, const std::string& name);

  // Recomputes the animated matrix for `seconds` (the time source's time when one is set).
  //
  // Without an animation: the base matrix, turned by spin speed x t degrees about the spin
  // axis when the speed is positive. With one the matrix is composed as
  //     T(position) * Rx(rx) * Ry(-ry) * Rz(-rz) * R(base)
  // in the order glMultMatrixf applies them: the base matrix's rotation (its translation left
  // out) first, then the keyed rotations about z, y and x, then the keyed position. Without
  // position keys the current pivot stays the translation; without rotation keys the keyed
  // rotation is left out.
  const Matrix4& updateAnimatedMatrix(float seconds);
  // The animated matrices of the ancestors and this object, multiplied from the root down.
  Matrix4 worldMatrix(float seconds);
  // Hidden when it or an ancestor is hidden.
  bool isShown() const;

  // mode 0 triangles, 1 index lines, other: bounding box. Skipped with its children when
  // hidden, unless forced. `noShader` draws without applying the shader instance.
  void draw(float seconds, bool force, int mode, bool noShader);
  // With the mesh already bound: the shader instance applied, the triangles drawn.
  void drawBoundMesh();
  // Mesh bounds moved by the translations of this object and its ancestors (rotation ignored).
  void worldBounds(float minimum[3], float maximum[3]) const;

  const std::string& getName() const { return name; }
  uint32_t getId() const { return id; }
  uint32_t getParentId() const { return parentId; }
  void setMesh(MeshBuffer* value) { mesh = value; }
  MeshBuffer* getMesh() const { return mesh; }
  void setMaterial(KVRMaterial* value) { material = value; }
  KVRMaterial* getMaterial() const { return material; }
  void setShaderInstance(ShaderInstance* value) { shaderInstance = value; }
  ShaderInstance* getShaderInstance() const { return shaderInstance; }
  void setAnimation(KVRAnimation* value) { animation = value; }
  KVRAnimation* getAnimation() const { return animation; }
  void setParent(KVRObject* value) { parent = value; }
  KVRObject* getParent() const { return parent; }
  void setVisible(bool value) { visible = value; }
  bool getVisible() const { return visible; }
  void setTimeSource(KVRTimeSource* value) { timeSource = value; }
  KVRTimeSource* getTimeSource() const { return timeSource; }
  void addChild(KVRObject* child) { children.push_back(child); }
  void setChild(size_t index, KVRObject* child) { children.at(index) = child; }
  const std::vector<KVRObject*>& getChildren() const { return children; }
  // The animated matrix starts as the base matrix, so the pivot is the object's place.
  void setBaseMatrix(const Matrix4& value) { baseMatrix = animatedMatrix = value; }
  const Matrix4& getBaseMatrix() const { return baseMatrix; }
  const Matrix4& getAnimatedMatrix() const { return animatedMatrix; }
  void setSpin(const Vec3f& axis, float degreesPerSecond) {
    spinAxis = axis;
    spinSpeed = degreesPerSecond;
  }

  // Rotations in degrees, as glRotatef builds them.
  static Matrix4 rotation(float degrees, const Vec3f& axis);

 private:
  void drawMesh(int mode, bool noShader);
  void drawRedBox() const;

  uint32_t id;
  uint32_t parentId;
  MeshBuffer* mesh = nullptr;
  KVRMaterial* material = nullptr;
  ShaderInstance* shaderInstance = nullptr;
  std::string name;
  KVRObject* parent = nullptr;
  KVRAnimation* animation = nullptr;
  std::vector<KVRObject*> children;
  bool visible = true;
  Matrix4 baseMatrix = Matrix4::identity();
  Matrix4 animatedMatrix = Matrix4::identity();
  Vec3f spinAxis;
  float spinSpeed = 0.0f;
  KVRTimeSource* timeSource = nullptr;
};
