#pragma once

#include "demosys/math/Matrix4.h"
#include "demosys/math/Quaternion.h"
#include "demosys/math/Vec3f.h"

// The engine's first-person camera (KVRDemosys::camera): pitch about x, heading about y,
// a position and a forward speed. The arithmetic is plain code; only update() touches GL.
class Camera {
 public:
  Camera() = default;

  void setPosition(float x, float y, float z) { position = Vec3f(x, y, z); }
  void setPitch(float degrees) { pitch = degrees; }
  void setHeading(float degrees) { heading = degrees; }
  void setSpeed(float distancePerUpdate) { speed = distancePerUpdate; }

  // Recomputes orientation, rotation and view direction and moves by the speed; then
  // multiplies the model-view matrix by the rotation and the translation to -position.
  void update();
  // Everything update() computes, without GL.
  void step();
  // The matrix update() multiplies onto the model-view matrix (valid after step()).
  Matrix4 viewMatrix() const;
  void print() const;

  static Quaternion pitchQuaternion(float degrees);
  static Quaternion headingQuaternion(float degrees);
  static Matrix4 rotationFor(float pitchDegrees, float headingDegrees);
  // (sin H cos P, -sin P, -cos H cos P) as the camera has always derived it.
  static Vec3f viewDirectionFor(float pitchDegrees, float headingDegrees);

  float getPitch() const { return pitch; }
  float getHeading() const { return heading; }
  float getSpeed() const { return speed; }
  const Vec3f& getPosition() const { return position; }
  const Vec3f& getViewDirection() const { return viewDirection; }
  const Quaternion& getOrientation() const { return orientation; }
  const Matrix4& getRotation() const { return rotation; }

 private:
  float pitch = 0.0f;
  float heading = 0.0f;
  float speed = 0.0f;
  Vec3f viewDirection = Vec3f(0.0f, 0.0f, -1.0f);
  Quaternion orientation;
  Quaternion pitchRotation;
  Quaternion headingRotation;
  Vec3f position;
  Matrix4 rotation = Matrix4::identity();
};
