#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Effect;
class EffectTrackSet;
class FBO;
class TrackInterpolate;
class TrackStartStop;

// Every effect instance's tracks, in priority order, and the per-frame step that runs the
// active instances in that order (a lower priority draws earlier).
class TrackData {
 public:
  TrackData() = default;
  ~TrackData();
  TrackData(const TrackData&) = delete;
  TrackData& operator=(const TrackData&) = delete;

  uint32_t GetRate() const { return rate; }
  void SetRate(uint32_t rowsPerSecond) { rate = rowsPerSecond; }
  uint32_t RowAt(uint32_t timeMs) const { return rate * timeMs / 1000u; }

  // Null when no set has that name.
  EffectTrackSet* GetSet(const std::string& name) const;
  // Takes ownership; a different set of the same name is deleted.
  void AddSet(EffectTrackSet* set);
  int GetSetCount() const { return static_cast<int>(sets.size()); }
  // In name order; null past the end.
  EffectTrackSet* GetSetAt(int index) const;
  // Sets plus parameter tracks: the number of records in the packed files.
  int GetEntryCount() const;

  void BuildOrder();
  void NumberPriorities();
  bool ValidateStartStop() const;
  // The first instance whose start/stop keyframes do not alternate, or "" when all do.
  std::string FirstInvalidStartStop() const;
  void Step(uint32_t timeMs, uint32_t row, uint32_t deltaMs);
  bool IsInstanceActive(const std::string& name) const;

  float GetValue(const TrackInterpolate* track, uint32_t timeMs) const;
  static bool IsActive(const TrackStartStop* startStop, uint32_t row);
  static FBO* GetTarget(const TrackStartStop* startStop, uint32_t row);

  // Editing operations of the track tools.
  void SwapPriority(int i, int j);
  void PrintPriorities() const;

  std::map<std::string, EffectTrackSet*> sets;
  std::vector<EffectTrackSet*> ordered;
  std::map<std::string, Effect*> activeByName;
  std::vector<EffectTrackSet*> active;
  uint32_t rate = 20;

 private:
  static int32_t priorityOf(const EffectTrackSet* set);
  void collectActive(uint32_t row);
};
