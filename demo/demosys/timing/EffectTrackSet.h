#pragma once

#include <map>
#include <string>
#include <vector>

class Effect;
class TrackInterpolate;
class TrackStartStop;

// The tracks of one effect instance: its start/stop track and its parameter tracks, all
// owned by the set.
class EffectTrackSet {
 public:
  explicit EffectTrackSet(const std::string& name) : name(name) {}
  ~EffectTrackSet();
  EffectTrackSet(const EffectTrackSet&) = delete;
  EffectTrackSet& operator=(const EffectTrackSet&) = delete;

  // Null when the set has no track of that name.
  TrackInterpolate* GetTrack(const std::string& trackName) const;
  // Takes ownership; adding a track that the set already holds changes nothing.
  void AddTrack(TrackInterpolate* track);
  // Gives the parameter tracks back to whoever made them, without deleting them.
  void ReleaseTracks();
  // Replaces (and deletes) the start/stop track.
  void SetStartStop(TrackStartStop* track);

  TrackStartStop* startStop = nullptr;
  std::map<std::string, TrackInterpolate*> tracksByName;
  std::vector<TrackInterpolate*> tracks;
  std::string name;
  Effect* effect = nullptr;
};
