#include "effects/GridCulling.h"

#include <algorithm>

GridCulling::GridCulling(const std::vector<Vec3f>& positions, int32_t verticesPerCell, int32_t cellsPerSide,
                         int32_t blockSide)
    : verticesPerCell(std::max(verticesPerCell, 1)),
      cellsPerSide(std::max(cellsPerSide, 0)),
      blockSide(std::max(blockSide, 1)) {
  blocksPerSide = (this->cellsPerSide + this->blockSide - 1) / this->blockSide;
  const size_t needed = size_t(this->cellsPerSide) * this->cellsPerSide * this->verticesPerCell;
  // A grid without all its vertices cannot be bounded; it is then drawn whole.
  if (positions.size() < needed) {
    blocksPerSide = 0;
    return;
  }
  for (int32_t row = 0; row < blocksPerSide; ++row)
    for (int32_t column = 0; column < blocksPerSide; ++column) blocks.push_back(bounds(positions, row, column));
}

GridCulling::Block GridCulling::bounds(const std::vector<Vec3f>& positions, int32_t blockRow,
                                       int32_t blockColumn) const {
  const size_t firstCell = size_t(blockRow) * blockSide * cellsPerSide + size_t(blockColumn) * blockSide;
  Block block{positions[firstCell * verticesPerCell], positions[firstCell * verticesPerCell]};
  const int32_t rowEnd = std::min((blockRow + 1) * blockSide, cellsPerSide);
  const int32_t columnEnd = std::min((blockColumn + 1) * blockSide, cellsPerSide);
  for (int32_t row = blockRow * blockSide; row < rowEnd; ++row)
    for (int32_t column = blockColumn * blockSide; column < columnEnd; ++column) {
      const size_t cell = size_t(row) * cellsPerSide + column;
      for (int32_t k = 0; k < verticesPerCell; ++k) {
        const Vec3f& p = positions[cell * verticesPerCell + k];
        block.low = Vec3f(std::min(block.low.x, p.x), std::min(block.low.y, p.y), std::min(block.low.z, p.z));
        block.high = Vec3f(std::max(block.high.x, p.x), std::max(block.high.y, p.y), std::max(block.high.z, p.z));
      }
    }
  return block;
}

// Each clip plane is a linear condition on (x, y, z, w); when all eight corners of a box fail
// the same one, so does everything inside the box.
bool GridCulling::outside(const Block& block, const Matrix4& m) const {
  int32_t beyond[6] = {0, 0, 0, 0, 0, 0};
  for (int32_t corner = 0; corner < 8; ++corner) {
    const float x = (corner & 1) ? block.high.x : block.low.x;
    const float y = (corner & 2) ? block.high.y : block.low.y;
    const float z = (corner & 4) ? block.high.z : block.low.z;
    float clip[4];
    for (int32_t r = 0; r < 4; ++r) clip[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    const float w = clip[3];
    beyond[0] += clip[0] < -w;
    beyond[1] += clip[0] > w;
    beyond[2] += clip[1] < -w;
    beyond[3] += clip[1] > w;
    beyond[4] += clip[2] < -w;
    beyond[5] += clip[2] > w;
  }
  return std::any_of(beyond, beyond + 6, [](int32_t count) { return count == 8; });
}

void GridCulling::appendBlockRuns(int32_t blockRow, int32_t firstBlock, int32_t endBlock,
                                  std::vector<PolygonRange>& ranges) const {
  const int32_t columnBegin = firstBlock * blockSide;
  const int32_t columnEnd = std::min(endBlock * blockSide, cellsPerSide);
  const int32_t rowEnd = std::min((blockRow + 1) * blockSide, cellsPerSide);
  for (int32_t row = blockRow * blockSide; row < rowEnd; ++row) {
    const PolygonRange run{row * cellsPerSide + columnBegin, columnEnd - columnBegin};
    if (!ranges.empty() && ranges.back().first + ranges.back().count == run.first)
      ranges.back().count += run.count;
    else
      ranges.push_back(run);
  }
}

std::vector<PolygonRange> GridCulling::visibleRanges(const Matrix4& modelViewProjection) const {
  std::vector<PolygonRange> ranges;
  if (blocksPerSide == 0) {
    if (cellsPerSide > 0) ranges.push_back(PolygonRange{0, cellsPerSide * cellsPerSide});
    return ranges;
  }
  std::vector<bool> visible(blocks.size());
  for (size_t block = 0; block < blocks.size(); ++block) visible[block] = !outside(blocks[block], modelViewProjection);
  for (int32_t row = 0; row < blocksPerSide; ++row) {
    const size_t rowStart = size_t(row) * blocksPerSide;
    int32_t column = 0;
    while (column < blocksPerSide) {
      while (column < blocksPerSide && !visible[rowStart + column]) ++column;
      const int32_t runStart = column;
      while (column < blocksPerSide && visible[rowStart + column]) ++column;
      if (column > runStart) appendBlockRuns(row, runStart, column, ranges);
    }
  }
  return ranges;
}
