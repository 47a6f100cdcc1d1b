#include "demosys/timing/TrackIndex.h"

#include "demosys/io/ResourceFile.h"

namespace {

const std::string KEY_SUFFIX = ".track";

}  // namespace

std::string TrackIndex::StartStopKey(const std::string& instance) { return instance + KEY_SUFFIX; }

std::string TrackIndex::ValueKey(const std::string& instance, const std::string& track) {
  return instance + "." + track + KEY_SUFFIX;
}

bool TrackIndex::SplitKey(const std::string& key, std::string& instance, std::string& trackName) {
  if (key.size() <= KEY_SUFFIX.size() ||
      key.compare(key.size() - KEY_SUFFIX.size(), KEY_SUFFIX.size(), KEY_SUFFIX) != 0)
    return false;
  std::string stem = key.substr(0, key.size() - KEY_SUFFIX.size());
  size_t dot = stem.find('.');
  instance = stem.substr(0, dot);
  trackName = dot == std::string::npos ? std::string() : stem.substr(dot + 1);
  return !instance.empty() && (dot == std::string::npos || !trackName.empty());
}

bool TrackIndex::Read(ResourceFile& file) {
  offsets.clear();
  keys.clear();
  file.setPosition(0);
  uint32_t count = file.readU32();
  if (file.overrun()) {
    error = "it is too short to hold the entry count";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    std::string key = file.readString();
    uint32_t offset = file.readU32();
    if (file.overrun()) {
      error = "it lists " + std::to_string(count) + " entries but ends inside entry " + std::to_string(i + 1);
      return false;
    }
    if (offsets.find(key) == offsets.end()) keys.push_back(key);
    offsets[key] = offset;
  }
  return true;
}

bool TrackIndex::Find(const std::string& key, uint32_t& offset) const {
  std::map<std::string, uint32_t>::const_iterator found = offsets.find(key);
  if (found == offsets.end()) return false;
  offset = found->second;
  return true;
}
