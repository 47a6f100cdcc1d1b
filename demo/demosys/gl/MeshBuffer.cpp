#include "demosys/gl/MeshBuffer.h"

#include "demosys/io/ObjectFileData.h"

namespace {

const GLvoid* byteOffset(int32_t offset) {
  return reinterpret_cast<const GLvoid*>(static_cast<intptr_t>(offset));
}

}  // namespace

MeshBuffer::MeshBuffer(const ObjectMeshData& mesh)
    : cornerCount(mesh.cornerCount),
      positionComponents(mesh.positionComponents),
      normalComponents(mesh.normalComponents),
      texcoordComponents(mesh.texcoordComponents),
      stride(mesh.strideBytes()),
      id(mesh.id),
      name(mesh.name) {
  for (int i = 0; i < 3; ++i) {
    boundsA[i] = mesh.boundsA[i];
    boundsB[i] = mesh.boundsB[i];
  }
  // A corner holds its attributes in slot order; the first attribute claiming a slot wins.
  int32_t offset = 0;
  for (uint32_t slot = 0; slot < 3; ++slot) {
    if (slot == mesh.vertexOffset && positionComponents) {
      positionOffset = offset;
      offset += 12;
    } else if (slot == mesh.normalOffset && normalComponents) {
      normalOffset = offset;
      offset += 12;
    } else if (slot == mesh.texcoordOffset && texcoordComponents) {
      texcoordOffset = offset;
      offset += 8;
    }
  }
}

MeshBuffer::~MeshBuffer() {
  if (vertexBuffer) glDeleteBuffers(1, &vertexBuffer);
  if (indexBuffer) glDeleteBuffers(1, &indexBuffer);
}

void MeshBuffer::upload(const ObjectMeshData& mesh) {
  // Never hand the GL more corners than the record holds.
  const size_t floatsPerCorner = mesh.floatsPerCorner();
  if (floatsPerCorner == 0 || mesh.interleaved.size() < cornerCount * floatsPerCorner)
    cornerCount = floatsPerCorner ? static_cast<uint32_t>(mesh.interleaved.size() / floatsPerCorner) : 0;
  if (!vertexBuffer) glGenBuffers(1, &vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(cornerCount * floatsPerCorner * sizeof(float)),
               mesh.interleaved.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  triangleCount = 0;
}

void MeshBuffer::bind() const {
  ++bindCount;
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  if (positionOffset >= 0) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, byteOffset(positionOffset));
  }
  if (normalOffset >= 0) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, byteOffset(normalOffset));
  }
  if (texcoordOffset >= 0) {
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, byteOffset(texcoordOffset));
  }
  if (indexBuffer) glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
}

void MeshBuffer::unbind() const {
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void MeshBuffer::drawTriangles() const {
  if (positionOffset < 0) return;
  if (indexBuffer)
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangleCount * 3), GL_UNSIGNED_INT, nullptr);
  else
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(cornerCount));
}

void MeshBuffer::drawIndexLines() const {
  if (!indexBuffer || positionOffset < 0) return;
  glDrawElements(GL_LINES, static_cast<GLsizei>(triangleCount * 3), GL_UNSIGNED_INT, nullptr);
}

void MeshBuffer::drawBoundingBox() const {
  const float* a = boundsA;
  const float* b = boundsB;
  const float corners[8][3] = {{a[0], a[1], a[2]}, {b[0], a[1], a[2]}, {b[0], b[1], a[2]},
                               {a[0], b[1], a[2]}, {a[0], a[1], b[2]}, {b[0], a[1], b[2]},
                               {b[0], b[1], b[2]}, {a[0], b[1], b[2]}};
  const int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                            {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  glBegin(GL_LINES);
  for (const auto& edge : edges) {
    glVertex3fv(corners[edge[0]]);
    glVertex3fv(corners[edge[1]]);
  }
  glEnd();
}
