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
// and the progress line.
class CaptureOutputs : public CaptureSink {
 public:
  explicit CaptureOutputs(const CaptureOptions& options);

  bool begin(const CaptureInfo& info) override;
  bool frame(const CaptureFrame& frame) override;
  bool end() override;
  std::string message() const override { return error; }

  const CaptureReport& getReport() const { return report; }

 private:
  bool fail(const std::string& text);

  const CaptureOptions& options;
  CaptureInfo info;
  CaptureReport report;
  PngFrameWriter pictures;
  VideoEncoder video;
  std::unique_ptr<TerminalProgress> progress;
  std::string error;
};
