#include "demosys/runtime/TrackData.h"

#include <algorithm>
#include <iostream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/Effect.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"

TrackData::~TrackData() {
  // The warnings describe the engine's loaded timeline and go with it.
  if (KVRDemosys::tracks == this) KVRDemosys::timelineWarnings.clear();
  for (std::map<std::string, EffectTrackSet*>::value_type& entry : sets) delete entry.second;
}

EffectTrackSet* TrackData::GetSet(const std::string& name) const {
  std::map<std::string, EffectTrackSet*>::const_iterator found = sets.find(name);
  return found == sets.end() ? nullptr : found->second;
}

void TrackData::AddSet(EffectTrackSet* set) {
  EffectTrackSet*& slot = sets[set->name];
  if (slot && slot != set) {
    ordered.erase(std::remove(ordered.begin(), ordered.end(), slot), ordered.end());
    active.erase(std::remove(active.begin(), active.end(), slot), active.end());
    delete slot;
  }
  slot = set;
}

EffectTrackSet* TrackData::GetSetAt(int index) const {
  if (index < 0 || index >= GetSetCount()) return nullptr;
  return std::next(sets.begin(), index)->second;
}

int TrackData::GetEntryCount() const {
  int count = 0;
  for (const std::map<std::string, EffectTrackSet*>::value_type& entry : sets)
    count += 1 + static_cast<int>(entry.second->tracks.size());
  return count;
}

int32_t TrackData::priorityOf(const EffectTrackSet* set) {
  return set->startStop ? set->startStop->priority : -1;
}

// A selection sort on purpose: among equal priorities the first minimum is taken and the
// swap may reorder the rest, and stored timelines were authored against exactly this order.
void TrackData::BuildOrder() {
  ordered.clear();
  for (std::map<std::string, EffectTrackSet*>::value_type& entry : sets) ordered.push_back(entry.second);
  size_t count = ordered.size();
  for (size_t i = 0; i + 1 < count; ++i) {
    size_t lowest = i;
    for (size_t j = i + 1; j < count; ++j)
      if (priorityOf(ordered[j]) < priorityOf(ordered[lowest])) lowest = j;
    std::swap(ordered[i], ordered[lowest]);
  }
}

void TrackData::NumberPriorities() {
  for (size_t i = 0; i < ordered.size(); ++i)
    if (ordered[i]->startStop) ordered[i]->startStop->priority = static_cast<int32_t>(i);
}

bool TrackData::ValidateStartStop() const {
  std::cout << "Validating StartStop track data." << std::endl;
  for (const EffectTrackSet* set : ordered) {
    if (set->startStop && !set->startStop->Validate()) {
      std::cout << "--> StartStop Track : " << set->name << " has keyframe mismatch" << std::endl;
      return false;
    }
  }
  return true;
}

std::string TrackData::FirstInvalidStartStop() const {
  for (const EffectTrackSet* set : ordered) {
    if (!set->startStop) continue;
    std::streambuf* quiet = std::cout.rdbuf(nullptr);
    bool valid = set->startStop->Validate();
    std::cout.rdbuf(quiet);
    if (!valid) return set->name;
  }
  return "";
}

void TrackData::collectActive(uint32_t row) {
  activeByName.clear();
  active.clear();
  for (EffectTrackSet* set : ordered) {
    if (!IsActive(set->startStop, row)) continue;
    activeByName[set->name] = set->effect;
    active.push_back(set);
  }
}

void TrackData::Step(uint32_t timeMs, uint32_t row, uint32_t deltaMs) {
  collectActive(row);
  for (EffectTrackSet* set : active)
    if (set->effect) set->effect->preDraw(timeMs);
  for (EffectTrackSet* set : active)
    if (set->effect) set->effect->draw(timeMs, deltaMs, GetTarget(set->startStop, row));
  for (EffectTrackSet* set : active)
    if (set->effect) set->effect->postDraw(timeMs);
}

bool TrackData::IsInstanceActive(const std::string& name) const {
  return activeByName.find(name) != activeByName.end();
}

float TrackData::GetValue(const TrackInterpolate* track, uint32_t timeMs) const {
  return track ? track->GetValue(timeMs, rate) : 0.0f;
}

bool TrackData::IsActive(const TrackStartStop* startStop, uint32_t row) {
  return startStop && startStop->IsActive(row);
}

FBO* TrackData::GetTarget(const TrackStartStop* startStop, uint32_t row) {
  return startStop ? startStop->GetTarget(row) : nullptr;
}

void TrackData::SwapPriority(int i, int j) {
  int count = static_cast<int>(ordered.size());
  if (i < 0 || j < 0 || i >= count || j >= count || i == j) return;
  std::swap(ordered[i], ordered[j]);
  TrackStartStop* first = ordered[i]->startStop;
  TrackStartStop* second = ordered[j]->startStop;
  if (first && second) std::swap(first->priority, second->priority);
}

void TrackData::PrintPriorities() const {
  for (const EffectTrackSet* set : ordered)
    std::cout << "Priority " << priorityOf(set) << " = " << set->name << std::endl;
}
