#include <benchmark/benchmark.h>

#include "demosys/KVRMesh.h"
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
