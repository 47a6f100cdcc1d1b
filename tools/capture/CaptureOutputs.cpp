#include "capture/CaptureOutputs.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "capture/CaptureOptions.h"
#include "capture/LostDisplay.h"
#include "common/PendingFile.h"

namespace {

// Makes and removes a file where the output will go: the only sure test that it can be written.
bool canWrite(const std::string& option, const std::string& path, std::string& error) {
  PendingFile probe(path);
  if (probe.create()) return true;
  error = option + ": " + probe.getError();
  return false;
}

bool checkFile(const std::string& option, const std::string& path, std::string& error) {
  std::error_code failure;
  if (path.empty()) return true;
  if (std::filesystem::is_directory(path, failure)) {
    error = option + ": '" + path + "' is a folder";
    return false;
  }
  return canWrite(option, path, error);
}

// A missing frames folder is made at the start, in a folder that must exist.
bool checkFrames(const CaptureOptions& options, std::string& error) {
  const std::string& directory = options.framesDirectory;
  std::error_code failure;
  if (directory.empty()) return true;
  if (!std::filesystem::exists(directory, failure)) return canWrite("--frames", directory, error);
  if (!std::filesystem::is_directory(directory, failure)) {
    error = "--frames: '" + directory + "' is not a folder";
    return false;
  }
  if (!options.overwrite && PngFrameWriter::holdsFrames(directory)) {
    error = "--frames: '" + directory + "' already holds frame files; give --overwrite to replace them";
    return false;
  }
  return canWrite("--frames", directory + "/" + PngFrameWriter::fileName(0), error);
}

}  // namespace

CaptureOutputs::CaptureOutputs(const CaptureOptions& options) : options(options) {}

bool CaptureOutputs::check(const CaptureOptions& options, std::string& error) {
  return checkFile("--report", options.reportFile, error) && checkFile("--video", options.videoFile, error) &&
         checkFrames(options, error);
}

bool CaptureOutputs::fail(const std::string& text) {
  error = text;
  return false;
}

bool CaptureOutputs::begin(const CaptureInfo& runInfo) {
  info = runInfo;
  report.begin(info, options.settings.quality);
  if (info.width <= 0 || info.height <= 0) return fail("The window shows no picture to capture");
  if (!options.framesDirectory.empty() && !pictures.open(options.framesDirectory, options.overwrite))
    return fail(pictures.getError());
  if (!options.videoFile.empty() && !openVideo()) return false;
  progress.reset(new TerminalProgress(std::cerr, info.frameCount, !options.quiet, isatty(STDERR_FILENO)));
  return true;
}

bool CaptureOutputs::openVideo() {
  VideoEncoder::Settings settings;
  settings.outputFile = options.videoFile;
  settings.width = info.width;
  settings.height = info.height;
  settings.framesPerSecond = info.framesPerSecond;
  settings.frameCount = info.frameCount;
  settings.fromMs = info.fromMs;
  settings.musicFile = info.musicPath;
  if (!video.open(settings)) return fail(video.getError());
  LostDisplay::removeOnLoss(video.temporaryPath());
  return true;
}

bool CaptureOutputs::frame(const CaptureFrame& frame) {
  if (!options.framesDirectory.empty() &&
      !pictures.write(frame.index, info.width, info.height, *frame.pixels))
    return fail(pictures.getError());
  if (!options.videoFile.empty() && !video.write(*frame.pixels)) return fail(video.getError());
  report.add(frame);
  ++framesTaken;
  progress->update(frame.index + 1);
  return true;
}

bool CaptureOutputs::end(const CaptureEnding& ending) {
  if (progress) progress->finish();
  if (framesTaken == 0) {
    video.discard();
    return true;
  }
  CaptureEnding finished = ending;
  bool ok = true;
  if (!options.videoFile.empty() && !video.close()) {
    ok = fail(video.getError());
    if (finished.status != CaptureEnding::FAILED) finished = {CaptureEnding::FAILED, error};
  }
  report.setEnding(finished);
  std::string reportError;
  if (!options.reportFile.empty() && !report.save(options.reportFile, reportError)) ok = fail(reportError);
  return ok;
}
