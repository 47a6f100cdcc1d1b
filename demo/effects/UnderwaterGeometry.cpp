#include "effects/UnderwaterGeometry.h"

#include <noise.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "demosys/scene/KVRMesh.h"

static_assert(sizeof(Vec3f) == 3 * sizeof(float), "positions are handed to GL as packed floats");

namespace {

const double VORONOI_FREQUENCY = 0.2;
const double VORONOI_DISPLACEMENT = -1.5;
const double PERLIN_FREQUENCY = 0.02;
const int VORONOI_SEED = 0;

// The seabed's two noise modules, set up once (libnoise modules cannot be copied).
struct SeabedNoise {
  SeabedNoise() {
    voronoi.SetDisplacement(VORONOI_DISPLACEMENT);
    voronoi.EnableDistance(false);
    voronoi.SetFrequency(VORONOI_FREQUENCY);
    perlin.SetFrequency(PERLIN_FREQUENCY);
    perlin.SetOctaveCount(1);
  }
  noise::module::Voronoi voronoi;
  noise::module::Perlin perlin;
};

// The unit cell that libnoise's Voronoi search starts from (it steps 0.0 down to -1 too).
int cellOf(double coordinate) {
  return coordinate > 0.0 ? static_cast<int>(coordinate) : static_cast<int>(coordinate) - 1;
}

// libnoise's Voronoi module (distance off) for the points of a y = 0 lattice. The module
// places one jittered seed point per unit cell and looks at the 5 x 5 x 5 cells around a
// sample, computing every seed point anew each time; here each cell's seed point is computed
// once. The search runs in the module's order with its arithmetic, so the values are the same.
class VoronoiLattice {
 public:
  explicit VoronoiLattice(int32_t lastCoordinate)
      : first(cellOf(0.0) - 2),
        last(cellOf(lastCoordinate * VORONOI_FREQUENCY) + 2),
        span(last - first + 1),
        seeds(static_cast<size_t>(span) * 5 * span) {
    for (int z = first; z <= last; ++z)
      for (int y = cellY - 2; y <= cellY + 2; ++y)
        for (int x = first; x <= last; ++x) {
          Vec3d& seed = seeds[index(x, y, z)];
          seed.x = x + noise::ValueNoise3D(x, y, z, VORONOI_SEED);
          seed.y = y + noise::ValueNoise3D(x, y, z, VORONOI_SEED + 1);
          seed.z = z + noise::ValueNoise3D(x, y, z, VORONOI_SEED + 2);
        }
  }

  double value(int32_t column, int32_t row) const {
    const double x = column * VORONOI_FREQUENCY, y = 0.0 * VORONOI_FREQUENCY, z = row * VORONOI_FREQUENCY;
    const int xCell = cellOf(x), zCell = cellOf(z);
    double nearest = 2147483647.0;
    Vec3d candidate{0.0, 0.0, 0.0};
    for (int zCur = zCell - 2; zCur <= zCell + 2; ++zCur)
      for (int yCur = cellY - 2; yCur <= cellY + 2; ++yCur) {
        const Vec3d* seed = &seeds[index(xCell - 2, yCur, zCur)];
        for (int step = 0; step < 5; ++step, ++seed) {
          const double dx = seed->x - x, dy = seed->y - y, dz = seed->z - z;
          const double distance = dx * dx + dy * dy + dz * dz;
          if (distance < nearest) {
            nearest = distance;
            candidate = *seed;
          }
        }
      }
    return 0.0 + VORONOI_DISPLACEMENT * noise::ValueNoise3D(static_cast<int>(std::floor(candidate.x)),
                                                            static_cast<int>(std::floor(candidate.y)),
                                                            static_cast<int>(std::floor(candidate.z)));
  }

 private:
  struct Vec3d {
    double x, y, z;
  };
  size_t index(int x, int y, int z) const {
    return (static_cast<size_t>(z - first) * 5 + static_cast<size_t>(y - (cellY - 2))) * span + (x - first);
  }

  static constexpr int cellY = -1;  // cellOf(0.0)
  int first;
  int last;
  int span;
  std::vector<Vec3d> seeds;
};

void finishSurface(KVRMesh& mesh, UnderwaterSurface& surface) {
  surface.normals.assign(surface.positions.size(), Vec3f());
  mesh.calcFNormals(surface.positions.data());
  mesh.calcVNormals(surface.positions.data(), surface.normals.data());
  surface.indices.assign(mesh.faces().begin(), mesh.faces().end());
}

void addVertex(UnderwaterSurface& surface, float x, float y, float z, float s, float t) {
  surface.positions.emplace_back(x, y, z);
  surface.texCoords.push_back(s);
  surface.texCoords.push_back(t);
}

}  // namespace

VBOGeometry UnderwaterSurface::geometry() const {
  VBOGeometry geometry;
  geometry.vertexCount = static_cast<int32_t>(positions.size());
  geometry.polygonCount = static_cast<int32_t>(indices.size() / 4);
  geometry.indicesPerPolygon = 4;
  geometry.positions = &positions.data()->x;
  geometry.normals = &normals.data()->x;
  geometry.texCoords = texCoords.data();
  geometry.indices = indices.data();
  return geometry;
}

namespace UnderwaterGeometry {

void buildOcean(KVRMesh& mesh, UnderwaterSurface& surface, int32_t gridSize, int32_t worldSize) {
  const float spacing = static_cast<float>(worldSize) / gridSize;
  const float texStep = 1.0f / gridSize;
  surface = UnderwaterSurface();
  surface.positions.reserve(static_cast<size_t>(gridSize) * gridSize);
  float z = worldSize / 2.0f, t = 0.0f;
  for (int32_t row = 0; row < gridSize; ++row, z -= spacing, t += texStep) {
    float x = -worldSize / 2.0f, s = 0.0f;
    for (int32_t column = 0; column < gridSize; ++column, x += spacing, s += texStep)
      addVertex(surface, x, 0.0f, z, s, t);
  }
  int32_t face = 0;
  for (int32_t row = 0; row + 1 < gridSize; ++row)
    for (int32_t column = 0; column + 1 < gridSize; ++column) {
      const int32_t i = row * gridSize + column;
      int32_t* corners = mesh.face(face++);
      corners[0] = i;
      corners[1] = i + gridSize;
      corners[2] = i + gridSize + 1;
      corners[3] = i + 1;
    }
  finishSurface(mesh, surface);
}

float seabedHeightDirect(int32_t column, int32_t row) {
  static const SeabedNoise noise;
  return static_cast<float>(3.0 * noise.perlin.GetValue(column, 0, row) +
                            noise.voronoi.GetValue(column, 0, row));
}

std::vector<float> seabedHeights(int32_t gridSize) {
  const SeabedNoise noise;
  const VoronoiLattice voronoi(gridSize);
  const int32_t side = gridSize + 1;
  std::vector<float> heights(static_cast<size_t>(side) * side);
  for (int32_t row = 0; row < side; ++row)
    for (int32_t column = 0; column < side; ++column)
      heights[static_cast<size_t>(row) * side + column] =
          static_cast<float>(3.0 * noise.perlin.GetValue(column, 0, row) + voronoi.value(column, row));
  return heights;
}

void buildSeabed(KVRMesh& mesh, UnderwaterSurface& surface, int32_t gridSize, int32_t worldSize) {
  const std::vector<float> heights = seabedHeights(gridSize);
  const int32_t side = gridSize + 1;
  auto height = [&](int32_t column, int32_t row) {
    return heights[static_cast<size_t>(row) * side + column];
  };
  const float d = static_cast<float>(worldSize) / gridSize;
  const float texStep = 1.0f / gridSize;
  surface = UnderwaterSurface();
  surface.positions.reserve(static_cast<size_t>(gridSize) * gridSize * 4);
  surface.texCoords.reserve(static_cast<size_t>(gridSize) * gridSize * 8);
  int32_t face = 0;
  float zTop = worldSize / 2.0f, tTop = 0.0f;
  for (int32_t row = 1; row <= gridSize; ++row, zTop -= d, tTop += texStep) {
    const float zBottom = zTop - d, tBottom = tTop + texStep;
    float x = -worldSize / 2.0f, s = 0.0f;
    for (int32_t column = 0; column < gridSize; ++column, x += d, s += texStep) {
      int32_t* corners = mesh.face(face);
      for (int32_t k = 0; k < 4; ++k) corners[k] = face * 4 + k;
      ++face;
      addVertex(surface, x, height(column, row), zBottom, s, tBottom);
      addVertex(surface, x, height(column, row - 1), zTop, s, tTop);
      addVertex(surface, x + d, height(column + 1, row - 1), zTop, s + texStep, tTop);
      addVertex(surface, x + d, height(column + 1, row), zBottom, s + texStep, tBottom);
    }
  }
  finishSurface(mesh, surface);
}

// Track values can be anything; they are bounded before truncation so the conversion is defined.
int32_t ribbonCount(float value, int32_t maxRibbons) {
  if (value >= maxRibbons) return maxRibbons;
  if (!(value > 0.0f)) return 0;
  return static_cast<int32_t>(value);
}

int32_t ribbonPointCount(float value, int32_t maxPoints) {
  if (value >= maxPoints) return maxPoints;
  if (!(value >= 2.0f)) return 2;
  return static_cast<int32_t>(value);
}

float appendRibbon(const float* points, int32_t pointCount, float halfWidth, std::vector<Vec3f>& vertices) {
  auto point = [points](int32_t j) { return &points[static_cast<size_t>(j) * 3]; };
  float h = 0.0f, w = halfWidth;
  for (int32_t j = 0; j + 2 < pointCount; ++j) {
    const float* p = point(j);
    const float* q = point(j + 1);
    vertices.emplace_back((p[0] - w) * h, h, p[2] * h);
    vertices.emplace_back((p[0] + w) * h, h, p[2] * h);
    h += 0.1f;
    vertices.emplace_back((q[0] + w) * h, h, q[2] * h);
    vertices.emplace_back((q[0] - w) * h, h, q[2] * h);
    w += 0.000025f;
  }
  const float* base = point(pointCount - 2);
  const float* tip = point(pointCount - 1);
  vertices.emplace_back((base[0] - w) * h, h, base[2] * h);
  vertices.emplace_back((base[0] + w) * h, h, base[2] * h);
  h += 0.1f;
  vertices.emplace_back(tip[0] * h, h, tip[2] * h);
  vertices.emplace_back(tip[0] * h, h, tip[2] * h);
  return w;
}

float randomRange(float lo, float hi) {
  return lo + std::fmod(static_cast<float>(std::rand() % 10000) * 0.0001f, hi - lo);
}

}  // namespace UnderwaterGeometry
