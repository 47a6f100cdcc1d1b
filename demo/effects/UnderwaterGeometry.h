#pragma once

#include <cstdint>
#include <vector>

#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Vec3f.h"

class KVRMesh;

// The arrays of a generated surface, ready for VBODynamic: 3 position, 3 normal and 2
// texture-coordinate floats per vertex, quads of 4 indices.
struct UnderwaterSurface {
  std::vector<Vec3f> positions;
  std::vector<Vec3f> normals;
  std::vector<float> texCoords;
  std::vector<uint32_t> indices;

  VBOGeometry geometry() const;
};

// The underwater scene's geometry as plain computations (no GL): the ocean grid, the seabed
// from Perlin and Voronoi noise, and the ribbon quads.
namespace UnderwaterGeometry {

// A grid of gridSize x gridSize vertices over a square of worldSize, centred on the origin at
// y = 0, quads facing down; fills the mesh's faces and normals and the surface's arrays.
void buildOcean(KVRMesh& mesh, UnderwaterSurface& surface, int32_t gridSize, int32_t worldSize);

// 3 x Perlin(c, 0, r) + Voronoi(c, 0, r), straight from the libnoise modules.
float seabedHeightDirect(int32_t column, int32_t row);
// The same heights on the whole (gridSize + 1)^2 lattice, row r at r * (gridSize + 1).
std::vector<float> seabedHeights(int32_t gridSize);
// gridSize x gridSize separate quads over the height lattice; the mesh needs 4 vertices and
// one face per cell.
void buildSeabed(KVRMesh& mesh, UnderwaterSurface& surface, int32_t gridSize, int32_t worldSize);

// How many ribbons a "num_ribs" value draws, and how many curve points a "num_ribs_verts" value.
int32_t ribbonCount(float value, int32_t maxRibbons);
int32_t ribbonPointCount(float value, int32_t maxPoints);
// Appends the quads (4 vertices each) of one ribbon over the first `pointCount` curve points
// (x, y, z each); `halfWidth` grows along the ribbon and the grown value is returned.
float appendRibbon(const float* points, int32_t pointCount, float halfWidth, std::vector<Vec3f>& vertices);

// lo + (rand() mod 10000) x 0.0001, wrapped into the width of the range.
float randomRange(float lo, float hi);

}  // namespace UnderwaterGeometry
