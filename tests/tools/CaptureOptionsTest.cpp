#include <gtest/gtest.h>

#include <sstream>

#include "capture/CaptureOptions.h"

namespace {

// The values the options set, in one line: size, quality, rate, range, source, switches, files.
std::string read(const std::vector<std::string>& arguments) {
  CaptureOptions o;
  EXPECT_TRUE(o.parse(arguments)) << o.getError();
  const CaptureSettings& s = o.settings;
  std::ostringstream line;
  line << s.width << "x" << s.height << " " << s.quality << " " << s.framesPerSecond << " " << s.fromMs << "-"
       << (s.hasTo ? std::to_string(s.toMs) : "end") << " " << s.source << o.quiet << o.overwrite
       << o.helpRequested << o.versionRequested << " " << o.framesDirectory << "|" << o.videoFile << "|"
       << o.reportFile;
  return line.str();
}

TEST(CaptureOptionsTest, ReadsEveryOptionAndDefaultsToA720pRunAtSixtyFramesToTheEnd) {
  EXPECT_EQ("1280x720 2 60 0-end 10000 ||r.json", read({"--report", "r.json"}));
  EXPECT_EQ("1280x720 2 60 0-end 10011 ||", read({"--help", "--version"}));
  EXPECT_EQ(
      "320x180 0 25 62003-150850 11100 out/f|a b.mp4|r.json",
      read({"--size", "320x180", "--quality", "0", "--fps", "25", "--from", "01:02:003", "--to", "02:30:850",
            "--video", "a b.mp4", "--frames", "out/f", "--report", "r.json", "--quiet", "--overwrite"}));
}

TEST(CaptureOptionsTest, BadOptionsSayWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--size", "1280"}, "--size expects WIDTHxHEIGHT, found '1280'"},
      {{"--size", "8x8"}, "--size expects WIDTHxHEIGHT, each 16 to 8192, found '8x8'"},
      {{"--quality", "4"}, "--quality expects a number 0 to 3, found '4'"},
      {{"--fps", "2.5"}, "--fps expects a number 1 to 1000, found '2.5'"},
      {{"--to", "00:60:000"}, "--to expects mm:ss:mmm, found '00:60:000'"},
      {{"--from", "00:02:000", "--to", "00:02:000"}, "--to must lie after --from"},
      {{"--frames", ""}, "--frames needs a value"},
      {{"--report"}, "--report needs a value"},
      {{"--quiet"}, "nothing to keep: give --frames DIR, --video FILE or --report FILE"},
  };
  for (const auto& [arguments, error] : cases) {
    CaptureOptions options;
    EXPECT_EQ("0 " + error, std::to_string(options.parse(arguments)) + " " + options.getError());
  }
}

TEST(CaptureOptionsTest, UsageIsOneLineNamingEveryOption) {
  const std::string usage = CaptureOptions::usage("brinova-capture");
  EXPECT_EQ(
      "Usage: brinova-capture [--size WxH] [--quality 0-3] [--fps N] [--from mm:ss:mmm] [--to mm:ss:mmm] "
      "[--frames DIR] [--video FILE] [--report FILE] [--overwrite] [--quiet] [--help] [--version]",
      usage);
  EXPECT_EQ(0u, CaptureOptions::help("brinova-capture").find(usage + "\n"));
}

}  // namespace
