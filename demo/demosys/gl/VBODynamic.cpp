#include "demosys/gl/VBODynamic.h"

#include <algorithm>
#include <iostream>

#include "demosys/gl/Shader.h"
#include "demosys/gl/VBO.h"
#include "demosys/math/Vec3f.h"

namespace {

GLuint createBuffer(GLenum target, GLsizeiptr bytes, const void* data) {
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(target, buffer);
  glBufferData(target, bytes, data, GL_STREAM_DRAW);
  VBO::validateBuffer(target, false);
  glBindBuffer(target, 0);
  return buffer;
}

void* mapBuffer(GLenum target, GLuint buffer, GLenum access) {
  if (buffer == 0) return nullptr;
  glBindBuffer(target, buffer);
  return glMapBuffer(target, access);
}

void unmapBuffer(GLenum target, GLuint buffer) {
  if (buffer == 0) return;
  glBindBuffer(target, buffer);
  glUnmapBuffer(target);
}

GLsizeiptr floatBytes(int32_t count, int32_t components) {
  return static_cast<GLsizeiptr>(count) * components * static_cast<GLsizeiptr>(sizeof(float));
}

void overflow(const char* setter, int32_t i) {
  std::cout << "VBODynamic::" << setter << "(" << i << ") overflow!" << std::endl;
}

}  // namespace

VBODynamic::VBODynamic(int32_t vertexCount, int32_t positionComponents, int32_t colourComponents,
                       int32_t normalComponents, int32_t texCoordComponents, int32_t indicesPerPolygon,
                       int32_t polygonCount)
    : vertexCount(vertexCount),
      polygonCount(polygonCount),
      positionComponents(positionComponents),
      colourComponents(colourComponents),
      normalComponents(normalComponents),
      texCoordComponents(texCoordComponents),
      indicesPerPolygon(indicesPerPolygon) {
  createEmpty();
}

VBODynamic::VBODynamic(const VBOGeometry& geometry)
    : vertexCount(geometry.vertexCount),
      polygonCount(geometry.polygonCount),
      positionComponents(3),
      colourComponents(0),
      normalComponents(3),
      texCoordComponents(2),
      indicesPerPolygon(geometry.indicesPerPolygon) {
  GLsizeiptr indexBytes = static_cast<GLsizeiptr>(polygonCount) * indicesPerPolygon * sizeof(uint32_t);
  positionBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, 3), geometry.positions);
  indexBuffer = createBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBytes, geometry.indices);
  normalBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, 3), geometry.normals);
  texCoordBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, 2), geometry.texCoords);
}

// The GPU buffers are released by the owner through release().
VBODynamic::~VBODynamic() = default;

void VBODynamic::createEmpty() {
  positionBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, positionComponents), nullptr);
  if (colourComponents > 0)
    colourBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, colourComponents), nullptr);
  if (normalComponents > 0)
    normalBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, normalComponents), nullptr);
  if (texCoordComponents > 0)
    texCoordBuffer = createBuffer(GL_ARRAY_BUFFER, floatBytes(vertexCount, texCoordComponents), nullptr);
  GLsizeiptr indexBytes = static_cast<GLsizeiptr>(polygonCount) * indicesPerPolygon * sizeof(uint32_t);
  indexBuffer = createBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBytes, nullptr);
}

float* VBODynamic::mapPositions(GLenum access) {
  return positions = static_cast<float*>(mapBuffer(GL_ARRAY_BUFFER, positionBuffer, access));
}
float* VBODynamic::mapNormals(GLenum access) {
  return normals = static_cast<float*>(mapBuffer(GL_ARRAY_BUFFER, normalBuffer, access));
}
float* VBODynamic::mapColours(GLenum access) {
  return colours = static_cast<float*>(mapBuffer(GL_ARRAY_BUFFER, colourBuffer, access));
}
uint32_t* VBODynamic::mapIndices(GLenum access) {
  return indices = static_cast<uint32_t*>(mapBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer, access));
}
float* VBODynamic::mapTexCoords(GLenum access) {
  return texCoords = static_cast<float*>(mapBuffer(GL_ARRAY_BUFFER, texCoordBuffer, access));
}
float* VBODynamic::mapAttribute(int32_t i, GLenum access) {
  if (i < 0 || i >= MAX_ATTRIBUTES) return nullptr;
  return attributes[i] = static_cast<float*>(mapBuffer(GL_ARRAY_BUFFER, attributeBuffers[i], access));
}

// An unmapped array is gone: its pointer is dropped so that no setter can write through it.
void VBODynamic::unmapPositions() {
  unmapBuffer(GL_ARRAY_BUFFER, positionBuffer);
  positions = nullptr;
}
void VBODynamic::unmapNormals() {
  unmapBuffer(GL_ARRAY_BUFFER, normalBuffer);
  normals = nullptr;
}
void VBODynamic::unmapColours() {
  unmapBuffer(GL_ARRAY_BUFFER, colourBuffer);
  colours = nullptr;
}
void VBODynamic::unmapIndices() {
  unmapBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
  indices = nullptr;
}
void VBODynamic::unmapTexCoords() {
  unmapBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
  texCoords = nullptr;
}
void VBODynamic::unmapAttribute(int32_t i) {
  if (i < 0 || i >= MAX_ATTRIBUTES) return;
  unmapBuffer(GL_ARRAY_BUFFER, attributeBuffers[i]);
  attributes[i] = nullptr;
}

bool VBODynamic::fits(const void* array, int64_t first, int64_t count, int64_t length) {
  return array && first >= 0 && first + count <= length;
}

void VBODynamic::setVertex(int32_t i, const Vec3f& v) { setVertex(i, v.x, v.y, v.z); }

void VBODynamic::setVertex(int32_t i, float x, float y, float z) {
  int64_t length = int64_t(positionComponents) * vertexCount;
  int64_t first = int64_t(i) * positionComponents;
  if (first >= length || !fits(positions, first, 3, length)) return overflow("setVertex", i);
  positions[first] = x;
  positions[first + 1] = y;
  positions[first + 2] = z;
}

void VBODynamic::setColor(int32_t i, float r, float g, float b) {
  int64_t length = int64_t(colourComponents) * vertexCount;
  int64_t first = int64_t(i) * colourComponents;
  if (first >= length || !fits(colours, first, 3, length)) return overflow("setColor", i);
  colours[first] = r;
  colours[first + 1] = g;
  colours[first + 2] = b;
}

void VBODynamic::setColor(int32_t i, float r, float g, float b, float a) {
  int64_t length = int64_t(colourComponents) * vertexCount;
  int64_t first = int64_t(i) * colourComponents;
  if (first >= length || !fits(colours, first, 4, length)) return overflow("setColor", i);
  colours[first] = r;
  colours[first + 1] = g;
  colours[first + 2] = b;
  colours[first + 3] = a;
}

void VBODynamic::setPolygon(int32_t i, uint32_t a, uint32_t b, uint32_t c) {
  int64_t first = int64_t(i) * 3;
  if (first >= int64_t(3) * polygonCount ||
      !fits(indices, first, 3, int64_t(indicesPerPolygon) * polygonCount))
    return overflow("setPolygon", i);
  indices[first] = a;
  indices[first + 1] = b;
  indices[first + 2] = c;
}

void VBODynamic::setPolygon(int32_t i, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  int64_t first = int64_t(i) * 4;
  if (first >= int64_t(4) * polygonCount ||
      !fits(indices, first, 4, int64_t(indicesPerPolygon) * polygonCount))
    return overflow("setPolygon", i);
  indices[first] = a;
  indices[first + 1] = b;
  indices[first + 2] = c;
  indices[first + 3] = d;
}

void VBODynamic::bindAttribute(int32_t i, Shader* shader, const char* name) {
  if (i < 0 || i >= MAX_ATTRIBUTES || !shader) return;
  GLint location = glGetAttribLocation(shader->getProgram(), name);
  if (location < 0) return;
  glBindBuffer(GL_ARRAY_BUFFER, attributeBuffers[i]);
  glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  glEnableVertexAttribArray(static_cast<GLuint>(location));
}

void VBODynamic::createAttribute(int32_t i, GLsizeiptr size, const void* data) {
  if (i < 0 || i >= MAX_ATTRIBUTES) return;
  if (attributeBuffers[i] != 0) glDeleteBuffers(1, &attributeBuffers[i]);
  attributeBuffers[i] = createBuffer(GL_ARRAY_BUFFER, size, data);
}

void VBODynamic::enableArrays() {
  glBindBuffer(GL_ARRAY_BUFFER, positionBuffer);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(positionComponents, GL_FLOAT, 0, nullptr);
  if (normalBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, normalBuffer);
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, nullptr);
  }
  if (colourBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, colourBuffer);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(colourComponents, GL_FLOAT, 0, nullptr);
  }
  if (texCoordBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTexture(GL_TEXTURE0);
    glTexCoordPointer(texCoordComponents, GL_FLOAT, 0, nullptr);
  }
}

void VBODynamic::disableArrays() {
  glDisableClientState(GL_VERTEX_ARRAY);
  if (normalBuffer != 0) glDisableClientState(GL_NORMAL_ARRAY);
  if (colourBuffer != 0) glDisableClientState(GL_COLOR_ARRAY);
  if (texCoordBuffer != 0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void VBODynamic::draw(GLenum mode, int32_t first, int32_t count) {
  int64_t all = int64_t(polygonCount) * indicesPerPolygon;
  int64_t indexCount =
      first == count ? all : std::min<int64_t>(all, int64_t(std::max(count, 0)) * indicesPerPolygon);
  enableArrays();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
  glDrawElements(mode, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
  disableArrays();
}

void VBODynamic::drawRanges(GLenum mode, const std::vector<PolygonRange>& ranges) {
  std::vector<GLsizei> counts;
  std::vector<const void*> offsets;
  for (const PolygonRange& range : ranges) {
    const int64_t first = std::max<int64_t>(range.first, 0);
    const int64_t end = std::min<int64_t>(int64_t(range.first) + std::max(range.count, 0), polygonCount);
    if (end <= first) continue;
    counts.push_back(static_cast<GLsizei>((end - first) * indicesPerPolygon));
    offsets.push_back(reinterpret_cast<const void*>(static_cast<uintptr_t>(first * indicesPerPolygon * sizeof(uint32_t))));
  }
  if (counts.empty()) return;
  enableArrays();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
  glMultiDrawElements(mode, counts.data(), GL_UNSIGNED_INT, offsets.data(), static_cast<GLsizei>(counts.size()));
  disableArrays();
}

void VBODynamic::release() {
  GLuint* buffers[] = {&positionBuffer, &colourBuffer, &texCoordBuffer, &normalBuffer, &indexBuffer};
  for (GLuint* buffer : buffers) {
    if (*buffer != 0) glDeleteBuffers(1, buffer);
    *buffer = 0;
  }
  // The extra attribute buffers belong to the mesh as well.
  for (GLuint& buffer : attributeBuffers) {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
    buffer = 0;
  }
}
