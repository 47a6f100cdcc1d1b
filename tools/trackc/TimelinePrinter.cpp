#include "trackc/TimelinePrinter.h"

#include <sstream>

#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "trackc/TimelineSyntax.h"

using TimelineSyntax::FormatTime;

bool TimelinePrinter::Print(const TrackData& data, std::ostream& out) {
  std::ostringstream text;
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data.sets)
    if (!printInstance(*entry.second, data.GetRate(), text)) return false;
  out << text.str();
  return true;
}

bool TimelinePrinter::printInstance(const EffectTrackSet& set, uint32_t rate, std::ostream& out) {
  if (!TimelineSyntax::IsInstanceName(set.name))
    return cannotWrite(set.name, "its name is not one word without '.'");
  int32_t priority = set.startStop ? set.startStop->priority : -1;
  out << "instance " << set.name << " " << priority << "\n";
  if (set.startStop && !printIntervals(set.name, *set.startStop, rate, out)) return false;
  for (const TrackInterpolate* track : set.tracks) {
    if (!TimelineSyntax::IsName(track->name))
      return cannotWrite(set.name, "track '" + track->name + "' is not one word");
    out << "  track " << track->name << "\n";
    for (const std::pair<const uint32_t, Keyframe*>& entry : track->Keyframes()) {
      const ValueKeyframe* keyframe = static_cast<const ValueKeyframe*>(entry.second);
      out << "    " << FormatTime(keyframe->row, rate) << " " << TimelineSyntax::FormatValue(keyframe->value)
          << " " << TimelineSyntax::FormatCurve(keyframe->interpolation) << "\n";
    }
  }
  return true;
}

// Pairs become "run" lines; a start left open at the end becomes a "start" line.
bool TimelinePrinter::printIntervals(const std::string& instance, const TrackStartStop& startStop,
                                     uint32_t rate, std::ostream& out) {
  const Track::KeyframeMap& keyframes = startStop.Keyframes();
  for (Track::KeyframeMap::const_iterator it = keyframes.begin(); it != keyframes.end(); ++it) {
    const StartStopKeyframe* start = static_cast<const StartStopKeyframe*>(it->second);
    if (start->kind != StartStopKeyframe::Start)
      return cannotWrite(instance, "row " + std::to_string(start->row) + " should hold a start keyframe");
    if (!TimelineSyntax::IsName(start->target))
      return cannotWrite(instance, "target '" + start->target + "' is not one word");
    Track::KeyframeMap::const_iterator next = std::next(it);
    if (next == keyframes.end()) {
      out << "  start " << FormatTime(start->row, rate) << " " << start->target << "\n";
      break;
    }
    const StartStopKeyframe* stop = static_cast<const StartStopKeyframe*>(next->second);
    if (stop->kind != StartStopKeyframe::Stop)
      return cannotWrite(instance, "row " + std::to_string(stop->row) + " should hold a stop keyframe");
    out << "  run " << FormatTime(start->row, rate) << " " << FormatTime(stop->row, rate) << " "
        << start->target << "\n";
    it = next;
  }
  return true;
}

bool TimelinePrinter::cannotWrite(const std::string& instance, const std::string& why) {
  error = "Instance '" + instance + "' cannot be written as a timeline: " + why;
  return false;
}
