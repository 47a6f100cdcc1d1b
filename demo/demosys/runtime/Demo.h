#pragma once

#include <cstdint>
#include <string>

#include "demosys/runtime/DebugOverlay.h"

class ResourceLoader;
class ScreenMetrics;
union SDL_Event;

// One run of a demo: load (resources, window, sound), set up rendering, the frame loop until
// the end time, Escape or a StopRequest (SIGINT, SIGTERM), and the shutdown report. A failed
// load skips straight to the report.
class Demo {
 public:
  Demo();
  ~Demo();
  Demo(const Demo&) = delete;
  Demo& operator=(const Demo&) = delete;

  // source 1 reads "resources.7z", 0 the resources/ tree.
  bool load(ScreenMetrics* metrics, int source);
  void setupRendering();
  // The run starts at `ms` instead of the resource definition's start time: the music and the
  // clock start there and the effects begin from their initial state, as at the start.
  void startFrom(uint32_t ms) {
    startOverride = ms;
    hasStartOverride = true;
  }
  void run();
  bool shutdown();

  // The pieces of run(), for programs that drive the frames themselves (the capture):
  // the GL state and start of the demo, one frame's drawing at a given time, row and delta
  // (the screen bound, letterboxed and cleared, events, the track step), and the end of a
  // frame (used framebuffers cleared, buffers swapped, frame counted).
  void startRun();
  void renderFrame(uint32_t time, uint32_t row, uint32_t delta);
  void finishFrame();

  // The frame loop's handling of one window event: Escape ends the run, Space pauses and
  // resumes, Left and Right seek a bar, Home goes back to where the run started, F5 reloads
  // the shaders, F6 the tracks, T shows or hides the overlay; a resize letterboxes again.
  void handleEvent(const SDL_Event& event);
  // One bar of the production, the step of the seek keys.
  static constexpr uint32_t SEEK_MS = 2000;

  bool isOk() const { return !failed; }
  void setCaption(const std::string& text) { caption = text; }

 private:
  bool fail(const std::string& text);
  void drawFrame();
  void handleEvents();
  void handleKey(int key);
  void togglePause();
  void seekTo(int64_t time);
  void drawOverlay(uint32_t time, uint32_t row);
  void reportRun();

  ResourceLoader* loader;
  std::string message;
  std::string caption;
  bool failed;
  // Where Home goes: the time the run started at.
  uint32_t runStartTime = 0;
  bool hasStartOverride = false;
  uint32_t startOverride = 0;
  DebugOverlay overlay;
};
