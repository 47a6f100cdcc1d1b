#include <gtest/gtest.h>

#include <vector>

#include "demosys/math/Matrix4.h"
#include "effects/GridCulling.h"

namespace {

// A flat grid of side x side unit cells on the z = 0 plane, x and y from 0 to side, stored as
// separate quads row by row: what the seabed looks like to the culling.
std::vector<Vec3f> flatGrid(int side) {
  std::vector<Vec3f> positions;
  for (int row = 0; row < side; ++row)
    for (int column = 0; column < side; ++column) {
      const float x = float(column), y = float(row);
      positions.insert(positions.end(), {{x, y, 0}, {x + 1, y, 0}, {x + 1, y + 1, 0}, {x, y + 1, 0}});
    }
  return positions;
}

// Clip space = object space scaled and moved so that [from, from + size] in x and y fills the
// view; z stays at 0, inside the depth range.
Matrix4 viewOf(float fromX, float fromY, float size) {
  Matrix4 m = Matrix4::identity();
  m[0] = m[5] = 2.0f / size;
  m[12] = -1.0f - 2.0f * fromX / size;
  m[13] = -1.0f - 2.0f * fromY / size;
  return m;
}

using Runs = std::vector<std::pair<int, int>>;

// The runs `culling` draws for the view `view`, as (first, count) pairs.
Runs runs(const GridCulling& culling, const Matrix4& view) {
  Runs result;
  for (const PolygonRange& range : culling.visibleRanges(view)) result.emplace_back(range.first, range.count);
  return result;
}

}  // namespace

TEST(GridCullingTest, RunsOfTheBlocksInView) {
  const GridCulling culling(flatGrid(4), 4, 4, 2);
  EXPECT_EQ(4, culling.blockCount());
  // Everything in view: the row runs join into one.
  EXPECT_EQ(Runs({{0, 16}}), runs(culling, viewOf(0, 0, 4)));
  // The view ends at x = 1.5: the blocks of columns 0-1, two cells of every row.
  EXPECT_EQ(Runs({{0, 2}, {4, 2}, {8, 2}, {12, 2}}), runs(culling, viewOf(-2.5f, 0, 4)));
  // The top-right block only.
  EXPECT_EQ(Runs({{10, 2}, {14, 2}}), runs(culling, viewOf(3, 3, 2)));
  // Nothing in view.
  EXPECT_EQ(Runs(), runs(culling, viewOf(10, 10, 2)));
  // The view's left edge at x = 1.9 cuts into the left blocks; they stay.
  EXPECT_EQ(Runs({{0, 16}}), runs(culling, viewOf(1.9f, 0, 4)));
  // Depth decides as well: a grid beyond the far plane is dropped.
  Matrix4 pushedAway = viewOf(0, 0, 4);
  pushedAway[14] = 2.0f;
  EXPECT_EQ(Runs(), runs(culling, pushedAway));
}

TEST(GridCullingTest, UnevenBlocksAndShortGeometry) {
  // Five cells per side in blocks of two: the last block row and column hold one cell.
  const GridCulling uneven(flatGrid(5), 4, 5, 2);
  EXPECT_EQ(9, uneven.blockCount());
  EXPECT_EQ(Runs({{24, 1}}), runs(uneven, viewOf(4.5f, 4.5f, 0.25f)));
  EXPECT_EQ(Runs({{0, 25}}), runs(uneven, viewOf(0, 0, 5)));
  // Too few vertices to bound the grid: it is drawn whole, whatever the view.
  const GridCulling shortGrid(std::vector<Vec3f>(10), 4, 5, 2);
  EXPECT_EQ(0, shortGrid.blockCount());
  EXPECT_EQ(Runs({{0, 25}}), runs(shortGrid, viewOf(100, 100, 1)));
}
