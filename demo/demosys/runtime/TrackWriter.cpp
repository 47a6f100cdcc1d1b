#include "demosys/runtime/TrackWriter.h"

#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackIndex.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackPath.h"
#include "demosys/timing/TrackStartStop.h"

// A set without a start/stop track (null) is stored as one that is never active.
void TrackWriter::WriteStartStop(ResourceFile& stream, const TrackStartStop* track) {
  if (!track) {
    stream.appendU32(static_cast<uint32_t>(-1));
    stream.appendU32(0);
    return;
  }
  stream.appendU32(static_cast<uint32_t>(track->priority));
  stream.appendU32(static_cast<uint32_t>(track->GetKeyframeCount()));
  for (const std::pair<const uint32_t, Keyframe*>& entry : track->Keyframes()) {
    const StartStopKeyframe* keyframe = static_cast<const StartStopKeyframe*>(entry.second);
    stream.appendU32(keyframe->row);
    stream.appendU32(keyframe->kind);
    if (!keyframe->IsStart()) continue;
    if (keyframe->target != "screen") stream.appendChars(keyframe->target);
    stream.appendByte(0);
  }
}

void TrackWriter::WriteValueTrack(ResourceFile& stream, const TrackInterpolate* track) {
  stream.appendU32(static_cast<uint32_t>(track->GetKeyframeCount()));
  for (const std::pair<const uint32_t, Keyframe*>& entry : track->Keyframes()) {
    const ValueKeyframe* keyframe = static_cast<const ValueKeyframe*>(entry.second);
    stream.appendU32(keyframe->row);
    stream.appendU32(keyframe->interpolation);
    stream.appendF32(keyframe->value);
  }
}

void TrackWriter::appendKey(ResourceFile& index, const std::string& key, uint32_t offset) {
  index.appendChars(key);
  index.appendByte(0);
  index.appendU32(offset);
}

bool TrackWriter::finish(ResourceFile& file) {
  if (file.isOk() && file.writeAndClose()) return true;
  error = "Cannot write track file '" + file.getName() + "'";
  return false;
}

bool TrackWriter::SaveTrackData(const std::string& directory, const TrackData& data) {
  return SaveTrackData(TrackPath::Join(directory, "index.list"), TrackPath::Join(directory, "track.data"),
                       data);
}

// Both files are built in memory first, so that nothing on disk is touched before the data is whole.
bool TrackWriter::SaveTrackData(const std::string& indexPath, const std::string& dataPath,
                                const TrackData& data) {
  ResourceFile index(indexPath);
  ResourceFile records(dataPath);
  index.appendU32(static_cast<uint32_t>(data.GetEntryCount()));
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data.sets) {
    const EffectTrackSet* set = entry.second;
    appendKey(index, TrackIndex::StartStopKey(set->name), records.size());
    WriteStartStop(records, set->startStop);
    for (const TrackInterpolate* track : set->tracks) {
      appendKey(index, TrackIndex::ValueKey(set->name, track->name), records.size());
      WriteValueTrack(records, track);
    }
  }
  return writeFile(index) && writeFile(records);
}

bool TrackWriter::writeFile(const ResourceFile& contents) {
  ResourceFile file(contents.getName(), ResourceFile::Write);
  file.fill(contents.bytes());
  return finish(file);
}

bool TrackWriter::SaveTrackFiles(const std::string& directory, const TrackData& data) {
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data.sets) {
    const EffectTrackSet* set = entry.second;
    ResourceFile startStop(TrackPath::Join(directory, TrackIndex::StartStopKey(set->name)));
    WriteStartStop(startStop, set->startStop);
    if (!writeFile(startStop)) return false;
    for (const TrackInterpolate* track : set->tracks) {
      ResourceFile values(TrackPath::Join(directory, TrackIndex::ValueKey(set->name, track->name)));
      WriteValueTrack(values, track);
      if (!writeFile(values)) return false;
    }
  }
  return true;
}

bool TrackWriter::SaveTrackProperties(const std::string& directory, const TrackData& data) {
  ResourceFile file(TrackPath::Join(directory, "track.properties"), ResourceFile::Write);
  file.appendU32(static_cast<uint32_t>(data.GetSetCount()));
  for (const std::pair<const std::string, EffectTrackSet*>& entry : data.sets) {
    log << "Saving track property for " << entry.first << std::endl;
    file.appendChars(entry.first);
    file.appendByte(0);
    file.appendU32(!entry.second->startStop || entry.second->startStop->enabled ? 0u : 1u);
  }
  return finish(file);
}
