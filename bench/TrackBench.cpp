#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"

namespace {

const uint32_t ROW_SPACING = 20;
const uint32_t RATE = 20;

// GetValue at random times over a track of range(0) keyframes cycling through every curve.
void BM_TrackGetValue(benchmark::State& state) {
  uint32_t count = static_cast<uint32_t>(state.range(0));
  TrackInterpolate track("bench");
  for (uint32_t i = 0; i < count; ++i)
    track.InsertKeyframe(new ValueKeyframe(i * ROW_SPACING, float(i), i % 5));
  uint32_t endMs = count * ROW_SPACING * 1000 / RATE;
  std::mt19937 random(42);
  std::vector<uint32_t> times(4096);
  for (uint32_t& time : times) time = random() % (endMs + 1000);
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(track.GetValue(times[next], RATE));
    next = (next + 1) & (times.size() - 1);
  }
}
BENCHMARK(BM_TrackGetValue)->Arg(10)->Arg(100)->Arg(1000);

class IdleEffect : public Effect {
 public:
  void preDraw(uint32_t time) override { benchmark::DoNotOptimize(time); }
  void draw(uint32_t time, uint32_t delta, FBO* target) override { benchmark::DoNotOptimize(target); }
  void postDraw(uint32_t time) override { benchmark::DoNotOptimize(time); }
};

// The frame step for the demo's nine instances, each with twenty intervals.
void BM_TrackStepNineInstances(benchmark::State& state) {
  const int instances = 9;
  std::vector<IdleEffect> effects(instances);
  TrackData data;
  for (int i = 0; i < instances; ++i) {
    EffectTrackSet* set = new EffectTrackSet("effect_" + std::to_string(i));
    set->effect = &effects[i];
    set->startStop = new TrackStartStop(instances - i);
    for (uint32_t interval = 0; interval < 20; ++interval) {
      uint32_t from = interval * 150 + uint32_t(i) * 5;
      set->startStop->InsertPair(new StartStopKeyframe(from, StartStopKeyframe::Start),
                                 new StartStopKeyframe(from + 100, StartStopKeyframe::Stop));
    }
    data.AddSet(set);
  }
  data.BuildOrder();
  uint32_t row = 0;
  for (auto _ : state) {
    data.Step(row * 50, row, 16);
    row = (row + 7) % 3000;
  }
}
BENCHMARK(BM_TrackStepNineInstances);

}  // namespace
