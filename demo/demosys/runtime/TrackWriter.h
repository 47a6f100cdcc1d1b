#pragma once

#include <cstdint>
#include <iostream>
#include <string>

class ResourceFile;
class TrackData;
class TrackInterpolate;
class TrackStartStop;

// Writes the track system back into its stored forms, for the track tools: the packed pair
// "index.list" and "track.data", one file per record, and "track.properties".
//
// A start keyframe is stored with its target name, or with an empty name for "screen", so
// that names survive without framebuffer objects behind them (the track compiler has none).
class TrackWriter {
 public:
  explicit TrackWriter(std::ostream& log = std::cout) : log(log) {}

  static void WriteStartStop(ResourceFile& stream, const TrackStartStop* track);
  static void WriteValueTrack(ResourceFile& stream, const TrackInterpolate* track);

  // Each returns false, with a message naming the file, when a file cannot be written.
  bool SaveTrackData(const std::string& directory, const TrackData& data);
  // The packed pair into the paths given (the track compiler writes temporary files first).
  bool SaveTrackData(const std::string& indexPath, const std::string& dataPath, const TrackData& data);
  bool SaveTrackFiles(const std::string& directory, const TrackData& data);
  bool SaveTrackProperties(const std::string& directory, const TrackData& data);

  const std::string& GetError() const { return error; }

 private:
  static void appendKey(ResourceFile& index, const std::string& key, uint32_t offset);
  // Writes the bytes of the in-memory `contents` to the path it is named after.
  bool writeFile(const ResourceFile& contents);
  bool finish(ResourceFile& file);

  std::ostream& log;
  std::string error;
};
