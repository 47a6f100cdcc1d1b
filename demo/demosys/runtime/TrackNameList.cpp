#include "demosys/runtime/TrackNameList.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/timing/TrackInterpolate.h"

namespace {

std::string sortedList(std::vector<std::string> names) {
  if (names.empty()) return "none";
  std::sort(names.begin(), names.end());
  std::string text = names[0];
  for (size_t i = 1; i < names.size(); ++i) text += ", " + names[i];
  return text;
}

std::vector<std::string> wordsOf(const std::string& line) {
  std::istringstream stream(line.substr(0, line.find('#')));
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

}  // namespace

void TrackNameList::addInstance(const std::string& instance, const Effect* effect) {
  std::vector<std::string> tracks;
  for (int i = 0; effect && i < effect->GetTrackCount(); ++i) tracks.push_back(effect->GetTrackAt(i)->name);
  addInstance(instance, tracks);
}

void TrackNameList::addInstance(const std::string& instance, const std::vector<std::string>& tracks) {
  tracksByInstance[instance] = tracks;
}

void TrackNameList::addDefinedInstances(ResourceDefinition& definition) {
  KVR_ASSERT(!KVRDemosys::effectTypePool && !KVRDemosys::effectInstancePool,
             "effectTypePool == __null && effectInstancePool == __null");
  KVRDemosys::effectTypePool = new DataEffectPool();
  KVRDemosys::effectInstancePool = new DataEffectPool();
  definition.setResourcesAbsent(true);
  definition.defineEffects();
  definition.defineInstances();
  definition.setResourcesAbsent(false);
  for (const auto& entry : KVRDemosys::effectInstancePool->entries())
    if (entry.second && entry.second->tracked) addInstance(entry.first, entry.second);
  // The pools announce their disposal, which has no place in a listing.
  std::streambuf* console = std::cout.rdbuf(nullptr);
  delete KVRDemosys::effectInstancePool;
  delete KVRDemosys::effectTypePool;
  std::cout.rdbuf(console);
  KVRDemosys::effectInstancePool = nullptr;
  KVRDemosys::effectTypePool = nullptr;
}

bool TrackNameList::hasInstance(const std::string& instance) const {
  return tracksByInstance.count(instance) != 0;
}

bool TrackNameList::hasTrack(const std::string& instance, const std::string& track) const {
  auto found = tracksByInstance.find(instance);
  if (found == tracksByInstance.end()) return false;
  return std::find(found->second.begin(), found->second.end(), track) != found->second.end();
}

std::string TrackNameList::unknownInstance(const std::string& instance) const {
  std::vector<std::string> instances;
  for (const auto& entry : tracksByInstance) instances.push_back(entry.first);
  return "no instance '" + instance + "' (instances: " + sortedList(instances) + ")";
}

std::string TrackNameList::unknownTrack(const std::string& instance, const std::string& track) const {
  auto found = tracksByInstance.find(instance);
  std::vector<std::string> tracks =
      found == tracksByInstance.end() ? std::vector<std::string>() : found->second;
  return "'" + instance + "' has no track '" + track + "' (tracks: " + sortedList(tracks) + ")";
}

bool TrackNameList::read(const std::string& text, const std::string& fileName) {
  tracksByInstance.clear();
  error.clear();
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::vector<std::string> words = wordsOf(line);
    if (!words.empty() && !readLine(words, fileName + ":" + std::to_string(number) + ": ")) return false;
  }
  return true;
}

bool TrackNameList::readLine(const std::vector<std::string>& words, const std::string& where) {
  const std::string& instance = words[0];
  if (instance.find('.') != std::string::npos)
    error = where + "expected an instance name without '.', found '" + instance + "'";
  else if (hasInstance(instance))
    error = where + "expected a new instance name, found '" + instance + "' again";
  if (!error.empty()) return false;
  std::vector<std::string> tracks(words.begin() + 1, words.end());
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (std::find(tracks.begin(), tracks.begin() + i, tracks[i]) == tracks.begin() + i) continue;
    error = where + "expected a new track name, found '" + tracks[i] + "' again";
    return false;
  }
  addInstance(instance, tracks);
  return true;
}

void TrackNameList::write(std::ostream& out) const {
  for (const auto& entry : tracksByInstance) {
    out << entry.first;
    for (const std::string& track : entry.second) out << ' ' << track;
    out << '\n';
  }
}
