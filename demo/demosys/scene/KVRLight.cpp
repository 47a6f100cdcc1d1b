#include "demosys/scene/KVRLight.h"

#include <GL/glew.h>

#include <cmath>

void KVRLight::directionalPosition(float out[4]) const {
  // A -90 degree turn about x, in single precision like the rest of the scene maths.
  const float angle = -1.5707963f;
  const float c = std::cos(angle), s = std::sin(angle);
  const float x = matrix.m[8], y = matrix.m[9], z = matrix.m[10];
  out[0] = x;
  out[1] = y * c - z * s;
  out[2] = y * s + z * c;
  out[3] = 0.0f;
}

void KVRLight::enable(uint32_t number) {
  lightNumber = number;
  float position[4];
  directionalPosition(position);
  glEnable(number);
  glLightfv(number, GL_DIFFUSE, colour);
  glLightfv(number, GL_POSITION, position);
}

void KVRLight::disable() {
  if (lightNumber) glDisable(lightNumber);
  lightNumber = 0;
}

void KVRLight::debugDraw() const {
  const float x = matrix.m[12], y = matrix.m[13], z = matrix.m[14];
  const float size = 5.0f;
  glBegin(GL_LINES);
  glColor3f(1.0f, 1.0f, 1.0f);
  glVertex3f(x - size, y, z);
  glVertex3f(x + size, y, z);
  glVertex3f(x, y - size, z);
  glVertex3f(x, y + size, z);
  glVertex3f(x, y, z - size);
  glVertex3f(x, y, z + size);
  glColor4fv(colour);
  glVertex3f(x, y, z);
  glVertex3f(x - 100.0f * matrix.m[8], y - 100.0f * matrix.m[9], z - 100.0f * matrix.m[10]);
  glEnd();
}
