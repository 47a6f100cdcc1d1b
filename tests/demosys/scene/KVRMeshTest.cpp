#include <gtest/gtest.h>

#include <algorithm>

#include "demosys/scene/KVRMesh.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual) {
  EXPECT_NEAR(0.0f, (expected - actual).length(), 1e-6f) << actual.x << ", " << actual.y << ", " << actual.z;
}

}  // namespace

// A unit square in the xz plane facing +y, and beside it a second one raised at 45 degrees. Face
// normals come from the first three corners; a vertex normal averages its faces' normals, so on
// the shared edge it leans 22.5 degrees.
TEST(KVRMeshTest, FaceAndVertexNormals) {
  Vec3f positions[6] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}, {2, 1, 1}, {2, 1, 0}}, normals[6];
  KVRMesh mesh(6, 2, 4);
  const int32_t corners[8] = {0, 1, 2, 3, 3, 2, 4, 5};
  std::copy(corners, corners + 4, mesh.face(0));
  std::copy(corners + 4, corners + 8, mesh.face(1));
  mesh.calcFNormals(positions);
  expectVec(Vec3f(0, 1, 0), mesh.faceNormal(0));
  expectVec(Vec3f(-0.70710678f, 0.70710678f, 0), mesh.faceNormal(1));
  mesh.calcVNormals(positions, normals);
  EXPECT_EQ(std::pair(std::vector<int32_t>{0, 1}, std::vector<int32_t>{0}),
            std::pair(mesh.facesOfVertex(2), mesh.facesOfVertex(0)));
  expectVec(Vec3f(0, 1, 0), normals[0]);
  expectVec(Vec3f(-0.38268343f, 0.92387953f, 0), normals[2]);
  expectVec(mesh.faceNormal(1), normals[5]);
}
