#include "trackc/TrackCompiler.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/PendingFile.h"
#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/runtime/TrackNameList.h"
#include "demosys/runtime/TrackWriter.h"
#include "demosys/timing/TrackPath.h"
#include "trackc/TimelineParser.h"
#include "trackc/TimelinePrinter.h"

bool TrackCompiler::Compile(const std::string& timelinePath, const std::string& outDirectory,
                            const std::string& effectsPath) {
  ResourceFile timeline(timelinePath);
  std::string reason;
  if (!TrackLoader::ReadDiskFile(timelinePath, timeline, reason))
    return fail("Cannot read timeline '" + timelinePath + "': " + reason);
  TrackNameList knownNames;
  if (!effectsPath.empty() && !readEffects(effectsPath, knownNames)) return false;
  TimelineParser parser;
  if (!effectsPath.empty()) parser.setKnownNames(&knownNames);
  std::unique_ptr<TrackData> data(parser.Parse(timeline.text(), timelinePath));
  if (!data) return fail(parser.GetError());
  std::error_code failure;
  std::filesystem::create_directories(outDirectory, failure);
  if (failure) return fail("Cannot create directory '" + outDirectory + "': " + failure.message());
  return writePair(*data, outDirectory);
}

bool TrackCompiler::readEffects(const std::string& path, TrackNameList& names) {
  ResourceFile file(path);
  std::string reason;
  if (!TrackLoader::ReadDiskFile(path, file, reason))
    return fail("Cannot read effects list '" + path + "': " + reason);
  return names.read(file.text(), path) || fail(names.getError());
}

bool TrackCompiler::writePair(const TrackData& data, const std::string& outDirectory) {
  PendingFile index(TrackPath::Join(outDirectory, "index.list"));
  PendingFile records(TrackPath::Join(outDirectory, "track.data"));
  if (!index.create()) return fail(index.getError());
  if (!records.create()) return fail(records.getError());
  std::ostream quiet(nullptr);
  TrackWriter writer(quiet);
  if (!writer.SaveTrackData(index.temporaryPath(), records.temporaryPath(), data))
    return fail(writer.GetError());
  return replaceable(index) && replaceable(records) && PendingFile::commitAll({&index, &records}, error);
}

// A folder in the way would only stop the second rename, after the first had already put a new
// index beside the old data.
bool TrackCompiler::replaceable(const PendingFile& file) {
  std::error_code ignored;
  if (!std::filesystem::is_directory(file.finalPath(), ignored)) return true;
  return fail("Cannot replace '" + file.finalPath() + "': " + std::strerror(EISDIR));
}

bool TrackCompiler::Dump(const std::string& directory, std::ostream& out) {
  // The loader reports every record it reads; the dump shows only the text.
  std::ostream quiet(nullptr);
  TrackLoader loader(directory, false, quiet);
  std::unique_ptr<TrackData> data(loader.LoadAllTracks());
  if (!data) return fail(loader.GetError());
  TimelinePrinter printer;
  if (printer.Print(*data, out)) return true;
  return fail(printer.GetError());
}

bool TrackCompiler::fail(const std::string& message) {
  error = message;
  return false;
}
