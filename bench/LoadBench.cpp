// The production's whole load as "Run demo" starts it (archive, window, definitions, shaders,
// textures, tracks, effect init, sound), from build/resources.7z. Each stage is a counter in
// milliseconds, taken from the engine's own load timings; `total` is the whole load. The load
// opens its own window and ends it with SDL_Quit, so run this group alone and under a display:
//   tests/support/with-xvfb.sh build/bench/kvr_bench --benchmark_filter=Load --benchmark_repetitions=5
// Every load after the first in a process finds the GL driver loaded already.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/ResourceLoader.h"

namespace {

// The folder that holds resources.7z: the build folder, one above the benchmark program.
std::filesystem::path buildDirectory() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
}

// One load and shutdown; false when the load failed. The engine's lines go nowhere.
bool loadOnce(int32_t quality, int32_t width, int32_t height) {
  ScreenMetrics metrics;
  metrics.setSize(width, height);
  metrics.setFullscreen(false);
  metrics.setQuality(quality);
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::shaderCache = new BrinovaShaderCache();
  KVRDemosys::resources = new BrinovaResources();
  std::ostringstream discarded;
  std::streambuf* standardOutput = std::cout.rdbuf(discarded.rdbuf());
  Demo demo;
  const bool loaded = demo.load(&metrics, 1);
  demo.shutdown();
  std::cout.rdbuf(standardOutput);
  return loaded;
}

void BM_LoadProduction(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) return state.SkipWithError("no DISPLAY");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(buildDirectory());
  std::map<std::string, double> stageMs;
  for (auto _ : state) {
    const bool loaded = loadOnce(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                                 static_cast<int32_t>(state.range(2)));
    state.PauseTiming();
    for (const auto& stage : KVRDemosys::loadTimings.stages()) stageMs[stage.first] += stage.second;
    stageMs["total"] += KVRDemosys::loadTimings.totalMs();
    ResourceLoader::resetEngineState();
    state.ResumeTiming();
    if (!loaded) {
      state.SkipWithError("the production failed to load (is build/resources.7z there?)");
      break;
    }
  }
  std::filesystem::current_path(previous);
  for (const auto& stage : stageMs)
    state.counters[stage.first] = benchmark::Counter(stage.second, benchmark::Counter::kAvgIterations);
}

}  // namespace

// Quality, window width and height: the dialog's defaults (High) and the Low quality.
BENCHMARK(BM_LoadProduction)
    ->Args({2, 1280, 720})
    ->Args({0, 640, 360})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
