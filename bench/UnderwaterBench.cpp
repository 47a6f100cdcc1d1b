#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BenchGLContext.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/VBODynamic.h"
#include "demosys/math/Matrix4.h"
#include "demosys/scene/KVRMesh.h"
#include "effects/GridCulling.h"
#include "effects/NoisePath.h"
#include "effects/PerlinSampler.h"
#include "effects/UnderwaterGeometry.h"

// The seabed as init builds it: lattice heights, 262144 vertices, faces, face and vertex normals.
static void BM_SeabedBuild(benchmark::State& state) {
  for (auto _ : state) {
    KVRMesh mesh(4 * 256 * 256, 256 * 256, 4);
    UnderwaterSurface seabed;
    UnderwaterGeometry::buildSeabed(mesh, seabed, 256, 200);
    benchmark::DoNotOptimize(seabed.positions.data());
  }
}
BENCHMARK(BM_SeabedBuild)->Unit(benchmark::kMillisecond);

static void BM_SeabedLatticeHeights(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(UnderwaterGeometry::seabedHeights(256).data());
}
BENCHMARK(BM_SeabedLatticeHeights)->Unit(benchmark::kMillisecond);

// For comparison: the same 257 x 257 heights through the libnoise modules one by one.
static void BM_SeabedDirectHeights(benchmark::State& state) {
  for (auto _ : state) {
    float sum = 0.0f;
    for (int row = 0; row <= 256; ++row)
      for (int column = 0; column <= 256; ++column)
        sum += UnderwaterGeometry::seabedHeightDirect(column, row);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_SeabedDirectHeights)->Unit(benchmark::kMillisecond);

namespace {

// The production's seabed, its culling blocks and its buffer (the buffer once a GL context is up).
struct Seabed {
  KVRMesh mesh{4 * 256 * 256, 256 * 256, 4};
  UnderwaterSurface surface;
  GridCulling culling;

  Seabed() : culling(build(mesh, surface), 4, 256, 16) {}

  static const std::vector<Vec3f>& build(KVRMesh& mesh, UnderwaterSurface& surface) {
    UnderwaterGeometry::buildSeabed(mesh, surface, 256, 200);
    return surface.positions;
  }
};

Seabed& seabed() {
  static Seabed instance;
  return instance;
}

// A diver's view: eye 4 units over the ground, 60 degree field of view, far plane 200 as in the
// production, looking along -z and a little down.
Matrix4 diverView() {
  const float f = 1.0f / std::tan(30.0f * 3.14159265f / 180.0f), nearPlane = 1.0f, farPlane = 200.0f;
  Matrix4 projection{};
  projection[0] = f / (16.0f / 9.0f);
  projection[5] = f;
  projection[10] = (nearPlane + farPlane) / (nearPlane - farPlane);
  projection[11] = -1.0f;
  projection[14] = 2.0f * nearPlane * farPlane / (nearPlane - farPlane);
  const float pitch = 10.0f * 3.14159265f / 180.0f;
  Matrix4 modelView = Matrix4::identity();
  modelView[5] = std::cos(pitch);
  modelView[6] = std::sin(pitch);
  modelView[9] = -std::sin(pitch);
  modelView[10] = std::cos(pitch);
  return projection * modelView * Matrix4::translation(0.0f, -5.5f, 0.0f);
}

int64_t polygonsIn(const std::vector<PolygonRange>& ranges) {
  int64_t count = 0;
  for (const PolygonRange& range : ranges) count += range.count;
  return count;
}

}  // namespace

// Choosing the visible seabed blocks for one frame (256 blocks, 8 corners each).
static void BM_SeabedCullingRanges(benchmark::State& state) {
  const Matrix4 view = diverView();
  std::vector<PolygonRange> ranges;
  for (auto _ : state) {
    ranges = seabed().culling.visibleRanges(view);
    benchmark::DoNotOptimize(ranges.data());
  }
  state.counters["polygons"] = double(polygonsIn(ranges));
}
BENCHMARK(BM_SeabedCullingRanges)->Unit(benchmark::kMicrosecond);

// The seabed drawn into a 1024 x 1024 target with depth (quality Low's scene buffer), whole
// (argument 0) or culled (1), waiting for the rasteriser to finish. Needs a display.
static void BM_SeabedDraw(benchmark::State& state) {
  std::string reason;
  if (!openBenchContext(reason)) {
    state.SkipWithError(reason.c_str());
    return;
  }
  static VBODynamic* buffer = new VBODynamic(seabed().surface.geometry());
  static FBO* target = new FBO(1024, 1024, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  const bool culled = state.range(0) == 1;
  const Matrix4 view = diverView();
  bind(target);
  glViewport(0, 0, 1024, 1024);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(view.m);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (culled)
      buffer->drawRanges(GL_QUADS, seabed().culling.visibleRanges(view));
    else
      buffer->draw(GL_QUADS, 0, 0);
    glFinish();
  }
  glDisable(GL_DEPTH_TEST);
  bind(nullptr);
}
BENCHMARK(BM_SeabedDraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The ribbons' noise reads one by one: the libnoise module against the inline sampler, at the
// ribbons' settings (two octaves) along a ribbon's sweep.
template <typename Noise>
static void readRibbonNoise(benchmark::State& state, const Noise& noise) {
  double a = 0.3;
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < 100; ++i, a += 0.01) sum += noise.GetValue(a, 0.5, a * 0.5);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 100);
}

static noise::module::Perlin ribbonPerlin() {
  noise::module::Perlin perlin;
  perlin.SetFrequency(1.1);
  perlin.SetOctaveCount(2);
  perlin.SetPersistence(0.5);
  return perlin;
}

static void BM_RibbonNoiseModule(benchmark::State& state) { readRibbonNoise(state, ribbonPerlin()); }
BENCHMARK(BM_RibbonNoiseModule)->Unit(benchmark::kMicrosecond);

static void BM_RibbonNoiseSampler(benchmark::State& state) {
  readRibbonNoise(state, PerlinSampler(ribbonPerlin()));
}
BENCHMARK(BM_RibbonNoiseSampler)->Unit(benchmark::kMicrosecond);

// A frame's ribbons without GL: twenty curves of 100 points regenerated and turned into quads.
static void BM_RibbonsFrame(benchmark::State& state) {
  std::vector<std::unique_ptr<NoisePath>> ribbons;
  for (int i = 0; i < 20; ++i) ribbons.emplace_back(new NoisePath(0.0f, 0.0f, 0.0f, 0.01f, 100, 1000 + i));
  std::vector<Vec3f> vertices;
  float offset = 0.2f;
  for (auto _ : state) {
    offset += 0.001f;
    vertices.clear();
    float halfWidth = 0.01f;
    for (auto& ribbon : ribbons) {
      ribbon->RegenerateXZ(offset, offset * 2.0f, 100);
      halfWidth = UnderwaterGeometry::appendRibbon(ribbon->GetPoints(), 100, halfWidth, vertices);
    }
    benchmark::DoNotOptimize(vertices.data());
  }
}
BENCHMARK(BM_RibbonsFrame)->Unit(benchmark::kMicrosecond);
