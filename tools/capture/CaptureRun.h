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
// errors, missing uniforms, feedback loops, luminance). SIGINT, SIGTERM (StopRequest) and Escape
// stop it after the frame being drawn; the sink then finishes with the frames taken.
class CaptureRun {
 public:
  explicit CaptureRun(const CaptureSettings& settings) : settings(settings) {}
  CaptureRun(const CaptureRun&) = delete;
  CaptureRun& operator=(const CaptureRun&) = delete;

  // Before loading: false when the range starts at or after the demo's end; a range running
  // past the end is cut there, with a warning.
  bool checkRange(std::string& warning);
  // Loads, captures and shuts down; true when every frame was captured and every output
  // finished. The engine's shutdown report is printed either way.
  bool run(CaptureSink& sink);
  // For a loss of the X server noticed inside a frame: the sink finishes with the frames
  // taken, marked failed with `reason`, and the music copy is removed. Nothing is drawn or
  // shut down, since every X call would fail.
  void abandon(const std::string& reason);

  const CaptureEnding& getEnding() const { return ending; }
  const std::string& getMessage() const { return ending.reason; }
  // 0 complete; 128 + the signal for a capture stopped by one; 1 otherwise.
  int exitStatus() const;
  uint32_t framesCaptured() const { return captured; }
  const CaptureSettings& getSettings() const { return settings; }

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
  void finishOutputs();
  void removeMusicCopy();
  // True, with the ending set, when a signal or Escape asked to stop.
  bool stopAsked();
  bool interrupt(const std::string& text);
  bool fail(const std::string& text);

  CaptureSettings settings;
  CaptureEnding ending;
  uint32_t captured = 0;
  // The sink between its begin and its end.
  CaptureSink* active = nullptr;
  std::string musicPath;
  FixedStepTimer* clock = nullptr;
  std::vector<InstanceProbe*> probes;
  std::vector<uint8_t> pixels;
  std::vector<uint8_t> bottomUp;
  // x, y, width, height of the picture within the window.
  int area[4] = {0, 0, 0, 0};
};
