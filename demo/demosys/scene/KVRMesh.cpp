#include "demosys/scene/KVRMesh.h"

#include <GL/glew.h>

#include "demosys/core/KVRAssert.h"

KVRMesh::KVRMesh(int32_t numVertices, int32_t numFaces, int32_t verticesPerFace)
    : m_vertexFaces(static_cast<size_t>(numVertices)),
      m_faceNormals(static_cast<size_t>(numFaces)),
      m_faces(static_cast<size_t>(numFaces) * verticesPerFace, 0),
      m_numVertices(numVertices),
      m_numFaces(numFaces),
      m_verticesPerFace(verticesPerFace) {}

void KVRMesh::buildAdjacency() {
  for (std::vector<int32_t>& around : m_vertexFaces) around.clear();
  for (int32_t f = 0; f < m_numFaces; ++f)
    for (int32_t corner = 0; corner < m_verticesPerFace; ++corner) {
      int32_t vertex = m_faces[static_cast<size_t>(f) * m_verticesPerFace + corner];
      if (vertex >= 0 && vertex < m_numVertices) m_vertexFaces[vertex].push_back(f);
    }
}

void KVRMesh::calcFNormals(Vec3f* positions) {
  buildAdjacency();
  for (int32_t f = 0; f < m_numFaces; ++f) {
    const int32_t f0 = f * m_verticesPerFace, f1 = f0 + 1, f2 = f0 + 2;
    KVR_ASSERT(f0 >= 0 && f0 < m_numFaces * m_verticesPerFace, "f0 >= 0 && f0 < m_numFaces * m_verticesPerFace");
    KVR_ASSERT(f1 >= 0 && f1 < m_numFaces * m_verticesPerFace, "f1 >= 0 && f1 < m_numFaces * m_verticesPerFace");
    KVR_ASSERT(f2 >= 0 && f2 < m_numFaces * m_verticesPerFace, "f2 >= 0 && f2 < m_numFaces * m_verticesPerFace");
    const int32_t v11 = m_faces[f0], v12 = m_faces[f1], v22 = m_faces[f2];
    KVR_ASSERT(v11 >= 0 && v11 < m_numVertices, "v11 >= 0 && v11 < m_numVertices");
    KVR_ASSERT(v12 >= 0 && v12 < m_numVertices, "v12 >= 0 && v12 < m_numVertices");
    KVR_ASSERT(v22 >= 0 && v22 < m_numVertices, "v22 >= 0 && v22 < m_numVertices");
    Vec3f a = positions[v12] - positions[v11];
    Vec3f b = positions[v12] - positions[v22];
    m_faceNormals[f] = b.cross(a).normalized();
  }
}

void KVRMesh::calcVNormals(Vec3f* positions, Vec3f* normals) const {
  (void)positions;
  for (int32_t v = 0; v < m_numVertices; ++v) {
    Vec3f sum;
    for (int32_t f : m_vertexFaces[v]) sum += m_faceNormals[f];
    normals[v] = sum.normalized();
  }
}

void KVRMesh::drawNormals(const Vec3f* positions, const Vec3f* normals) const {
  glColor3f(0, 1, 0);
  glBegin(GL_LINES);
  for (int32_t v = 0; v < m_numVertices; ++v) {
    const Vec3f& p = positions[v];
    Vec3f tip = p + normals[v];
    glVertex3f(p.x, p.y, p.z);
    glVertex3f(tip.x, tip.y, tip.z);
  }
  glEnd();
}
