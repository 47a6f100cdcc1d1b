#include "capture/CaptureOutputs.h"

#include <iostream>

#include "capture/CaptureOptions.h"

CaptureOutputs::CaptureOutputs(const CaptureOptions& options) : options(options) {}

bool CaptureOutputs::fail(const std::string& text) {
  error = text;
  return false;
}

bool CaptureOutputs::begin(const CaptureInfo& runInfo) {
  info = runInfo;
  report.begin(info, options.settings.quality);
  if (info.width <= 0 || info.height <= 0) return fail("The window shows no picture to capture");
  if (!options.framesDirectory.empty() && !pictures.open(options.framesDirectory)) return fail(pictures.getError());
  if (!options.videoFile.empty()) {
    VideoEncoder::Settings settings;
    settings.outputFile = options.videoFile;
    settings.width = info.width;
    settings.height = info.height;
    settings.framesPerSecond = info.framesPerSecond;
    settings.frameCount = info.frameCount;
    settings.fromMs = info.fromMs;
    settings.musicFile = info.musicPath;
    if (!video.open(settings)) return fail(video.getError());
  }
  progress.reset(new TerminalProgress(std::cerr, info.frameCount, !options.quiet));
  return true;
}

bool CaptureOutputs::frame(const CaptureFrame& frame) {
  report.add(frame);
  if (!options.framesDirectory.empty() && !pictures.write(frame.index, info.width, info.height, *frame.pixels))
    return fail(pictures.getError());
  if (!options.videoFile.empty() && !video.write(*frame.pixels)) return fail(video.getError());
  progress->update(frame.index + 1);
  return true;
}

bool CaptureOutputs::end() {
  if (progress) progress->finish();
  bool ok = true;
  if (!options.videoFile.empty() && !video.close()) ok = fail(video.getError());
  std::string reportError;
  if (!options.reportFile.empty() && !report.save(options.reportFile, reportError)) ok = fail(reportError);
  return ok;
}
