#include "demosys/runtime/TrackLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackNameList.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackIndex.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackPath.h"
#include "demosys/timing/TrackStartStop.h"

// Where the records come from: the packed pair, or one file per record in a directory.
struct TrackLoader::Source {
  std::unique_ptr<ResourceFile> indexFile;
  std::unique_ptr<ResourceFile> dataFile;
  TrackIndex index;
  bool onePerFile = false;
  std::unique_ptr<ResourceFile> recordFile;
};

namespace {

const uint32_t STOP_KEYFRAME_BYTES = 8;
const uint32_t VALUE_KEYFRAME_BYTES = 12;

std::string tooLarge() {
  return "File larger than " + std::to_string(TrackLoader::MAX_FILE_BYTES >> 20) + " MiB";
}

bool readBounded(int descriptor, std::vector<uint8_t>& bytes, std::string& reason) {
  struct stat info;
  if (fstat(descriptor, &info) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = std::strerror(EISDIR);
    return false;
  }
  if (S_ISREG(info.st_mode) && uint64_t(info.st_size) > TrackLoader::MAX_FILE_BYTES) {
    reason = tooLarge();
    return false;
  }
  // Devices and pipes have no size to trust: the bound is checked as the bytes arrive.
  uint8_t buffer[65536];
  for (;;) {
    ssize_t count = read(descriptor, buffer, sizeof buffer);
    if (count == 0) return true;
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      reason = std::strerror(errno);
      return false;
    }
    if (size_t(count) > TrackLoader::MAX_FILE_BYTES - bytes.size()) {
      reason = tooLarge();
      return false;
    }
    bytes.insert(bytes.end(), buffer, buffer + count);
  }
}

}  // namespace

bool TrackLoader::ReadDiskFile(const std::string& path, ResourceFile& file, std::string& reason) {
  int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return false;
  }
  std::vector<uint8_t> bytes;
  bool complete = readBounded(descriptor, bytes, reason);
  close(descriptor);
  if (complete) file.fill(bytes);
  return complete;
}

// From the archive the resource access reads the entry (its size is the archive's to check);
// from disk the file is read here, within the bound.
ResourceFile* TrackLoader::openTrackFile(const std::string& path, bool throughResources) {
  std::string reason;
  if (throughResources && KVRDemosys::resourceSource != 0) {
    std::unique_ptr<ResourceFile> file(ResourceAccess::loadFile(path));
    if (file && file->isOk()) return file.release();
  } else {
    std::unique_ptr<ResourceFile> file(new ResourceFile(path));
    if (ReadDiskFile(path, *file, reason)) return file.release();
  }
  error = "Cannot open track file '" + path + "'" + (reason.empty() ? "" : ": " + reason);
  return nullptr;
}

TrackLoader::TrackLoader(const std::string& directory, bool verbose, std::ostream& log)
    : directory(directory), verbose(verbose), log(log) {}

TrackLoader::~TrackLoader() = default;

TrackData* TrackLoader::LoadTrackData(const std::vector<std::string>& names,
                                      const std::vector<Effect*>& instances) {
  KVRDemosys::timelineWarnings.clear();
  Source source;
  if (!openPacked(source, true)) return nullptr;
  TrackData* data = loadInstances(source, names, instances);
  if (data) warnUnknownNames(source.index, names, instances);
  return data;
}

// A record that no instance reads is a misspelled name in the timeline: without a word its
// effect would just be missing from the demo.
void TrackLoader::warnUnknownNames(const TrackIndex& index, const std::vector<std::string>& names,
                                   const std::vector<Effect*>& instances) {
  TrackNameList known;
  for (size_t i = 0; i < names.size(); ++i)
    known.addInstance(names[i], i < instances.size() ? instances[i] : nullptr);
  std::set<std::string> reportedInstances;
  for (const std::string& key : index.Keys()) {
    std::string instance, track, warning;
    if (!TrackIndex::SplitKey(key, instance, track)) continue;
    if (!known.hasInstance(instance)) {
      if (reportedInstances.insert(instance).second) warning = known.unknownInstance(instance);
    } else if (!track.empty() && !known.hasTrack(instance, track)) {
      warning = known.unknownTrack(instance, track);
    }
    if (warning.empty()) continue;
    KVRDemosys::timelineWarnings.push_back("Track data : " + warning);
    log << KVRDemosys::timelineWarnings.back() << std::endl;
  }
}

TrackData* TrackLoader::LoadTrackFiles(const std::vector<std::string>& names,
                                       const std::vector<Effect*>& instances) {
  Source source;
  source.onePerFile = true;
  return loadInstances(source, names, instances);
}

TrackData* TrackLoader::LoadAllTracks() {
  Source source;
  if (!openPacked(source, false)) return nullptr;
  TrackData* data = new TrackData();
  for (const std::string& key : source.index.Keys())
    if (!loadRecordKey(source, data, key)) return fail(data, {});
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data->sets)
    if (!entry.second->startStop) entry.second->SetStartStop(new TrackStartStop(-1));
  data->BuildOrder();
  return data;
}

bool TrackLoader::openPacked(Source& source, bool throughResources) {
  std::string indexPath = TrackPath::Join(directory, "index.list");
  std::string dataPath = TrackPath::Join(directory, "track.data");
  source.indexFile.reset(openTrackFile(indexPath, throughResources));
  if (!source.indexFile) return false;
  source.dataFile.reset(openTrackFile(dataPath, throughResources));
  if (!source.dataFile) return false;
  if (!source.index.Read(*source.indexFile)) {
    error = "Track file '" + indexPath + "' is damaged: " + source.index.GetError();
    return false;
  }
  return true;
}

TrackData* TrackLoader::loadInstances(Source& source, const std::vector<std::string>& names,
                                      const std::vector<Effect*>& instances) {
  TrackData* data = new TrackData();
  for (size_t i = 0; i < names.size(); ++i) {
    Effect* effect = i < instances.size() ? instances[i] : nullptr;
    if (!loadInstance(source, data, names[i], effect)) return fail(data, instances);
  }
  for (Effect* effect : instances)
    if (effect) effect->HandOverTracks();
  data->BuildOrder();
  data->NumberPriorities();
  return data;
}

bool TrackLoader::loadInstance(Source& source, TrackData* data, const std::string& name, Effect* effect) {
  EffectTrackSet* set = new EffectTrackSet(name);
  set->effect = effect;
  data->AddSet(set);
  TrackStartStop* startStop = loadStartStop(source, name);
  if (!startStop) return false;
  set->SetStartStop(startStop);
  int count = effect ? effect->GetTrackCount() : 0;
  for (int i = 0; i < count; ++i) {
    TrackInterpolate* track = effect->GetTrackAt(i);
    set->AddTrack(track);
    if (!loadValueTrack(source, name, track)) return false;
  }
  return true;
}

TrackStartStop* TrackLoader::loadStartStop(Source& source, const std::string& name) {
  std::string key = TrackIndex::StartStopKey(name);
  ResourceFile* stream = seek(source, key);
  if (stream) return ReadStartStop(*stream, name);
  if (!error.empty()) return nullptr;
  if (verbose) log << "Track '" << name << "' do not exit. Creating dummy." << std::endl;
  return new TrackStartStop(-1);
}

bool TrackLoader::loadValueTrack(Source& source, const std::string& name, TrackInterpolate* track) {
  std::string key = TrackIndex::ValueKey(name, track->name);
  ResourceFile* stream = seek(source, key);
  if (stream) return ReadValueTrack(*stream, name, track);
  if (verbose && error.empty()) log << "-> '" << key << "' do not exit. Keeping dummy." << std::endl;
  return error.empty();
}

bool TrackLoader::loadRecordKey(Source& source, TrackData* data, const std::string& key) {
  std::string instance, trackName;
  if (!TrackIndex::SplitKey(key, instance, trackName)) return true;
  EffectTrackSet* set = data->GetSet(instance);
  if (!set) {
    set = new EffectTrackSet(instance);
    data->AddSet(set);
  }
  if (trackName.empty()) {
    TrackStartStop* startStop = loadStartStop(source, instance);
    set->SetStartStop(startStop);
    return startStop != nullptr;
  }
  TrackInterpolate* track = new TrackInterpolate(trackName);
  set->AddTrack(track);
  return loadValueTrack(source, instance, track);
}

// The stream positioned at the record, or null: with an empty error when there is no such
// record, with a message when the record would start outside its file.
ResourceFile* TrackLoader::seek(Source& source, const std::string& key) {
  error.clear();
  if (source.onePerFile) {
    std::string path = TrackPath::Join(directory, key);
    if (!ResourceAccess::fileExists(path)) return nullptr;
    source.recordFile.reset(openTrackFile(path, false));
    return source.recordFile.get();
  }
  uint32_t offset = 0;
  if (!source.index.Find(key, offset)) return nullptr;
  ResourceFile* stream = source.dataFile.get();
  if (offset >= stream->size()) {
    error = "Track file '" + stream->getName() + "': record '" + key + "' at offset " +
            std::to_string(offset) + " lies beyond the end (" + std::to_string(stream->size()) + " bytes)";
    return nullptr;
  }
  stream->setPosition(offset);
  return stream;
}

bool TrackLoader::countFits(ResourceFile& stream, uint32_t count, uint32_t bytesEach,
                            const std::string& key) {
  uint32_t left = stream.size() - stream.getPosition();
  if (!stream.overrun() && count <= left / bytesEach) return true;
  error = "Track file '" + stream.getName() + "': record '" + key + "' lists " + std::to_string(count) +
          " keyframes but only " + std::to_string(left) + " bytes follow";
  return false;
}

TrackStartStop* TrackLoader::ReadStartStop(ResourceFile& stream, const std::string& name) {
  std::string key = TrackIndex::StartStopKey(name);
  int32_t priority = stream.readI32();
  log << "Loading '" << key << "' (" << priority << ")" << std::endl;
  uint32_t count = stream.readU32();
  if (!countFits(stream, count, STOP_KEYFRAME_BYTES, key)) return nullptr;
  TrackStartStop* track = new TrackStartStop(priority);
  for (uint32_t i = 0; i < count && !stream.overrun(); ++i) {
    uint32_t row = stream.readU32();
    StartStopKeyframe* keyframe = new StartStopKeyframe(row, stream.readU32());
    if (keyframe->IsStart()) keyframe->target = readTarget(stream, keyframe->targetFBO);
    if (verbose)
      log << "keyframe " << row << " : " << keyframe->kind << ", "
          << (keyframe->IsStart() ? keyframe->target : "") << std::endl;
    track->InsertKeyframe(keyframe);
  }
  if (!stream.overrun()) return track;
  delete track;
  error = "Track file '" + stream.getName() + "': record '" + key + "' runs past the end";
  return nullptr;
}

std::string TrackLoader::readTarget(ResourceFile& stream, FBO*& fbo) {
  uint32_t position = stream.getPosition();
  bool emptyName = position < stream.size() && stream.bytes()[position] == 0;
  std::string stored = stream.readString();
  if (verbose) log << "Raw string = '" << stored << "'" << std::endl;
  if (!fboResolver) return emptyName ? "screen" : stored;
  fbo = fboResolver(stored);
  return fbo ? stored : "screen";
}

bool TrackLoader::ReadValueTrack(ResourceFile& stream, const std::string& name, TrackInterpolate* track) {
  log << "Loading '" << name << "." << track->name << "'" << std::endl;
  std::string key = TrackIndex::ValueKey(name, track->name);
  uint32_t count = stream.readU32();
  if (!countFits(stream, count, VALUE_KEYFRAME_BYTES, key)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t row = stream.readU32();
    uint32_t interpolation = stream.readU32();
    float value = stream.readF32();
    if (verbose) log << "keyframe " << row << " : " << interpolation << ", " << value << std::endl;
    track->InsertKeyframe(new ValueKeyframe(row, value, interpolation));
  }
  return true;
}

// The instances keep their tracks, emptied, so that they can be loaded again or deleted.
TrackData* TrackLoader::fail(TrackData* data, const std::vector<Effect*>& instances) {
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data->sets)
    if (entry.second->effect) entry.second->ReleaseTracks();
  for (Effect* effect : instances)
    for (int i = 0; effect && i < effect->GetTrackCount(); ++i) effect->GetTrackAt(i)->Clear();
  delete data;
  return nullptr;
}

bool TrackLoader::LoadTrackProperties(TrackData* data) {
  std::unique_ptr<ResourceFile> file(
      ResourceAccess::loadFile(TrackPath::Join(directory, "track.properties")));
  if (!file || !file->isOk()) return true;
  uint32_t count = file->readU32();
  for (uint32_t i = 0; i < count && !file->overrun(); ++i) {
    std::string name = file->readString();
    int32_t flag = file->readI32();
    if (file->overrun()) break;
    log << "Loading track property for " << name << std::endl;
    EffectTrackSet* set = data->GetSet(name);
    if (!set || !set->startStop) continue;
    set->startStop->enabled = flag == 0;
    log << "Flag : " << flag << std::endl;
  }
  if (!file->overrun()) return true;
  error = "Track file '" + file->getName() + "' is damaged: it ends inside an entry";
  return false;
}
