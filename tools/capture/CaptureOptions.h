#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/CaptureRun.h"

// The command line of the capture program.
class CaptureOptions {
 public:
  // False with a message on the first bad option.
  bool parse(const std::vector<std::string>& arguments);
  static std::string usage(const std::string& program);
  static std::string help(const std::string& program);
  // A time as the options take it: "mm:ss:mmm".
  static std::string timeText(uint32_t ms);
  const std::string& getError() const { return error; }

  CaptureSettings settings;
  std::string framesDirectory;
  std::string videoFile;
  std::string reportFile;
  // Old frame files in framesDirectory are removed instead of refused.
  bool overwrite = false;
  bool quiet = false;
  bool helpRequested = false;
  bool versionRequested = false;

 private:
  bool parseOption(const std::string& option, const std::string& value);
  bool parseSize(const std::string& value);
  bool parseNumber(const std::string& option, const std::string& value, long low, long high, long& out);
  bool parseTime(const std::string& option, const std::string& value, uint32_t& out);
  bool bad(const std::string& text);

  std::string error;
};
