// The packed track pair "index.list" + "track.data", read the way the demo reads it (through the
// resource access, for named instances with parameter tracks) and the way the tools read it
// (every record). Input: the index file, then the data file (see FuzzInput.h).
#include <memory>
#include <ostream>

#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackStartStop.h"
#include "fuzz/FuzzInput.h"

namespace {

class ParameterEffect : public Effect {
 public:
  void createTracks() override {
    NewTrack("alpha", alpha);
    NewTrack("fov", fov);
  }
  TrackInterpolate* alpha = nullptr;
  TrackInterpolate* fov = nullptr;
};

void useTracks(const TrackData& data) {
  data.ValidateStartStop();
  for (int i = 0; i < data.GetSetCount(); ++i) {
    const EffectTrackSet* set = data.GetSetAt(i);
    for (uint32_t row : {0u, 1u, 20u, 200u, 4000u, 0xffffffffu}) {
      TrackData::IsActive(set->startStop, row);
      TrackData::GetTarget(set->startStop, row);
    }
    for (TrackInterpolate* track : set->tracks)
      for (uint32_t timeMs : {0u, 25u, 1000u, 12345u, 0xffffffffu}) data.GetValue(track, timeMs);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static std::ostream quiet(nullptr);
  [[maybe_unused]] static bool ready = (ResourceAccess::selectSource(0), true);
  std::vector<std::string> files = FuzzInput::split(bytes, size, 2);
  const std::string& directory = FuzzInput::scratchDirectory();
  FuzzInput::writeFile(directory + "index.list", files[0]);
  FuzzInput::writeFile(directory + "track.data", files[1]);

  ParameterEffect camera, glow;
  camera.createTracks();
  glow.createTracks();
  TrackLoader loader(directory, true, quiet);
  std::unique_ptr<TrackData> data(
      loader.LoadTrackData({"camera", "fade", "glow"}, {&camera, nullptr, &glow}));
  if (data) useTracks(*data);
  data.reset();

  std::unique_ptr<TrackData> all(loader.LoadAllTracks());
  if (all) useTracks(*all);
  return 0;
}
