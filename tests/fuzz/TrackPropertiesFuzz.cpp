// "track.properties": the enabled flags of effect instances, read through the resource access.
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackStartStop.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static std::ostream quiet(nullptr);
  FuzzInput::writeFile("track.properties", std::string(reinterpret_cast<const char*>(bytes), size));
  TrackData data;
  for (const char* name : {"fade", "camera", "glow", "bare"}) {  // the last without a start/stop track
    EffectTrackSet* set = new EffectTrackSet(name);
    if (name[0] != 'b') set->SetStartStop(new TrackStartStop(0));
    data.AddSet(set);
  }
  TrackLoader loader(FuzzInput::scratchDirectory(), false, quiet);
  loader.LoadTrackProperties(&data);
  return 0;
}
