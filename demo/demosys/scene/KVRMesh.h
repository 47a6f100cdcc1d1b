#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "demosys/math/Vec3f.h"

// A procedural mesh's topology: faces of a fixed number of corners over vertex indices, with
// the face normals and the faces around each vertex that smooth normals need. The positions
// belong to the caller and are handed in.
class KVRMesh {
 public:
  KVRMesh(int32_t numVertices, int32_t numFaces, int32_t verticesPerFace);

  // The corners of face `face`, m_verticesPerFace vertex indices, to be filled by the caller.
  int32_t* face(int32_t index) { return &m_faces[static_cast<size_t>(index) * m_verticesPerFace]; }
  const std::vector<int32_t>& faces() const { return m_faces; }

  // Unit normal of every face from its first three corners; also rebuilds the adjacency.
  void calcFNormals(Vec3f* positions);
  // Per vertex: the normalised sum of the normals of its faces (after calcFNormals).
  void calcVNormals(Vec3f* positions, Vec3f* normals) const;
  // Debug drawing: a green line from each vertex along its normal.
  void drawNormals(const Vec3f* positions, const Vec3f* normals) const;

  const Vec3f& faceNormal(int32_t index) const { return m_faceNormals[index]; }
  const std::vector<int32_t>& facesOfVertex(int32_t vertex) const { return m_vertexFaces[vertex]; }
  int32_t numVertices() const { return m_numVertices; }
  int32_t numFaces() const { return m_numFaces; }
  int32_t verticesPerFace() const { return m_verticesPerFace; }

 private:
  void buildAdjacency();

  std::vector<std::vector<int32_t>> m_vertexFaces;
  std::vector<Vec3f> m_faceNormals;
  std::vector<int32_t> m_faces;
  int32_t m_numVertices;
  int32_t m_numFaces;
  int32_t m_verticesPerFace;
};
