// The packed track pair "index.list" + "track.data", read the way the demo reads it (through the
// resource access, for named instances with parameter tracks) and the way the tools read it
// (every record). Input: the index file, then the data file (see FuzzInput.h).
#include <memory>

#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/timing/EffectTrackSet.h"
#include "fuzz/FuzzInput.h"

namespace {

struct ParameterEffect : Effect {
  TrackInterpolate *alpha = nullptr, *fov = nullptr;
  ParameterEffect() {
    NewTrack("alpha", alpha);
    NewTrack("fov", fov);
  }
};

void useTracks(std::unique_ptr<TrackData> data) {
  if (!data) return;
  data->ValidateStartStop();
  for (int i = 0; i < data->GetSetCount(); ++i)
    for (uint32_t at : {0u, 1u, 20u, 1000u, 12345u, 0xffffffffu}) {
      TrackData::IsActive(data->GetSetAt(i)->startStop, at);
      TrackData::GetTarget(data->GetSetAt(i)->startStop, at);
      for (TrackInterpolate* track : data->GetSetAt(i)->tracks) data->GetValue(track, at);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static std::ostream quiet(nullptr);
  std::vector<std::string> files = FuzzInput::split(bytes, size, 2);
  FuzzInput::writeFile("index.list", files[0]);
  FuzzInput::writeFile("track.data", files[1]);
  ParameterEffect camera, glow;
  TrackLoader loader(FuzzInput::scratchDirectory(), true, quiet);
  useTracks(std::unique_ptr<TrackData>(
      loader.LoadTrackData({"camera", "fade", "glow"}, {&camera, nullptr, &glow})));
  useTracks(std::unique_ptr<TrackData>(loader.LoadAllTracks()));
  return 0;
}
