#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/CaptureFrame.h"

class CaptureStats;
class Demo;
class FixedStepTimer;
class InstanceProbe;

struct CaptureSettings {
  int width = 1280;
  int height = 720;
  int quality = 2;
  uint32_t framesPerSecond = 60;
  uint32_t fromMs = 0;
  // Without it the capture runs to the production's end time.
  bool hasTo = false;
  uint32_t toMs = 0;
  // 1 reads "resources.7z", 0 the resources/ tree.
  int source = 1;
};

// Renders the demo of KVRDemosys::resources on a fixed clock instead of the music: frame n
// shows fromMs + n x 1000 / fps, for every frame before toMs, through the same load, frame
// drawing and shutdown as a normal run. Each frame's letterboxed picture is read back and
// handed to a sink with what the frame did (active instances, their targets and CPU time, GL
// errors, missing uniforms, feedback loops, luminance).
class CaptureRun {
 public:
  explicit CaptureRun(const CaptureSettings& settings) : settings(settings) {}
  CaptureRun(const CaptureRun&) = delete;
  CaptureRun& operator=(const CaptureRun&) = delete;

  // Loads, captures and shuts down; false with a message when loading, the range or the sink
  // failed. The engine's shutdown report is printed either way.
  bool run(CaptureSink& sink);
  const std::string& getMessage() const { return message; }
  uint32_t framesCaptured() const { return captured; }

 private:
  bool capture(Demo& demo, CaptureSink& sink);
  void drawFrame(Demo& demo, CaptureFrame& frame);
  bool prepare(CaptureInfo& info);
  bool extractMusic(std::string& path);
  void installProbes(CaptureStats* stats);
  void removeProbes();
  void computeReadArea();
  void readPicture(CaptureFrame& frame);
  void describeInstances(CaptureFrame& frame);
  bool fail(const std::string& text);

  CaptureSettings settings;
  std::string message;
  uint32_t captured = 0;
  FixedStepTimer* clock = nullptr;
  std::vector<InstanceProbe*> probes;
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> bottomUp;
  // x, y, width, height of the picture within the window.
  int area[4] = {0, 0, 0, 0};
};
