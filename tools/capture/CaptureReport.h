#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "capture/CaptureFrame.h"

// The capture's JSON report: every frame (time, row, delta, the active instances in drawing
// order with their targets, GL errors, missing-uniform lines, luminance overall and by thirds, chroma, wall
// time) and a summary per instance and for the run, under the run's status ("complete", "interrupted",
// "failed") and its reason. One frame per line, so the file also greps well.
class CaptureReport {
 public:
  void begin(const CaptureInfo& info, int quality);
  void add(const CaptureFrame& frame);
  void setEnding(const CaptureEnding& end) { ending = end; }
  void write(std::ostream& out) const;
  // Replaces the file at `path` only once the whole report is written.
  bool save(const std::string& path, std::string& error) const;

  // A feedback loop is one instance's drawing in one frame that sampled its own target.
  uint32_t feedbackLoops() const { return feedbackCount; }
  uint32_t glErrors() const { return glErrorTotal; }
  uint32_t missingUniforms() const { return missingUniformTotal; }
  double meanWallMs() const;
  const CaptureInfo& getInfo() const { return info; }

  static std::string quote(const std::string& text);

 private:
  struct InstanceSummary {
    std::string name;
    uint32_t framesActive = 0;
    uint32_t firstMs = 0;
    uint32_t lastMs = 0;
    double cpuTotalMs = 0.0;
    double cpuMaxMs = 0.0;
    uint32_t glErrors = 0;
    uint32_t missingUniforms = 0;
    uint32_t feedbackLoops = 0;
  };

  void count(const CaptureInstance& instance, uint32_t time);
  void writeSummary(std::ostream& out) const;

  CaptureInfo info;
  CaptureEnding ending;
  int quality = 0;
  std::vector<std::string> frameLines;
  std::vector<InstanceSummary> instances;
  std::map<std::string, size_t> instanceIndex;
  double wallTotalMs = 0.0;
  double wallMaxMs = 0.0;
  uint32_t glErrorTotal = 0;
  uint32_t missingUniformTotal = 0;
  uint32_t feedbackCount = 0;
  // Instance and track names in the track files that nothing reads, as the load printed them.
  std::vector<std::string> timelineWarnings;
};
