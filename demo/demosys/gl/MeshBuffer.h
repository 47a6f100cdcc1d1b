#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>

struct ObjectMeshData;

// A mesh of an object file on the GPU: one interleaved vertex buffer drawn as a plain triangle
// list of cornerCount corners (attributes in the order of their slots), plus the record's
// bounding box. Made from the parsed record first; `upload` is the separate GL step.
class MeshBuffer {
 public:
  explicit MeshBuffer(const ObjectMeshData& mesh);
  ~MeshBuffer();
  MeshBuffer(const MeshBuffer&) = delete;
  MeshBuffer& operator=(const MeshBuffer&) = delete;

  // Copies the record's interleaved corners into a new static-draw array buffer.
  void upload(const ObjectMeshData& mesh);

  // Points the fixed-function client arrays at the buffer; `unbind` releases them.
  void bind() const;
  void unbind() const;
  // With the mesh bound: triangles (indexed when there is an index buffer), index lines,
  // or the bounding box as lines.
  void drawTriangles() const;
  void drawIndexLines() const;
  void drawBoundingBox() const;

  GLuint getVertexBuffer() const { return vertexBuffer; }
  GLuint getIndexBuffer() const { return indexBuffer; }
  uint32_t getCornerCount() const { return cornerCount; }
  uint32_t getTriangleCount() const { return triangleCount; }
  uint32_t getStride() const { return stride; }
  const float* getBoundsA() const { return boundsA; }
  const float* getBoundsB() const { return boundsB; }
  uint32_t getId() const { return id; }
  const std::string& getName() const { return name; }
  // How often the mesh was bound, for checking that a mesh group binds its mesh once.
  uint32_t getBindCount() const { return bindCount; }

 private:
  GLuint vertexBuffer = 0;
  GLuint indexBuffer = 0;
  uint32_t cornerCount = 0;
  uint32_t triangleCount = 0;
  uint32_t positionComponents = 0;
  uint32_t normalComponents = 0;
  uint32_t texcoordComponents = 0;
  uint32_t stride = 0;
  float boundsA[3] = {0.0f, 0.0f, 0.0f};
  float boundsB[3] = {0.0f, 0.0f, 0.0f};
  uint32_t id = 0;
  std::string name;
  // Byte offsets inside a corner, -1 for an attribute the mesh lacks.
  int32_t positionOffset = -1;
  int32_t normalOffset = -1;
  int32_t texcoordOffset = -1;
  mutable uint32_t bindCount = 0;
};
