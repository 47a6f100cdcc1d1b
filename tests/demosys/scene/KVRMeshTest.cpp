#include <gtest/gtest.h>

#include <algorithm>

#include "demosys/scene/KVRMesh.h"

namespace {

// A unit square in the xz plane facing +y, and beside it a second one raised at 45 degrees.
struct TwoQuads {
  Vec3f positions[6] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}, {2, 1, 1}, {2, 1, 0}};
  KVRMesh mesh{6, 2, 4};
  TwoQuads() {
    const int32_t corners[8] = {0, 1, 2, 3, 3, 2, 4, 5};
    std::copy(corners, corners + 4, mesh.face(0));
    std::copy(corners + 4, corners + 8, mesh.face(1));
  }
};

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(0.0f, (expected - actual).length(), 1e-6f) << actual.x << ", " << actual.y << ", " << actual.z;
}

}  // namespace

// Face normals come from the first three corners; a vertex normal averages its faces' normals, so
// on the shared edge it leans 22.5 degrees.
TEST(KVRMeshTest, FaceAndVertexNormals) {
  TwoQuads quads;
  quads.mesh.calcFNormals(quads.positions);
  expectVec(Vec3f(0, 1, 0), quads.mesh.faceNormal(0));
  expectVec(Vec3f(-0.70710678f, 0.70710678f, 0), quads.mesh.faceNormal(1));
  Vec3f normals[6];
  quads.mesh.calcVNormals(quads.positions, normals);
  EXPECT_EQ(std::vector<int32_t>({0, 1}), quads.mesh.facesOfVertex(2));
  EXPECT_EQ(std::vector<int32_t>({0}), quads.mesh.facesOfVertex(0));
  expectVec(Vec3f(0, 1, 0), normals[0]);
  expectVec(Vec3f(-0.38268343f, 0.92387953f, 0), normals[2]);
  expectVec(quads.mesh.faceNormal(1), normals[5]);
}

TEST(KVRMeshDeathTest, AFaceNamingAMissingVertexStops) {
  TwoQuads quads;
  quads.mesh.face(1)[2] = 9;
  EXPECT_DEATH(
      quads.mesh.calcFNormals(quads.positions),
      "demo/demosys/KVRMesh.cpp:[0-9]+: void KVRMesh::calcFNormals\\(Vec3f\\*\\): Assertion `v22 >= 0 && "
      "v22 < m_numVertices' failed");
}
