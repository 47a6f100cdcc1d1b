// The track compiler's timeline text; what parses is also printed back as timeline text.
#include <memory>
#include <sstream>

#include "demosys/runtime/TrackData.h"
#include "trackc/TimelineParser.h"
#include "trackc/TimelinePrinter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  TimelineParser parser;
  std::unique_ptr<TrackData> data(
      parser.Parse(std::string(reinterpret_cast<const char*>(bytes), size), "timeline.txt"));
  if (!data) return 0;
  std::ostringstream text;
  TimelinePrinter().Print(*data, text);
  return 0;
}
