#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/PictureMeasure.h"

// What a capture hands its outputs: the run as a whole, then every frame with its picture.

struct CaptureInstance {
  std::string name;
  // "screen" or the name of the framebuffer object drawn into.
  std::string target;
  double cpuMs = 0.0;
  uint32_t glErrors = 0;
  uint32_t missingUniforms = 0;
  bool feedback = false;
};

struct CaptureFrame {
  uint32_t index = 0;
  uint32_t time = 0;
  uint32_t row = 0;
  uint32_t delta = 0;
  // The active instances in drawing order.
  std::vector<CaptureInstance> instances;
  uint32_t glErrors = 0;
  uint32_t missingUniforms = 0;
  // The picture's brightness, overall and by thirds, and its colour.
  PictureMeasure look;
  // Drawing, reading back and swapping, without the outputs' own work.
  double wallMs = 0.0;
  // RGB, 8 bits each, rows top to bottom; width x height x 3 bytes.
  const std::vector<uint8_t>* pixels = nullptr;
};

struct CaptureInfo {
  // The letterboxed picture read back each frame.
  int width = 0;
  int height = 0;
  uint32_t framesPerSecond = 0;
  uint32_t frameCount = 0;
  uint32_t fromMs = 0;
  uint32_t toMs = 0;
  // Whether Mesa's GL driver ran on its own thread ("mesa_glthread"), which keeps the driver's
  // work out of the instances' CPU times.
  bool mesaGlthread = false;
  // A temporary copy of the production's music, empty without music.
  std::string musicPath;
};

// How a capture ended. A capture that stops early says so in its outputs and its exit status.
struct CaptureEnding {
  enum Status { COMPLETE, INTERRUPTED, FAILED };
  Status status = COMPLETE;
  // What stopped it ("stopped by SIGINT", a failure's message); empty when complete.
  std::string reason;

  // The report's word for the status.
  const char* statusName() const {
    return status == COMPLETE ? "complete" : status == INTERRUPTED ? "interrupted" : "failed";
  }
};

// Receives a capture's frames; returning false stops the capture (with the sink's message).
class CaptureSink {
 public:
  virtual ~CaptureSink() = default;
  virtual bool begin(const CaptureInfo& info) = 0;
  virtual bool frame(const CaptureFrame& frame) = 0;
  // After the last frame taken, before the music copy is removed: finishes the outputs with what
  // they hold and marks them with the ending. False when an output could not be finished.
  virtual bool end(const CaptureEnding& ending) = 0;
  virtual std::string message() const = 0;
};
