#pragma once

#include <memory>
#include <string>

#include "capture/CaptureFrame.h"
#include "capture/CaptureReport.h"
#include "capture/PngFrameWriter.h"
#include "capture/TerminalProgress.h"
#include "capture/VideoEncoder.h"

class CaptureOptions;

// Where the capture's frames go, as the command line asked: PNG files, the video, the report
// and the progress line. The video and the report replace earlier files only once finished; a
// capture that ends before its first frame leaves them as they were.
class CaptureOutputs : public CaptureSink {
 public:
  explicit CaptureOutputs(const CaptureOptions& options);

  // Before anything is loaded: every output's folder exists and takes a file, and a frames
  // folder holds no frame files (unless they are to be replaced). False with a message naming
  // the option and the path.
  static bool check(const CaptureOptions& options, std::string& error);

  bool begin(const CaptureInfo& info) override;
  bool frame(const CaptureFrame& frame) override;
  bool end(const CaptureEnding& ending) override;
  std::string message() const override { return error; }

  const CaptureReport& getReport() const { return report; }

 private:
  bool fail(const std::string& text);
  bool openVideo();

  const CaptureOptions& options;
  CaptureInfo info;
  CaptureReport report;
  PngFrameWriter pictures;
  VideoEncoder video;
  std::unique_ptr<TerminalProgress> progress;
  uint32_t framesTaken = 0;
  std::string error;
};
