#pragma once

#include <cstdint>
#include <vector>

#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Matrix4.h"
#include "demosys/math/Vec3f.h"

// Skips the parts of a large cell grid that lie outside the view. The grid's cells are stored
// row by row, each cell `verticesPerCell` consecutive vertices and one polygon; the grid is cut
// into square blocks whose bounding boxes are tested against the clip volume, and the cells of
// the blocks that may be seen come back as runs of consecutive polygons for one draw call.
// The test is conservative: a block is dropped only when all its corners lie beyond the same
// clip plane, so the picture is the same as drawing every cell.
class GridCulling {
 public:
  GridCulling(const std::vector<Vec3f>& positions, int32_t verticesPerCell, int32_t cellsPerSide,
              int32_t blockSide);

  // The visible polygon runs for a model-view-projection matrix (column-major, as GL keeps it),
  // in buffer order with neighbouring runs joined.
  std::vector<PolygonRange> visibleRanges(const Matrix4& modelViewProjection) const;

  int32_t blockCount() const { return static_cast<int32_t>(blocks.size()); }

 private:
  struct Block {
    Vec3f low;
    Vec3f high;
  };

  Block bounds(const std::vector<Vec3f>& positions, int32_t blockRow, int32_t blockColumn) const;
  bool outside(const Block& block, const Matrix4& modelViewProjection) const;
  void appendBlockRuns(int32_t blockRow, int32_t firstBlock, int32_t endBlock,
                       std::vector<PolygonRange>& ranges) const;

  int32_t verticesPerCell;
  int32_t cellsPerSide;
  int32_t blockSide;
  int32_t blocksPerSide;
  std::vector<Block> blocks;
};
