#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
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
// A frame at 60 frames per second, as the demo's time moves.
const uint32_t FRAME_MS = 17;
const size_t RANDOM_TIMES = 4096;
// Calls timed at once: long enough that reading the clock costs nothing.
const size_t BLOCK = 8192;

// The yardstick for GetValue: the same five curves over a sorted std::vector of keys, found
// by a plain binary search. Out of line, like the engine's, so that neither is folded into
// the benchmark loop.
class SortedArrayEvaluator {
 public:
  explicit SortedArrayEvaluator(const TrackInterpolate& track) {
    for (const Track::KeyframeMap::value_type& entry : track.Keyframes()) {
      const ValueKeyframe* keyframe = static_cast<const ValueKeyframe*>(entry.second);
      keys.push_back({keyframe->row, keyframe->value, keyframe->interpolation});
    }
  }

  [[gnu::noinline]] float GetValue(uint32_t timeMs, uint32_t rate) const {
    if (keys.empty()) return 0.0f;
    uint32_t row = rate * timeMs / 1000u;
    std::vector<Key>::const_iterator next = std::upper_bound(
        keys.begin(), keys.end(), row, [](uint32_t r, const Key& key) { return r < key.row; });
    if (next == keys.begin()) return 0.0f;
    if (next == keys.end()) return keys.back().value;
    const Key& from = next[-1];
    double fractionalRow = timeMs / (1000.0 / rate);
    float t = float((fractionalRow - from.row) / uint32_t(next->row - from.row));
    return curve(from.interpolation, t, from.value, next->value);
  }

 private:
  struct Key {
    uint32_t row;
    float value;
    uint32_t interpolation;
  };

  static float curve(uint32_t interpolation, float t, float a, float b) {
    const double halfPi = 3.14159265358979323846 * 0.5;
    switch (interpolation) {
      case ValueKeyframe::SineEaseOut:
        return float(std::cos((1.0 - t) * halfPi)) * (b - a) + a;
      case ValueKeyframe::CosineEaseIn:
        return float(1.0 - std::cos(t * halfPi)) * (b - a) + a;
      case ValueKeyframe::Step:
        return a;
      case ValueKeyframe::Quadratic:
        return t * t * (b - a) + a;
      default:
        return a + t * (b - a);
    }
  }

  std::vector<Key> keys;
};

// Keyframes one second apart, cycling through every curve.
void fillTrack(TrackInterpolate& track, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i)
    track.InsertKeyframe(new ValueKeyframe(i * ROW_SPACING, float(i), i % 5));
}

// Random times, or forward a frame at a time; both run to a second past the last keyframe.
std::vector<uint32_t> sampleTimes(uint32_t count, bool forward) {
  uint32_t loopMs = count * ROW_SPACING * 1000 / RATE + 1000;
  std::vector<uint32_t> times;
  if (forward)
    for (uint32_t time = 0; time < loopMs; time += FRAME_MS) times.push_back(time);
  else
    for (std::mt19937 random(42); times.size() < RANDOM_TIMES;) times.push_back(random() % loopMs);
  return times;
}

// CPU time of this thread: the machine is shared, and time spent off the processor belongs to
// neither evaluator.
double threadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <class Evaluator>
double timeBlock(const Evaluator& evaluator, const std::vector<uint32_t>& times, size_t next, uint32_t rate) {
  double begin = threadSeconds();
  for (size_t call = 0; call < BLOCK; ++call) {
    benchmark::DoNotOptimize(evaluator.GetValue(times[next], rate));
    if (++next == times.size()) next = 0;
  }
  return threadSeconds() - begin;
}

// Both evaluators must give the same bits, or the comparison would time different work.
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// GetValue side by side with the sorted-array evaluator: blocks of calls over the same times
// alternate between the two, so that a busy machine slows both alike. Time is the engine's per
// block; the counters give each evaluator's ns per call and their ratio.
void BM_TrackGetValue(benchmark::State& state) {
  TrackInterpolate track("bench");
  fillTrack(track, uint32_t(state.range(0)));
  SortedArrayEvaluator reference(track);
  std::vector<uint32_t> times = sampleTimes(uint32_t(state.range(0)), state.range(1) != 0);
  for (uint32_t time : times)
    if (!sameBits(track.GetValue(time, RATE), reference.GetValue(time, RATE)))
      return state.SkipWithError("GetValue differs from the sorted-array evaluator");
  // Unknown to the compiler, as the engine's rate is.
  uint32_t rate = RATE;
  benchmark::DoNotOptimize(rate);
  double engineSeconds = 0, referenceSeconds = 0;
  size_t next = 0;
  for (auto _ : state) {
    double seconds = timeBlock(track, times, next, rate);
    referenceSeconds += timeBlock(reference, times, next, rate);
    engineSeconds += seconds;
    state.SetIterationTime(seconds);
    next = (next + BLOCK) % times.size();
  }
  double calls = double(state.iterations()) * BLOCK;
  state.counters["ns"] = engineSeconds * 1e9 / calls;
  state.counters["sorted_array_ns"] = referenceSeconds * 1e9 / calls;
  state.counters["vs_sorted_array"] = engineSeconds / referenceSeconds;
}
BENCHMARK(BM_TrackGetValue)
    ->ArgsProduct({{10, 100, 1000}, {0, 1}})
    ->ArgNames({"keys", "forward"})
    ->UseManualTime();

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
