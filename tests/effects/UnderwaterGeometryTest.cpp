#include <gtest/gtest.h>
#include <noise.h>

#include "demosys/scene/KVRMesh.h"
#include "effects/UnderwaterGeometry.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual, const std::string& where) {
  EXPECT_FLOAT_EQ(expected.x, actual.x) << where;
  EXPECT_FLOAT_EQ(expected.y, actual.y) << where;
  EXPECT_FLOAT_EQ(expected.z, actual.z) << where;
}

}  // namespace

// The lattice is 3 x Perlin + Voronoi as libnoise's own modules give them, at every kind of point.
TEST(UnderwaterGeometryTest, LatticeHeightsAreLibnoiseValues) {
  const std::vector<float> heights = UnderwaterGeometry::seabedHeights(256);
  ASSERT_EQ(257u * 257u, heights.size());
  noise::module::Voronoi voronoi;
  voronoi.SetDisplacement(-1.5);
  voronoi.EnableDistance(false);
  voronoi.SetFrequency(0.2);
  noise::module::Perlin perlin;
  perlin.SetFrequency(0.02);
  perlin.SetOctaveCount(1);
  float low = 1e9f, high = -1e9f;
  for (int row = 0; row <= 256; row += 3)
    for (int column = row % 7; column <= 256; column += 5) {
      const float lattice = heights[row * 257 + column];
      ASSERT_EQ(float(3.0 * perlin.GetValue(column, 0, row) + voronoi.GetValue(column, 0, row)), lattice)
          << column << "," << row;
      low = std::min(low, lattice);
      high = std::max(high, lattice);
    }
  EXPECT_EQ(float(3.0 * perlin.GetValue(256, 0, 256) + voronoi.GetValue(256, 0, 256)), heights.back());
  EXPECT_LT(low, -1.0f);  // the floor has relief
  EXPECT_GT(high, 1.0f);
}

TEST(UnderwaterGeometryTest, SeabedCellsAreSeparateQuadsInRowOrder) {
  const int grid = 8;
  KVRMesh mesh(4 * grid * grid, grid * grid, 4);
  UnderwaterSurface seabed;
  UnderwaterGeometry::buildSeabed(mesh, seabed, grid, 200);
  ASSERT_EQ(256u, seabed.positions.size());
  const std::vector<float> lattice = UnderwaterGeometry::seabedHeights(grid);
  auto h = [&](int column, int row) { return lattice[row * (grid + 1) + column]; };
  const float d = 25.0f;
  // row counts from 1 as the cell's lower edge
  for (auto [row, column] : {std::pair{1, 0}, {1, 7}, {5, 3}, {8, 7}}) {
    const int k = (row - 1) * grid + column;
    const float x = -100 + column * d, zTop = 100 - (row - 1) * d, zBottom = zTop - d;
    const std::string at = "cell " + std::to_string(k);
    expectVec(Vec3f(x, h(column, row), zBottom), seabed.positions[4 * k], at);
    expectVec(Vec3f(x, h(column, row - 1), zTop), seabed.positions[4 * k + 1], at);
    expectVec(Vec3f(x + d, h(column + 1, row - 1), zTop), seabed.positions[4 * k + 2], at);
    expectVec(Vec3f(x + d, h(column + 1, row), zBottom), seabed.positions[4 * k + 3], at);
    for (int corner = 0; corner < 4; ++corner)
      EXPECT_EQ(uint32_t(4 * k + corner), seabed.indices[4 * k + corner]);
    // Unshared vertices carry their face's normal, which points up.
    expectVec(mesh.faceNormal(k), seabed.normals[4 * k + 2], at);
    EXPECT_GT(seabed.normals[4 * k].y, 0.0f) << at;
  }
}

TEST(UnderwaterGeometryTest, RibbonAndPointCountsFromTrackValues) {
  const float cases[][3] = {{0.0f, 0, 2},    {-3.0f, 0, 2},     {1.0f, 1, 2},
                            {2.9f, 2, 2},    {7.5f, 7, 7},      {20.0f, 20, 20},
                            {21.0f, 20, 21}, {150.0f, 20, 100}, {1e30f, 20, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(int(c[1]), UnderwaterGeometry::ribbonCount(c[0], 20)) << c[0];
    EXPECT_EQ(int(c[2]), UnderwaterGeometry::ribbonPointCount(c[0], 100)) << c[0];
  }
}

TEST(UnderwaterGeometryTest, RibbonsRiseWidenAndFanOut) {
  // Two points: one tip quad; the base sits at height 0 on the origin, the tip is a point at 0.1.
  const float two[] = {0.5f, 9.0f, -0.25f, 1.0f, 9.0f, 2.0f};
  std::vector<Vec3f> tip;
  EXPECT_FLOAT_EQ(0.01f, UnderwaterGeometry::appendRibbon(two, 2, 0.01f, tip));  // no segment, no growth
  ASSERT_EQ(4u, tip.size());
  for (int k = 0; k < 4; ++k) expectVec(k < 2 ? Vec3f(0, 0, 0) : Vec3f(0.1f, 0.1f, 0.2f), tip[k], "tip quad");

  // Four points: two segments, each widening the half-width, and the tip; point i sits at height
  // 0.1 i with its x and z scaled by that height.
  const float points[] = {0, 0, 0, 1, 0, 1, 2, 0, -1, 3, 0, 0.5f};
  std::vector<Vec3f> vertices;
  const float w = UnderwaterGeometry::appendRibbon(points, 4, 0.01f, vertices);
  ASSERT_EQ(12u, vertices.size());
  EXPECT_FLOAT_EQ(0.01f + 2 * 0.000025f, w);
  expectVec(Vec3f((2 + 0.01f + 0.000025f) * 0.2f, 0.2f, -0.2f), vertices[6], "segment 1 end right");
  // The tip quad starts at point m - 2 with the grown width and ends in point m - 1.
  expectVec(Vec3f((2 - w) * 0.2f, 0.2f, -0.2f), vertices[8], "tip base left");
  expectVec(Vec3f(3 * 0.3f, 0.3f, 0.5f * 0.3f), vertices[11], "tip");
}
