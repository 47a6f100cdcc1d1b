#pragma once

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

class Effect;
class FBO;
class ResourceFile;
class TrackData;
class TrackIndex;
class TrackInterpolate;
class TrackStartStop;

// Finds the framebuffer object that a start keyframe names; null when there is none.
using FBOResolver = FBO* (*)(const std::string& name);

// Fills the track system from the stored records: the packed pair "index.list" and
// "track.data" (the engine's run), or one file per record and "track.properties" (tools).
//
// Loading fails, returning null and keeping a message that names the file, when a file is
// missing, unreadable, larger than MAX_FILE_BYTES, or shorter than its counts and offsets claim;
// nothing is read outside a file.
// A missing record is not a failure: the instance gets a never-active start/stop track, a
// parameter keeps an empty track.
//
// Start keyframe targets: with a resolver (the engine wires the FBO pool in), a target
// names the FBO that the resolver finds, or "screen" when it finds none. Without one (tools,
// tests, no GL) the stored name is kept as it is and targetFBO stays null; an empty stored
// name then means "screen".
class TrackLoader {
 public:
  TrackLoader(const std::string& directory, bool verbose = false, std::ostream& log = std::cout);
  ~TrackLoader();
  TrackLoader(const TrackLoader&) = delete;
  TrackLoader& operator=(const TrackLoader&) = delete;

  // Far above any real track file or timeline; a link to a device or a runaway file fails
  // instead of filling the memory.
  static constexpr uint32_t MAX_FILE_BYTES = 64u << 20;

  void SetFBOResolver(FBOResolver resolver) { fboResolver = resolver; }

  // Reads the packed pair through the engine's resource access (directory or archive) for the
  // parallel lists of instance names and instances, sorts and renumbers the priorities.
  // On success the track sets own the instances' tracks. Records of an instance that is not in
  // the lists, or of a track that the instance's effect does not make, each print one line
  // "Track data : ..." naming the known names; the lines are kept in
  // KVRDemosys::timelineWarnings (emptied when the load starts).
  TrackData* LoadTrackData(const std::vector<std::string>& names, const std::vector<Effect*>& instances);
  // Tools: every record of the packed pair on disk, tracks named after their keys, in index
  // order, priorities as stored; no effects behind the sets.
  TrackData* LoadAllTracks();
  // Tools: the same as LoadTrackData with one file per record, read from disk.
  TrackData* LoadTrackFiles(const std::vector<std::string>& names, const std::vector<Effect*>& instances);
  // Sets the enabled flags from "track.properties"; an absent file changes nothing.
  bool LoadTrackProperties(TrackData* data);

  // Null, with a message, when the record is damaged.
  TrackStartStop* ReadStartStop(ResourceFile& stream, const std::string& name);
  bool ReadValueTrack(ResourceFile& stream, const std::string& name, TrackInterpolate* track);

  const std::string& GetError() const { return error; }

  // Reads the disk file `path` whole into `file` (also for the track compiler's timeline);
  // false with the reason ("No such file or directory", "Is a directory", "File larger than
  // 64 MiB") otherwise.
  static bool ReadDiskFile(const std::string& path, ResourceFile& file, std::string& reason);

 private:
  struct Source;

  TrackData* loadInstances(Source& source, const std::vector<std::string>& names,
                           const std::vector<Effect*>& instances);
  bool loadInstance(Source& source, TrackData* data, const std::string& name, Effect* effect);
  void warnUnknownNames(const TrackIndex& index, const std::vector<std::string>& names,
                        const std::vector<Effect*>& instances);
  bool loadRecordKey(Source& source, TrackData* data, const std::string& key);
  TrackStartStop* loadStartStop(Source& source, const std::string& name);
  bool loadValueTrack(Source& source, const std::string& name, TrackInterpolate* track);
  bool openPacked(Source& source, bool throughResources);
  ResourceFile* openTrackFile(const std::string& path, bool throughResources);
  ResourceFile* seek(Source& source, const std::string& key);
  bool countFits(ResourceFile& stream, uint32_t count, uint32_t bytesEach, const std::string& key);
  std::string readTarget(ResourceFile& stream, FBO*& fbo);
  TrackData* fail(TrackData* data, const std::vector<Effect*>& instances);

  std::string directory;
  bool verbose;
  std::ostream& log;
  FBOResolver fboResolver = nullptr;
  std::string error;
};
