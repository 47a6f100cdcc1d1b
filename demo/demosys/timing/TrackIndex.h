#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ResourceFile;

// The table of "index.list": record keys and their byte offsets in "track.data". The key of
// an instance's start/stop record is "<instance>.track", that of a parameter track
// "<instance>.<track>.track".
class TrackIndex {
 public:
  static std::string StartStopKey(const std::string& instance);
  static std::string ValueKey(const std::string& instance, const std::string& track);
  // False when the key does not end in ".track". trackName is empty for a start/stop key;
  // the instance name ends at the first full stop.
  static bool SplitKey(const std::string& key, std::string& instance, std::string& trackName);

  // False, with a message, when the file ends before the entries that it counts.
  bool Read(ResourceFile& file);
  // A key listed twice keeps its later offset.
  bool Find(const std::string& key, uint32_t& offset) const;
  // Every key once, in the order of its first entry.
  const std::vector<std::string>& Keys() const { return keys; }
  const std::string& GetError() const { return error; }

 private:
  std::map<std::string, uint32_t> offsets;
  std::vector<std::string> keys;
  std::string error;
};
