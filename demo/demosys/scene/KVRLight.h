#pragma once

#include <cstdint>
#include <string>

#include "demosys/math/Matrix4.h"

class KVRAnimation;

// A light of a scene: colour and type from its light record, name and matrix from its light
// node. The matrix's third column is the light's direction axis, the fourth its position.
class KVRLight {
 public:
  KVRLight(uint32_t type, float r, float g, float b) : type(type), colour{r, g, b, 1.0f} {}

  // Switches the GL light `number` (GL_LIGHT0 + i) on as a directional light along the axis.
  void enable(uint32_t number);
  void disable();
  // A white cross at the position and a line in the light's colour against its direction.
  void debugDraw() const;
  // The GL light position: the axis turned from z-up to y-up, w = 0.
  void directionalPosition(float out[4]) const;

  void setName(const std::string& value) { name = value; }
  const std::string& getName() const { return name; }
  void setMatrix(const Matrix4& value) { matrix = value; }
  const Matrix4& getMatrix() const { return matrix; }
  void setAnimation(KVRAnimation* value) { animation = value; }
  KVRAnimation* getAnimation() const { return animation; }
  const float* getColour() const { return colour; }
  uint32_t getType() const { return type; }
  // 0 while the light is off.
  uint32_t getLightNumber() const { return lightNumber; }

 private:
  std::string name;
  uint32_t type;
  float colour[4];
  KVRAnimation* animation = nullptr;
  Matrix4 matrix = Matrix4::identity();
  uint32_t lightNumber = 0;
};
