#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/TrackInterpolate.h"

class FBO;

// Track files built byte by byte, and effects that record what the frame step asks of them.
namespace TrackFixtures {

// A fresh, empty directory under the test's temporary folder, ending in "/".
std::string MakeDirectory(const std::string& name);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

void AppendU32(std::vector<uint8_t>& bytes, uint32_t value);
// The characters and the terminating zero byte.
void AppendString(std::vector<uint8_t>& bytes, const std::string& text);

// Distinct non-null FBO pointers for tests that never dereference them.
FBO* FakeFBO(int index);

// The rows of the keyframes GetKeyframes gives for the window.
std::vector<uint32_t> KeyframeRows(const Track& track, uint32_t from = 0, uint32_t to = 0xFFFFFFFFu);

// Inserts (time row, value) keyframes, all with the same interpolation.
void SetKeys(TrackInterpolate* track, std::initializer_list<std::pair<uint32_t, float>> keys,
             uint32_t curve = ValueKeyframe::Linear);

}  // namespace TrackFixtures

// An effect with the tracks "alpha" and "fov" that logs "pre NAME", "draw NAME" and "post NAME"
// and keeps the draw targets it was given.
class RecordingEffect : public Effect {
 public:
  RecordingEffect(const std::string& name, std::vector<std::string>& log) : name(name), log(log) {}
  void preDraw(uint32_t) override { log.push_back("pre " + name); }
  void draw(uint32_t, uint32_t, FBO* target) override {
    log.push_back("draw " + name), targets.push_back(target);
  }
  void postDraw(uint32_t) override { log.push_back("post " + name); }
  void createTracks() override { NewTrack("alpha", alpha), NewTrack("fov", fov); }

  std::string name;
  std::vector<std::string>& log;
  std::vector<FBO*> targets;
  TrackInterpolate *alpha = nullptr, *fov = nullptr;
};

// An effect whose particles are computed without GL, its tracks in fresh engine track data.
template <class EffectType>
class ComputedEffectTest : public testing::Test {
 protected:
  void SetUp() override {
    KVRDemosys::tracks = new TrackData();
    effect.createTracks();
    effect.initGeometry();
  }
  void TearDown() override {
    delete KVRDemosys::tracks;
    KVRDemosys::tracks = nullptr;
  }
  float value(const TrackInterpolate* track, uint32_t time) {
    return KVRDemosys::tracks->GetValue(track, time);
  }

  EffectType effect;
};
