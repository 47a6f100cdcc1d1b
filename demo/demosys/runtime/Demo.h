#pragma once

#include <cstdint>
#include <string>

class ResourceLoader;
class ScreenMetrics;

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
  void run();
  bool shutdown();

  // The pieces of run(), for programs that drive the frames themselves (the capture):
  // the GL state and start of the demo, one frame's drawing at a given time, row and delta
  // (the screen bound, letterboxed and cleared, events, the track step), and the end of a
  // frame (used framebuffers cleared, buffers swapped, frame counted).
  void startRun();
  void renderFrame(uint32_t time, uint32_t row, uint32_t delta);
  void finishFrame();

  bool isOk() const { return !failed; }
  void setCaption(const std::string& text) { caption = text; }

 private:
  bool fail(const std::string& text);
  void drawFrame();
  void handleEvents();
  void reportRun();

  ResourceLoader* loader;
  std::string message;
  std::string caption;
  bool failed;
};
