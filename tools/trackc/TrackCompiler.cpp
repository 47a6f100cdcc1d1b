#include "trackc/TrackCompiler.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "demosys/io/ResourceFile.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/runtime/TrackWriter.h"
#include "trackc/TimelineParser.h"
#include "trackc/TimelinePrinter.h"

bool TrackCompiler::Compile(const std::string& timelinePath, const std::string& outDirectory) {
  ResourceFile timeline(timelinePath, ResourceFile::Read);
  if (!timeline.isOk()) {
    error = "Cannot read timeline '" + timelinePath + "'";
    return false;
  }
  TimelineParser parser;
  std::unique_ptr<TrackData> data(parser.Parse(timeline.text(), timelinePath));
  if (!data) {
    error = parser.GetError();
    return false;
  }
  std::error_code failure;
  std::filesystem::create_directories(outDirectory, failure);
  if (failure) {
    error = "Cannot create directory '" + outDirectory + "': " + failure.message();
    return false;
  }
  std::ostream quiet(nullptr);
  TrackWriter writer(quiet);
  if (writer.SaveTrackData(outDirectory, *data)) return true;
  error = writer.GetError();
  return false;
}

bool TrackCompiler::Dump(const std::string& directory, std::ostream& out) {
  // The loader reports every record it reads; the dump shows only the text.
  std::ostream quiet(nullptr);
  TrackLoader loader(directory, false, quiet);
  std::unique_ptr<TrackData> data(loader.LoadAllTracks());
  if (!data) {
    error = loader.GetError();
    return false;
  }
  TimelinePrinter printer;
  if (printer.Print(*data, out)) return true;
  error = printer.GetError();
  return false;
}
