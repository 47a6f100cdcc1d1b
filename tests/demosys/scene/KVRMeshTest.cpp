#include "demosys/scene/KVRMesh.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A unit square in the xz plane split into two quads, seen from above (+y).
struct TwoQuads {
  Vec3f positions[6] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}, {2, 0, 1}, {2, 1, 0}};
  KVRMesh mesh{6, 2, 4};
  TwoQuads() {
    int32_t first[4] = {0, 1, 2, 3};
    int32_t second[4] = {3, 2, 4, 5};
    std::copy(first, first + 4, mesh.face(0));
    std::copy(second, second + 4, mesh.face(1));
  }
};

}  // namespace

TEST(KVRMeshTest, FaceNormalsComeFromTheFirstThreeCorners) {
  TwoQuads quads;
  quads.mesh.calcFNormals(quads.positions);
  const Vec3f& up = quads.mesh.faceNormal(0);
  EXPECT_FLOAT_EQ(0.0f, up.x);
  EXPECT_FLOAT_EQ(1.0f, up.y);
  EXPECT_FLOAT_EQ(0.0f, up.z);
  EXPECT_NEAR(1.0f, quads.mesh.faceNormal(1).length(), 1e-6f);
}

TEST(KVRMeshTest, VertexNormalsAverageTheAdjacentFaces) {
  TwoQuads quads;
  quads.mesh.calcFNormals(quads.positions);
  Vec3f normals[6];
  quads.mesh.calcVNormals(quads.positions, normals);
  EXPECT_EQ(std::vector<int32_t>({0, 1}), quads.mesh.facesOfVertex(2));
  EXPECT_EQ(std::vector<int32_t>({0}), quads.mesh.facesOfVertex(0));
  EXPECT_FLOAT_EQ(1.0f, normals[0].y);
  Vec3f shared = (quads.mesh.faceNormal(0) + quads.mesh.faceNormal(1)).normalized();
  EXPECT_FLOAT_EQ(shared.x, normals[2].x);
  EXPECT_FLOAT_EQ(shared.y, normals[2].y);
  EXPECT_FLOAT_EQ(shared.z, normals[2].z);
  EXPECT_NEAR(1.0f, normals[5].length(), 1e-6f);
}

TEST(KVRMeshDeathTest, AFaceNamingAMissingVertexStops) {
  TwoQuads quads;
  quads.mesh.face(1)[2] = 9;
  EXPECT_DEATH(quads.mesh.calcFNormals(quads.positions),
               "demo/demosys/KVRMesh.cpp:[0-9]+: void KVRMesh::calcFNormals\\(Vec3f\\*\\): Assertion `v22 >= 0 && "
               "v22 < m_numVertices' failed");
}
