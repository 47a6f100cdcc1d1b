#include "demosys/gl/Camera.h"

#include <GL/glew.h>

#include <cmath>
#include <iostream>

#include "demosys/core/KVRDemosys.h"

Camera KVRDemosys::camera;

Quaternion Camera::pitchQuaternion(float degrees) {
  float half = Quaternion::halfAngle(degrees);
  return Quaternion(std::cos(half), std::sin(half), 0.0f, 0.0f);
}

Quaternion Camera::headingQuaternion(float degrees) {
  float half = Quaternion::halfAngle(degrees);
  return Quaternion(std::cos(half), 0.0f, std::sin(half), 0.0f);
}

Matrix4 Camera::rotationFor(float pitchDegrees, float headingDegrees) {
  return (pitchQuaternion(pitchDegrees) * headingQuaternion(headingDegrees)).toMatrix();
}

Vec3f Camera::viewDirectionFor(float pitchDegrees, float headingDegrees) {
  // The heading-first product gives x and z; y comes straight from the pitch's half angle.
  Matrix4 m = (headingQuaternion(headingDegrees) * pitchQuaternion(pitchDegrees)).toMatrix();
  float half = Quaternion::halfAngle(pitchDegrees);
  return Vec3f(m[8], -2.0f * std::sin(half) * std::cos(half), -m[10]);
}

void Camera::step() {
  pitchRotation = pitchQuaternion(pitch);
  headingRotation = headingQuaternion(heading);
  orientation = pitchRotation * headingRotation;
  rotation = orientation.toMatrix();
  viewDirection = viewDirectionFor(pitch, heading);
  position += viewDirection * speed;
}

Matrix4 Camera::viewMatrix() const {
  return rotation * Matrix4::translation(-position.x, -position.y, -position.z);
}

void Camera::update() {
  step();
  glMatrixMode(GL_MODELVIEW);
  glMultMatrixf(rotation.m);
  glTranslatef(-position.x, -position.y, -position.z);
}

void Camera::print() const {
  std::cout << "Camera : "
            << "[" << position.x << "," << position.y << "," << position.z << "]"
            << ", pitch = " << pitch << ", heading = " << heading << std::endl;
}
