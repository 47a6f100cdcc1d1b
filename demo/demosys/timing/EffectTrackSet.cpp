#include "demosys/timing/EffectTrackSet.h"

#include <algorithm>

#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"

EffectTrackSet::~EffectTrackSet() {
  delete startStop;
  for (TrackInterpolate* track : tracks) delete track;
}

TrackInterpolate* EffectTrackSet::GetTrack(const std::string& trackName) const {
  std::map<std::string, TrackInterpolate*>::const_iterator found = tracksByName.find(trackName);
  return found == tracksByName.end() ? nullptr : found->second;
}

void EffectTrackSet::AddTrack(TrackInterpolate* track) {
  tracksByName[track->name] = track;
  if (std::find(tracks.begin(), tracks.end(), track) == tracks.end()) tracks.push_back(track);
}

void EffectTrackSet::ReleaseTracks() {
  tracks.clear();
  tracksByName.clear();
}

void EffectTrackSet::SetStartStop(TrackStartStop* track) {
  if (startStop != track) delete startStop;
  startStop = track;
}
