#include <gtest/gtest.h>

#include <cstdlib>

#include "demosys/scene/KVRMesh.h"
#include "effects/NoisePath.h"
#include "effects/UnderwaterGeometry.h"

namespace {

void expectVec(const Vec3f& expected, const Vec3f& actual, const std::string& where) {
  EXPECT_FLOAT_EQ(expected.x, actual.x) << where;
  EXPECT_FLOAT_EQ(expected.y, actual.y) << where;
  EXPECT_FLOAT_EQ(expected.z, actual.z) << where;
}

}  // namespace

TEST(UnderwaterGeometryTest, OceanGridPositionsTexCoordsAndFaces) {
  KVRMesh mesh(64 * 64, 63 * 63, 4);
  UnderwaterSurface ocean;
  UnderwaterGeometry::buildOcean(mesh, ocean, 64, 200);
  ASSERT_EQ(4096u, ocean.positions.size());
  ASSERT_EQ(8192u, ocean.texCoords.size());
  ASSERT_EQ(63u * 63u * 4u, ocean.indices.size());
  struct Case {
    int row, column;
    Vec3f position;
    float s, t;
  };
  for (const Case& c : {Case{0, 0, {-100, 0, 100}, 0, 0}, Case{0, 63, {96.875f, 0, 100}, 63 / 64.0f, 0},
                        Case{1, 2, {-93.75f, 0, 96.875f}, 2 / 64.0f, 1 / 64.0f},
                        Case{63, 63, {96.875f, 0, -96.875f}, 63 / 64.0f, 63 / 64.0f}}) {
    const int i = c.row * 64 + c.column;
    expectVec(c.position, ocean.positions[i], "vertex " + std::to_string(i));
    EXPECT_FLOAT_EQ(c.s, ocean.texCoords[i * 2]);
    EXPECT_FLOAT_EQ(c.t, ocean.texCoords[i * 2 + 1]);
  }
  // Face of cell (row 1, column 2), counted row by row over 63 cells per row.
  const int face = 1 * 63 + 2, i = 1 * 64 + 2;
  EXPECT_EQ(std::vector<uint32_t>({uint32_t(i), uint32_t(i + 64), uint32_t(i + 65), uint32_t(i + 1)}),
            std::vector<uint32_t>(ocean.indices.begin() + face * 4, ocean.indices.begin() + face * 4 + 4));
  EXPECT_EQ(uint32_t(62 * 64 + 62 + 1), ocean.indices.back());  // last cell, last corner i + 1
  // Seen from below: every normal points down.
  expectVec(Vec3f(0, -1, 0), ocean.normals[100], "normal");
  VBOGeometry geometry = ocean.geometry();
  EXPECT_EQ(4096, geometry.vertexCount);
  EXPECT_EQ(63 * 63, geometry.polygonCount);
  EXPECT_EQ(4, geometry.indicesPerPolygon);
}

TEST(UnderwaterGeometryTest, LatticeHeightsEqualDirectNoise) {
  const std::vector<float> heights = UnderwaterGeometry::seabedHeights(256);
  ASSERT_EQ(257u * 257u, heights.size());
  int mismatches = 0;
  float low = 1e9f, high = -1e9f;
  for (int row = 0; row <= 256; ++row)
    for (int column = 0; column <= 256; ++column) {
      const float direct = UnderwaterGeometry::seabedHeightDirect(column, row);
      const float lattice = heights[row * 257 + column];
      if (direct != lattice && ++mismatches < 5)
        ADD_FAILURE() << column << "," << row << ": " << direct << " vs " << lattice;
      low = std::min(low, lattice);
      high = std::max(high, lattice);
    }
  EXPECT_EQ(0, mismatches);
  EXPECT_LT(low, -1.0f);  // the floor has relief
  EXPECT_GT(high, 1.0f);
}

TEST(UnderwaterGeometryTest, SeabedCellsAreSeparateQuadsInRowOrder) {
  const int grid = 8;
  KVRMesh mesh(4 * grid * grid, grid * grid, 4);
  UnderwaterSurface seabed;
  UnderwaterGeometry::buildSeabed(mesh, seabed, grid, 200);
  ASSERT_EQ(256u, seabed.positions.size());
  const float d = 25.0f;
  auto h = UnderwaterGeometry::seabedHeightDirect;
  struct Case {
    int row, column;  // row counts from 1 as the cell's lower edge
  };
  for (const Case& c : {Case{1, 0}, Case{1, 7}, Case{5, 3}, Case{8, 7}}) {
    const int k = (c.row - 1) * grid + c.column;
    const float x = -100 + c.column * d, zTop = 100 - (c.row - 1) * d, zBottom = zTop - d;
    const std::string at = "cell " + std::to_string(k);
    expectVec(Vec3f(x, h(c.column, c.row), zBottom), seabed.positions[4 * k], at);
    expectVec(Vec3f(x, h(c.column, c.row - 1), zTop), seabed.positions[4 * k + 1], at);
    expectVec(Vec3f(x + d, h(c.column + 1, c.row - 1), zTop), seabed.positions[4 * k + 2], at);
    expectVec(Vec3f(x + d, h(c.column + 1, c.row), zBottom), seabed.positions[4 * k + 3], at);
    for (int corner = 0; corner < 4; ++corner)
      EXPECT_EQ(uint32_t(4 * k + corner), seabed.indices[4 * k + corner]);
    // Unshared vertices carry their face's normal, which points up.
    expectVec(mesh.faceNormal(k), seabed.normals[4 * k + 2], at);
    EXPECT_GT(seabed.normals[4 * k].y, 0.0f) << at;
  }
}

TEST(UnderwaterGeometryTest, RibbonAndPointCountsFromTrackValues) {
  struct Case {
    float value;
    int ribbons, points;
  };
  for (const Case& c :
       {Case{0.0f, 0, 2}, Case{-3.0f, 0, 2}, Case{1.0f, 1, 2}, Case{2.9f, 2, 2}, Case{7.5f, 7, 7},
        Case{20.0f, 20, 20}, Case{21.0f, 20, 21}, Case{150.0f, 20, 100}, Case{1e30f, 20, 100}}) {
    EXPECT_EQ(c.ribbons, UnderwaterGeometry::ribbonCount(c.value, 20)) << c.value;
    EXPECT_EQ(c.points, UnderwaterGeometry::ribbonPointCount(c.value, 100)) << c.value;
  }
}

TEST(UnderwaterGeometryTest, TwoPointRibbonIsOneTipQuad) {
  const float points[] = {0.5f, 9.0f, -0.25f, 1.0f, 9.0f, 2.0f};
  std::vector<Vec3f> vertices;
  const float w = UnderwaterGeometry::appendRibbon(points, 2, 0.01f, vertices);
  ASSERT_EQ(4u, vertices.size());
  EXPECT_FLOAT_EQ(0.01f, w);  // no segment, no growth
  // The base sits at height 0 and collapses onto the origin; the tip is a point at 0.1.
  expectVec(Vec3f(0, 0, 0), vertices[0], "base left");
  expectVec(Vec3f(0, 0, 0), vertices[1], "base right");
  expectVec(Vec3f(0.1f, 0.1f, 0.2f), vertices[2], "tip");
  expectVec(Vec3f(0.1f, 0.1f, 0.2f), vertices[3], "tip");
}

TEST(UnderwaterGeometryTest, RibbonRisesWidensAndFansOut) {
  const float points[] = {0, 0, 0, 1, 0, 1, 2, 0, -1, 3, 0, 0.5f};
  std::vector<Vec3f> vertices;
  const float w = UnderwaterGeometry::appendRibbon(points, 4, 0.01f, vertices);
  ASSERT_EQ(12u, vertices.size());  // two segments and the tip
  EXPECT_FLOAT_EQ(0.01f + 2 * 0.000025f, w);
  // Second segment: from h = 0.1 at point 1 to h = 0.2 at point 2, half-width 0.010025.
  const float w1 = 0.01f + 0.000025f;
  expectVec(Vec3f((1 - w1) * 0.1f, 0.1f, 0.1f), vertices[4], "segment 1 start left");
  expectVec(Vec3f((1 + w1) * 0.1f, 0.1f, 0.1f), vertices[5], "segment 1 start right");
  expectVec(Vec3f((2 + w1) * 0.2f, 0.2f, -0.2f), vertices[6], "segment 1 end right");
  expectVec(Vec3f((2 - w1) * 0.2f, 0.2f, -0.2f), vertices[7], "segment 1 end left");
  // The tip quad starts at point m - 2 with the grown width and ends in point m - 1 at 0.3.
  expectVec(Vec3f((2 - w) * 0.2f, 0.2f, -0.2f), vertices[8], "tip base left");
  expectVec(Vec3f(3 * 0.3f, 0.3f, 0.5f * 0.3f), vertices[11], "tip");
  // A second ribbon continues with the grown half-width.
  std::vector<Vec3f> next;
  EXPECT_FLOAT_EQ(w + 2 * 0.000025f, UnderwaterGeometry::appendRibbon(points, 4, w, next));
}

TEST(UnderwaterGeometryTest, RandomRangeStaysInsideAndFollowsRand) {
  std::srand(7);
  const int first = std::rand() % 10000;
  std::srand(7);
  EXPECT_FLOAT_EQ(-0.5f + first * 0.0001f, UnderwaterGeometry::randomRange(-0.5f, 0.5f));
  for (int i = 0; i < 1000; ++i) {
    const float r = UnderwaterGeometry::randomRange(0.0f, 1.0f);
    EXPECT_GE(r, 0.0f);
    EXPECT_LT(r, 1.0f);
  }
}

TEST(NoisePathTest, StartsAtOriginAndRegeneratesFromOffsets) {
  NoisePath path(1.0f, 2.0f, 3.0f, 0.01f, 100, 42);
  const float* p = path.GetPoints();
  EXPECT_EQ(1.0f, p[0]);
  EXPECT_EQ(2.0f, p[1]);
  EXPECT_EQ(3.0f, p[2]);
  noise::module::Perlin perlin;
  perlin.SetSeed(42);
  perlin.SetFrequency(1.1);
  perlin.SetOctaveCount(2);
  perlin.SetPersistence(0.5);
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.3f, 0.5, 0.0f)), p[3]);
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.0, 0.2, 0.01f)), p[8]);
  const float before = p[30];
  path.Regenerate(0.5f, 0.25f, 2.0f);
  EXPECT_EQ(1.0f, p[0]);  // the origin stays
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.8f, 0.5, 2.0f)), p[3]);
  EXPECT_EQ(static_cast<float>(2.0 * perlin.GetValue(0.3, 0.75f, 0.0)), p[4]);
  EXPECT_NE(before, p[30]);
}

TEST(NoisePathTest, SinglePointPathHoldsItsOrigin) {
  NoisePath path(4.0f, 5.0f, 6.0f, 0.01f, 1, 1);
  path.Regenerate(1, 2, 3);
  EXPECT_EQ(4.0f, path.GetPoints()[0]);
  EXPECT_EQ(6.0f, path.GetPoints()[2]);
}
