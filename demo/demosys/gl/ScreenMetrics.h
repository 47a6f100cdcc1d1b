#pragma once

#include <cstdint>

// The output the demo renders to: window size and wishes from the launcher, and the
// letterboxed 16:9 viewport with its perspective projection.
class ScreenMetrics {
 public:
  ScreenMetrics();

  void setSize(int32_t newWidth, int32_t newHeight);
  void resize(int32_t newWidth, int32_t newHeight);
  // The 16:9 picture centred vertically in the window (black bars above and below).
  void computeViewport();
  // The perspective matrix of the field of view and clip planes, column-major.
  void computeProjection();
  // Sets the GL viewport and loads the projection; leaves the model-view matrix selected.
  void apply();

  int32_t getWidth() const { return width; }
  int32_t getHeight() const { return height; }
  int32_t getQuality() const { return quality; }
  bool getFullscreen() const { return fullscreen; }
  int32_t getAntialiasing() const { return antialiasing; }
  bool getVsync() const { return vsync; }
  float getNearPlane() const { return nearPlane; }
  float getFarPlane() const { return farPlane; }
  void setQuality(int32_t value) { quality = value; }
  void setFullscreen(bool value) { fullscreen = value; }
  void setAntialiasing(int32_t value) { antialiasing = value; }
  void setVsync(bool value) { vsync = value; }
  void setNearPlane(float value) { nearPlane = value; }
  void setFarPlane(float value) { farPlane = value; }

  int32_t quality;
  int32_t height;
  int32_t width;
  float fieldOfView;
  float projection[16];
  // x, y, viewport height, viewport width
  int32_t viewport[4];
  float aspect;
  float scaledWidth;
  float scaledHeight;
  bool fullscreen;
  int32_t antialiasing;
  bool vsync;
  float ratioX;
  float ratioY;
  float nearPlane;
  float farPlane;
};
