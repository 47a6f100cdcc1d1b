#include "demosys/gl/ScreenMetrics.h"

#include <GL/glew.h>

#include <cmath>

ScreenMetrics::ScreenMetrics()
    : quality(2),
      height(0),
      width(0),
      fieldOfView(50.0f),
      projection{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
      viewport{0, 0, 0, 0},
      aspect(1.0f),
      scaledWidth(0),
      scaledHeight(0),
      fullscreen(true),
      antialiasing(0),
      vsync(true),
      ratioX(1.0f),
      ratioY(0.5625f),
      nearPlane(1.0f),
      farPlane(800.0f) {}

void ScreenMetrics::setSize(int32_t newWidth, int32_t newHeight) {
  width = newWidth;
  height = newHeight;
}

void ScreenMetrics::resize(int32_t newWidth, int32_t newHeight) {
  setSize(newWidth, newHeight);
  computeViewport();
}

void ScreenMetrics::computeViewport() {
  ratioY = 0.5625f;
  ratioX = 1.0f;
  viewport[0] = 0;
  viewport[3] = width;
  viewport[2] = static_cast<int32_t>(static_cast<float>(width) * 0.5625f);
  viewport[1] = static_cast<int32_t>(static_cast<float>(height - viewport[2]) * 0.5f);
  fieldOfView = 50.0f;
  aspect = static_cast<float>(width) / static_cast<float>(viewport[2]);
}

void ScreenMetrics::computeProjection() {
  const float f = static_cast<float>(1.0 / std::tan(fieldOfView * M_PI / 360.0));
  const float a = nearPlane;
  const float b = farPlane;
  for (float& element : projection) element = 0.0f;
  projection[0] = f / aspect;
  projection[5] = f;
  projection[10] = (a + b) / (a - b);
  projection[11] = -1.0f;
  projection[14] = 2.0f * a * b / (a - b);
}

void ScreenMetrics::apply() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  scaledWidth = static_cast<float>(width) / ratioX;
  scaledHeight = static_cast<float>(height) / ratioY;
  glViewport(viewport[0], viewport[1], viewport[3], viewport[2]);
  computeProjection();
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
}
