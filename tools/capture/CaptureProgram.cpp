#include "capture/CaptureProgram.h"

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "capture/CaptureOptions.h"
#include "capture/CaptureOutputs.h"
#include "capture/CaptureRun.h"
#include "capture/LostDisplay.h"
#include "capture/VideoEncoder.h"
#include "capture/XvfbDisplay.h"
#include "demosys/core/StopRequest.h"

namespace {

const int STATUS_FAILED = 1;
const int STATUS_USAGE = 2;

void printSummary(const CaptureOptions& options, const CaptureRun& run, const CaptureOutputs& outputs,
                  double seconds) {
  const CaptureReport& report = outputs.getReport();
  const CaptureInfo& info = report.getInfo();
  const std::string count =
      run.framesCaptured() == info.frameCount
          ? std::to_string(run.framesCaptured())
          : std::to_string(run.framesCaptured()) + " of " + std::to_string(info.frameCount);
  char line[320];
  std::snprintf(line, sizeof line,
                "Captured %s frames at %u fps in %.1f s (%.1f frames per second, %.2f ms drawing each); "
                "GL errors %u, missing uniforms %u, feedback loops %u",
                count.c_str(), options.settings.framesPerSecond, seconds,
                seconds > 0 ? run.framesCaptured() / seconds : 0.0, report.meanWallMs(), report.glErrors(),
                report.missingUniforms(), report.feedbackLoops());
  std::cout << line << std::endl;
  if (!options.framesDirectory.empty()) std::cout << "Frames : " << options.framesDirectory << std::endl;
  if (!options.videoFile.empty()) std::cout << "Video : " << options.videoFile << std::endl;
  if (!options.reportFile.empty()) std::cout << "Report : " << options.reportFile << std::endl;
}

int refuse(const std::string& program, const std::string& text, int status) {
  std::cerr << program << ": " << text << std::endl;
  return status;
}

// The end of a capture that did not complete: what stopped it, and what the outputs hold.
int reportEnding(const std::string& program, const CaptureRun& run) {
  std::string text = run.getMessage();
  if (run.framesCaptured() == 0)
    text += "; no frame was captured, the outputs are as they were";
  else
    text += "; the outputs hold the " + std::to_string(run.framesCaptured()) + " frames captured";
  return refuse(program, text, run.exitStatus());
}

// From here to the first frame nothing is written; a stop only ends the program.
bool checkBeforeRendering(const std::string& program, const CaptureOptions& options, CaptureRun& run,
                          int& status) {
  std::string problem;
  if (!options.videoFile.empty() && !VideoEncoder::available()) {
    status = refuse(program, "--video needs the ffmpeg command, which was not found", STATUS_FAILED);
    return false;
  }
  if (!CaptureOutputs::check(options, problem)) {
    status = refuse(program, problem, STATUS_FAILED);
    return false;
  }
  std::string warning;
  if (!run.checkRange(warning)) {
    status = refuse(program, run.getMessage(), STATUS_USAGE);
    return false;
  }
  if (!warning.empty()) std::cerr << program << ": warning: " << warning << std::endl;
  return true;
}

}  // namespace

int runCaptureProgram(const std::string& program, int argc, char** argv) {
  // Before SDL starts, which keeps handlers it finds in place.
  StopRequest::install();
  LostDisplay::install(program);
  CaptureOptions options;
  if (!options.parse(std::vector<std::string>(argv + 1, argv + argc))) {
    std::cerr << program << ": " << options.getError() << std::endl
              << CaptureOptions::usage(program) << std::endl;
    return STATUS_USAGE;
  }
  if (options.helpRequested) {
    std::cout << CaptureOptions::help(program);
    return 0;
  }
  if (options.versionRequested) {
    std::cout << program << " " << KVR_VERSION << std::endl;
    return 0;
  }
  CaptureRun run(options.settings);
  int status = 0;
  if (!checkBeforeRendering(program, options, run, status)) return status;
  // A stopped ffmpeg shows up as a failed write, not as a signal.
  signal(SIGPIPE, SIG_IGN);
  XvfbDisplay display;
  const bool shown = display.ensure(options.settings.width, options.settings.height);
  if (StopRequest::requested())
    return refuse(program, "stopped before the capture began", StopRequest::exitStatus());
  if (!shown) return refuse(program, display.getError(), STATUS_FAILED);
  // Without X, SDL would fall back to a text-mode driver and draw nothing to read back.
  setenv("SDL_VIDEODRIVER", "x11", 0);
  if (display.started())
    std::cout << "No display: rendering on a private Xvfb screen " << display.getDisplay() << std::endl;
  const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  CaptureOutputs outputs(options);
  LostDisplay::onLoss([&]() {
    run.abandon("the X server went away");
    display.stop();
    reportEnding(program, run);
  });
  const bool complete = run.run(outputs);
  LostDisplay::onLoss(nullptr);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  display.stop();
  if (run.framesCaptured() > 0) printSummary(options, run, outputs, seconds);
  return complete ? 0 : reportEnding(program, run);
}
