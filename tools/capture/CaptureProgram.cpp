#include "capture/CaptureProgram.h"

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <iostream>
#include <vector>

#include "capture/CaptureOptions.h"
#include "capture/CaptureOutputs.h"
#include "capture/CaptureRun.h"
#include "capture/VideoEncoder.h"
#include "capture/XvfbDisplay.h"

namespace {

void printSummary(const CaptureOptions& options, const CaptureRun& run, const CaptureOutputs& outputs,
                  double seconds) {
  const CaptureReport& report = outputs.getReport();
  char line[256];
  std::snprintf(line, sizeof line,
                "Captured %u frames at %u fps in %.1f s (%.1f frames per second, %.2f ms drawing each); "
                "GL errors %u, missing uniforms %u, feedback loops %u",
                run.framesCaptured(), options.settings.framesPerSecond, seconds,
                seconds > 0 ? run.framesCaptured() / seconds : 0.0, report.meanWallMs(), report.glErrors(),
                report.missingUniforms(), report.feedbackLoops());
  std::cout << line << std::endl;
  if (!options.framesDirectory.empty()) std::cout << "Frames : " << options.framesDirectory << std::endl;
  if (!options.videoFile.empty()) std::cout << "Video : " << options.videoFile << std::endl;
  if (!options.reportFile.empty()) std::cout << "Report : " << options.reportFile << std::endl;
}

}  // namespace

int runCaptureProgram(const std::string& program, int argc, char** argv) {
  CaptureOptions options;
  if (!options.parse(std::vector<std::string>(argv + 1, argv + argc))) {
    std::cerr << program << ": " << options.getError() << std::endl << CaptureOptions::usage(program) << std::endl;
    return 2;
  }
  if (options.helpRequested) {
    std::cout << CaptureOptions::help(program);
    return 0;
  }
  if (!options.videoFile.empty() && !VideoEncoder::available()) {
    std::cerr << program << ": --video needs the ffmpeg command, which was not found" << std::endl;
    return 1;
  }
  // A stopped ffmpeg shows up as a failed write, not as a signal.
  signal(SIGPIPE, SIG_IGN);
  XvfbDisplay display;
  if (!display.ensure(options.settings.width, options.settings.height)) {
    std::cerr << program << ": " << display.getError() << std::endl;
    return 1;
  }
  // Without X, SDL would fall back to a text-mode driver and draw nothing to read back.
  setenv("SDL_VIDEODRIVER", "x11", 0);
  if (display.started()) std::cout << "No display: rendering on a private Xvfb screen " << display.getDisplay() << std::endl;
  const std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  CaptureRun run(options.settings);
  CaptureOutputs outputs(options);
  const bool ok = run.run(outputs);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  display.stop();
  if (!ok) {
    std::cerr << program << ": " << run.getMessage() << std::endl;
    return 1;
  }
  printSummary(options, run, outputs, seconds);
  return 0;
}
