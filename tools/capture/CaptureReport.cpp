#include "capture/CaptureReport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/PendingFile.h"
#include "demosys/core/KVRDemosys.h"

namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

std::string flag(bool value) { return value ? "true" : "false"; }

}  // namespace

std::string CaptureReport::quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void CaptureReport::begin(const CaptureInfo& runInfo, int qualityLevel) {
  info = runInfo;
  quality = qualityLevel;
  // Taken now: the loaded tracks, and their warnings, are gone by the time a stopped run reports.
  timelineWarnings = KVRDemosys::timelineWarnings;
}

void CaptureReport::count(const CaptureInstance& instance, uint32_t time) {
  std::map<std::string, size_t>::iterator found = instanceIndex.find(instance.name);
  if (found == instanceIndex.end()) {
    found = instanceIndex.emplace(instance.name, instances.size()).first;
    instances.push_back(InstanceSummary());
    instances.back().name = instance.name;
    instances.back().firstMs = time;
  }
  InstanceSummary& summary = instances[found->second];
  ++summary.framesActive;
  summary.lastMs = time;
  summary.cpuTotalMs += instance.cpuMs;
  summary.cpuMaxMs = std::max(summary.cpuMaxMs, instance.cpuMs);
  summary.glErrors += instance.glErrors;
  summary.missingUniforms += instance.missingUniforms;
  if (instance.feedback) {
    ++summary.feedbackLoops;
    ++feedbackCount;
  }
}

void CaptureReport::add(const CaptureFrame& frame) {
  std::ostringstream line;
  line << "{\"index\": " << frame.index << ", \"time\": " << frame.time << ", \"row\": " << frame.row
       << ", \"delta\": " << frame.delta << ", \"instances\": [";
  for (size_t i = 0; i < frame.instances.size(); ++i) {
    const CaptureInstance& instance = frame.instances[i];
    line << (i ? ", " : "") << "{\"name\": " << quote(instance.name)
         << ", \"target\": " << quote(instance.target) << ", \"cpu_ms\": " << number(instance.cpuMs)
         << ", \"gl_errors\": " << instance.glErrors << ", \"missing_uniforms\": " << instance.missingUniforms
         << ", \"feedback\": " << flag(instance.feedback) << "}";
    count(instance, frame.time);
  }
  line << "], \"gl_errors\": " << frame.glErrors << ", \"missing_uniforms\": " << frame.missingUniforms
       << ", \"luminance\": " << number(frame.look.luminance) << ", \"thirds\": ["
       << number(frame.look.thirds[0]) << ", " << number(frame.look.thirds[1]) << ", "
       << number(frame.look.thirds[2]) << "], \"chroma\": " << number(frame.look.chroma)
       << ", \"wall_ms\": " << number(frame.wallMs) << "}";
  frameLines.push_back(line.str());
  wallTotalMs += frame.wallMs;
  wallMaxMs = std::max(wallMaxMs, frame.wallMs);
  glErrorTotal += frame.glErrors;
  missingUniformTotal += frame.missingUniforms;
}

double CaptureReport::meanWallMs() const {
  return frameLines.empty() ? 0.0 : wallTotalMs / frameLines.size();
}

void CaptureReport::writeSummary(std::ostream& out) const {
  out << "  \"summary\": {\n    \"frames\": " << frameLines.size()
      << ",\n    \"wall_ms\": {\"mean\": " << number(meanWallMs()) << ", \"max\": " << number(wallMaxMs)
      << ", \"total\": " << number(wallTotalMs) << "},\n    \"gl_errors\": " << glErrorTotal
      << ",\n    \"missing_uniforms\": " << missingUniformTotal
      << ",\n    \"feedback_loops\": " << feedbackCount
      << ",\n    \"load_ms\": {\"total\": " << number(KVRDemosys::loadTimings.totalMs());
  for (const auto& stage : KVRDemosys::loadTimings.stages())
    out << ", " << quote(stage.first) << ": " << number(stage.second);
  out << "},\n    \"timeline_warnings\": [";
  for (size_t i = 0; i < timelineWarnings.size(); ++i) out << (i ? ", " : "") << quote(timelineWarnings[i]);
  out << "],\n    \"instances\": [";
  for (size_t i = 0; i < instances.size(); ++i) {
    const InstanceSummary& s = instances[i];
    out << (i ? ",\n" : "\n") << "      {\"name\": " << quote(s.name)
        << ", \"frames_active\": " << s.framesActive << ", \"first_active_ms\": " << s.firstMs
        << ", \"last_active_ms\": " << s.lastMs
        << ", \"cpu_ms\": {\"mean\": " << number(s.cpuTotalMs / s.framesActive)
        << ", \"max\": " << number(s.cpuMaxMs) << "}, \"gl_errors\": " << s.glErrors
        << ", \"missing_uniforms\": " << s.missingUniforms << ", \"feedback_loops\": " << s.feedbackLoops
        << "}";
  }
  out << (instances.empty() ? "]\n" : "\n    ]\n") << "  }\n";
}

void CaptureReport::write(std::ostream& out) const {
  out << "{\n  \"status\": " << quote(ending.statusName()) << ", \"reason\": " << quote(ending.reason)
      << ",\n  \"capture\": {\"width\": " << info.width << ", \"height\": " << info.height
      << ", \"quality\": " << quality << ", \"fps\": " << info.framesPerSecond
      << ", \"from_ms\": " << info.fromMs << ", \"to_ms\": " << info.toMs
      << ", \"frame_count\": " << info.frameCount
      << ", \"mesa_glthread\": " << (info.mesaGlthread ? "true" : "false") << "},\n  \"frames\": [";
  for (size_t i = 0; i < frameLines.size(); ++i) out << (i ? ",\n    " : "\n    ") << frameLines[i];
  out << (frameLines.empty() ? "],\n" : "\n  ],\n");
  writeSummary(out);
  out << "}\n";
}

bool CaptureReport::save(const std::string& path, std::string& error) const {
  PendingFile file(path);
  if (!file.create()) {
    error = "Cannot write the report: " + file.getError();
    return false;
  }
  std::ofstream out(file.temporaryPath());
  write(out);
  out.close();
  if (!out) {
    error = "Cannot write the report '" + path + "'";
    return false;
  }
  if (file.commit()) return true;
  error = "Cannot write the report: " + file.getError();
  return false;
}
