#include <benchmark/benchmark.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/TrackInterpolate.h"
#include "effects/ParticleCreatures2Effect.h"
#include "effects/ParticleCreaturesEffect.h"

// One frame's CPU work of each creature (positions and colours into plain memory, as the mapped
// buffers get them), with moving rotations and a delay that spreads the particles over many times.
namespace {

void setKeys(TrackInterpolate* track, std::initializer_list<std::pair<uint32_t, float>> keys) {
  for (const auto& key : keys) track->InsertKeyframe(new ValueKeyframe(key.first, key.second));
}

void setRotations(TrackInterpolate* x, TrackInterpolate* y, TrackInterpolate* z) {
  setKeys(x, {{0, 0.0f}, {40, 90.0f}, {80, -30.0f}, {120, 45.0f}, {160, 0.0f}});
  setKeys(y, {{0, 10.0f}, {60, 200.0f}, {130, -20.0f}});
  setKeys(z, {{10, -30.0f}, {50, 60.0f}, {90, 0.0f}, {170, 120.0f}});
}

// Frames at successive times, so that every frame sees fresh delayed times.
template <typename Creature>
void runFrames(benchmark::State& state, Creature& creature, size_t points) {
  std::vector<float> positions(points * 3), colours(points * 3);
  uint32_t time = 2000;
  for (auto _ : state) {
    creature.computeParticles(time, positions.data(), colours.data());
    benchmark::DoNotOptimize(positions.data());
    benchmark::ClobberMemory();
    time = time < 9000 ? time + 17 : 2000;
  }
}

void BM_ParticleCreaturesFrame(benchmark::State& state) {
  KVRDemosys::tracks = new TrackData();
  {
    ParticleCreaturesEffect creature;
    creature.createTracks();
    creature.initGeometry();
    setKeys(creature.anim, {{0, 0.0f}, {200, 10.0f}});
    setKeys(creature.rotDelay, {{0, 150.0f}, {200, 400.0f}});
    setKeys(creature.intensity, {{0, 1.0f}});
    setRotations(creature.rotateX, creature.rotateY, creature.rotateZ);
    runFrames(state, creature, 2200);
  }
  delete KVRDemosys::tracks;
  KVRDemosys::tracks = nullptr;
}
BENCHMARK(BM_ParticleCreaturesFrame)->Unit(benchmark::kMillisecond);

void BM_ParticleCreatures2Frame(benchmark::State& state) {
  KVRDemosys::tracks = new TrackData();
  {
    ParticleCreatures2Effect creature;
    creature.createTracks();
    creature.initGeometry();
    setKeys(creature.delay, {{0, 300.0f}, {200, 800.0f}});
    setKeys(creature.intensity, {{0, 1.0f}});
    setRotations(creature.rotX, creature.rotY, creature.rotZ);
    runFrames(state, creature, 7200);
  }
  delete KVRDemosys::tracks;
  KVRDemosys::tracks = nullptr;
}
BENCHMARK(BM_ParticleCreatures2Frame)->Unit(benchmark::kMillisecond);

}  // namespace
