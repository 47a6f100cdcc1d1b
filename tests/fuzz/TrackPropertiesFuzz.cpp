// "track.properties": the enabled flags of effect instances, read through the resource access.
#include <memory>
#include <ostream>

#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackStartStop.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static std::ostream quiet(nullptr);
  [[maybe_unused]] static bool ready = (ResourceAccess::selectSource(0), true);
  const std::string& directory = FuzzInput::scratchDirectory();
  FuzzInput::writeFile(directory + "track.properties",
                       std::string(reinterpret_cast<const char*>(bytes), size));

  TrackData data;
  for (const char* name : {"fade", "camera", "glow"}) {
    EffectTrackSet* set = new EffectTrackSet(name);
    set->SetStartStop(new TrackStartStop(0));
    data.AddSet(set);
  }
  data.AddSet(new EffectTrackSet("bare"));
  TrackLoader loader(directory, false, quiet);
  loader.LoadTrackProperties(&data);
  return 0;
}
