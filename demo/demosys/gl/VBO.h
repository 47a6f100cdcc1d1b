#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

class Shader;
class Texture;

// The particle buffer: width x height points in stream-usage GPU buffers (position, and on
// request colour, velocity, start time, texture coordinates), refilled through mapping each frame
// and drawn as GL_POINTS, usually as point sprites sized by the shader.
class VBO {
 public:
  VBO(int32_t width, int32_t height, bool hasColour, bool hasVelocity, bool hasTexCoords, bool hasStartTime);
  VBO(int32_t width, int32_t height, bool hasAll);
  ~VBO();
  VBO(const VBO&) = delete;
  VBO& operator=(const VBO&) = delete;

  // x, y, z per point; the pointer stays valid until the matching unmap.
  float* mapPositions(GLenum access);
  float* mapColours(GLenum access);
  void unmapPositions();
  void unmapColours();
  float* getPositions() const { return positions; }
  float* getColours() const { return colours; }
  // A zeroed CPU array of 2 floats per point, made on first request.
  float* getTexCoords();

  // point size = reference x percent / 100 (reference: a screen dimension).
  void setPointSize(float percent, float reference) { pointSize = reference * (percent / 100.0f); }
  int32_t getWidth() const { return width; }
  int32_t getHeight() const { return height; }
  int32_t getPointCount() const { return width * height; }
  float getPointSize() const { return pointSize; }
  void setVerbose(bool value) { verbose = value; }

  // Draws every point with the parts whose data exist; `shader` supplies attribute locations.
  void draw(Shader* shader);
  // Additive textured point sprites: binds `shader`, sets "Time", "particle" and "PointSize".
  void drawSprites(Shader* shader, Texture* texture, float time);
  void release();

  GLuint getPositionBuffer() const { return positionBuffer; }
  GLuint getColourBuffer() const { return colourBuffer; }
  GLuint getVelocityBuffer() const { return velocityBuffer; }
  GLuint getStartTimeBuffer() const { return startTimeBuffer; }
  GLuint getTexCoordBuffer() const { return texCoordBuffer; }

  // GL_BUFFER_SIZE of the buffer bound to `target` is above 0; pending GL errors are reported.
  static bool validateBuffer(GLenum target, bool verbose);

 private:
  void createBuffers();
  GLuint createBuffer(GLsizeiptr bytes, const char* verboseLabel);
  float* map(GLuint buffer, GLenum access);
  void unmap(GLuint buffer);

  bool hasColour;
  bool hasVelocity;
  bool hasTexCoords;
  bool hasStartTime;
  float* positions = nullptr;
  float* colours = nullptr;
  float* velocities = nullptr;
  float* texCoords = nullptr;
  float* startTimes = nullptr;
  int32_t width;
  int32_t height;
  float pointSize = 100.0f;
  GLuint positionBuffer = 0;
  GLuint colourBuffer = 0;
  GLuint velocityBuffer = 0;
  GLuint startTimeBuffer = 0;
  GLuint texCoordBuffer = 0;
  GLint velocityLocation = -1;
  GLint startTimeLocation = -1;
  bool verbose = false;
  std::vector<float> texCoordData;
};
