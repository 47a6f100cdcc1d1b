#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <vector>

class Shader;
struct Vec3f;

// What a geometry generator hands to VBODynamic: counts and arrays (3 position, 3 normal and
// 2 texture-coordinate floats per vertex, indicesPerPolygon indices per polygon).
struct VBOGeometry {
  int32_t vertexCount = 0;
  int32_t polygonCount = 0;
  int32_t indicesPerPolygon = 0;
  const float* positions = nullptr;
  const float* normals = nullptr;
  const float* texCoords = nullptr;
  const uint32_t* indices = nullptr;
};

// Consecutive polygons of a VBODynamic, by polygon number.
struct PolygonRange {
  int32_t first;
  int32_t count;
};

// An indexed polygon mesh in stream-usage GPU buffers: made empty and filled through mapped
// pointers (with overflow-checked setters), or uploaded at once from a generated geometry.
class VBODynamic {
 public:
  static const int32_t MAX_ATTRIBUTES = 16;

  VBODynamic(int32_t vertexCount, int32_t positionComponents, int32_t colourComponents,
             int32_t normalComponents, int32_t texCoordComponents, int32_t indicesPerPolygon,
             int32_t polygonCount);
  explicit VBODynamic(const VBOGeometry& geometry);
  ~VBODynamic();
  VBODynamic(const VBODynamic&) = delete;
  VBODynamic& operator=(const VBODynamic&) = delete;

  float* mapPositions(GLenum access);
  float* mapNormals(GLenum access);
  float* mapColours(GLenum access);
  uint32_t* mapIndices(GLenum access);
  float* mapTexCoords(GLenum access);
  float* mapAttribute(int32_t i, GLenum access);
  void unmapPositions();
  void unmapNormals();
  void unmapColours();
  void unmapIndices();
  void unmapTexCoords();
  void unmapAttribute(int32_t i);

  // Writes into the mapped arrays; an index whose values would not fit prints an overflow line.
  void setVertex(int32_t i, const Vec3f& v);
  void setVertex(int32_t i, float x, float y, float z);
  void setColor(int32_t i, float r, float g, float b);
  void setColor(int32_t i, float r, float g, float b, float a);
  void setPolygon(int32_t i, uint32_t a, uint32_t b, uint32_t c);
  void setPolygon(int32_t i, uint32_t a, uint32_t b, uint32_t c, uint32_t d);

  // Points the shader's attribute `name` at extra buffer i (3 floats per vertex).
  void bindAttribute(int32_t i, Shader* shader, const char* name);
  void createAttribute(int32_t i, GLsizeiptr size, const void* data);
  // Draws all polygons when first == count, else `count` indices from the start.
  void draw(GLenum mode, int32_t first, int32_t count);
  // Several runs of polygons in one call; runs outside the mesh are cut to it.
  void drawRanges(GLenum mode, const std::vector<PolygonRange>& ranges);
  void release();

  int32_t getVertexCount() const { return vertexCount; }
  int32_t getPolygonCount() const { return polygonCount; }
  GLuint getPositionBuffer() const { return positionBuffer; }
  GLuint getColourBuffer() const { return colourBuffer; }
  GLuint getNormalBuffer() const { return normalBuffer; }
  GLuint getTexCoordBuffer() const { return texCoordBuffer; }
  GLuint getIndexBuffer() const { return indexBuffer; }

 private:
  // True when `count` values from offset `first` lie inside a mapped array of `length` values.
  static bool fits(const void* array, int64_t first, int64_t count, int64_t length);
  void createEmpty();
  void enableArrays();
  void disableArrays();

  GLuint positionBuffer = 0;
  GLuint colourBuffer = 0;
  GLuint texCoordBuffer = 0;
  GLuint normalBuffer = 0;
  GLuint indexBuffer = 0;
  float* positions = nullptr;
  float* normals = nullptr;
  float* colours = nullptr;
  uint32_t* indices = nullptr;
  float* texCoords = nullptr;
  float* attributes[MAX_ATTRIBUTES] = {};
  GLuint attributeBuffers[MAX_ATTRIBUTES] = {};
  int32_t vertexCount;
  int32_t polygonCount;
  int32_t positionComponents;
  int32_t colourComponents;
  int32_t normalComponents;
  int32_t texCoordComponents;
  int32_t indicesPerPolygon;
};
