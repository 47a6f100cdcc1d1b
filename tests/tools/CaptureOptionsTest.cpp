#include <gtest/gtest.h>

#include "capture/CaptureOptions.h"

namespace {

CaptureOptions parsed(const std::vector<std::string>& arguments) {
  CaptureOptions options;
  EXPECT_TRUE(options.parse(arguments)) << options.getError();
  return options;
}

TEST(CaptureOptionsTest, DefaultsAreA720pRunAtSixtyFramesToTheEnd) {
  CaptureOptions options = parsed({"--report", "r.json"});
  EXPECT_EQ(1280, options.settings.width);
  EXPECT_EQ(720, options.settings.height);
  EXPECT_EQ(2, options.settings.quality);
  EXPECT_EQ(60u, options.settings.framesPerSecond);
  EXPECT_EQ(0u, options.settings.fromMs);
  EXPECT_FALSE(options.settings.hasTo);
  EXPECT_EQ(1, options.settings.source);
  EXPECT_FALSE(options.quiet);
  EXPECT_FALSE(options.overwrite);
}

TEST(CaptureOptionsTest, EveryOptionIsRead) {
  CaptureOptions options = parsed({"--size", "320x180", "--quality", "0", "--fps", "25", "--from",
                                   "01:02:003", "--to", "02:30:850", "--frames", "out/frames", "--video",
                                   "a b.mp4", "--report", "r.json", "--quiet", "--overwrite"});
  EXPECT_EQ(320, options.settings.width);
  EXPECT_EQ(180, options.settings.height);
  EXPECT_EQ(0, options.settings.quality);
  EXPECT_EQ(25u, options.settings.framesPerSecond);
  EXPECT_EQ(62003u, options.settings.fromMs);
  EXPECT_TRUE(options.settings.hasTo);
  EXPECT_EQ(150850u, options.settings.toMs);
  EXPECT_EQ("out/frames", options.framesDirectory);
  EXPECT_EQ("a b.mp4", options.videoFile);
  EXPECT_EQ("r.json", options.reportFile);
  EXPECT_TRUE(options.quiet);
  EXPECT_TRUE(options.overwrite);
  EXPECT_TRUE(parsed({"--help"}).helpRequested);
  EXPECT_TRUE(parsed({"--version"}).versionRequested);
}

struct BadCase {
  std::vector<std::string> arguments;
  const char* error;
};

class CaptureOptionsBad : public testing::TestWithParam<BadCase> {};

TEST_P(CaptureOptionsBad, SayWhatIsWrong) {
  CaptureOptions options;
  EXPECT_FALSE(options.parse(GetParam().arguments));
  EXPECT_EQ(GetParam().error, options.getError());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptureOptionsBad,
    testing::Values(
        BadCase{{"--bogus"}, "unknown option '--bogus'"},
        BadCase{{"video.mp4"}, "unknown option 'video.mp4'"}, BadCase{{"--size"}, "--size needs a value"},
        BadCase{{"--size", "1280"}, "--size expects WIDTHxHEIGHT, found '1280'"},
        BadCase{{"--size", "8x8"}, "--size expects WIDTHxHEIGHT, each 16 to 8192, found '8x8'"},
        BadCase{{"--size", "-320x180"}, "--size expects WIDTHxHEIGHT, each 16 to 8192, found '-320x180'"},
        BadCase{{"--quality", "4"}, "--quality expects a number 0 to 3, found '4'"},
        BadCase{{"--fps", "0"}, "--fps expects a number 1 to 1000, found '0'"},
        BadCase{{"--fps", "99999999999"}, "--fps expects a number 1 to 1000, found '99999999999'"},
        BadCase{{"--fps", "2.5"}, "--fps expects a number 1 to 1000, found '2.5'"},
        BadCase{{"--from", "1:00"}, "--from expects mm:ss:mmm, found '1:00'"},
        BadCase{{"--from", "-1:00:000"}, "--from expects mm:ss:mmm, found '-1:00:000'"},
        BadCase{{"--to", "00:60:000"}, "--to expects mm:ss:mmm, found '00:60:000'"},
        BadCase{{"--from", "00:02:000", "--to", "00:02:000"}, "--to must lie after --from"},
        BadCase{{"--frames", ""}, "--frames needs a value"}, BadCase{{"--report"}, "--report needs a value"},
        BadCase{{"--quiet"}, "nothing to keep: give --frames DIR, --video FILE or --report FILE"}));

TEST(CaptureOptionsTest, UsageIsOneLineNamingEveryOption) {
  const std::string usage = CaptureOptions::usage("brinova-capture");
  EXPECT_EQ(
      "Usage: brinova-capture [--size WxH] [--quality 0-3] [--fps N] [--from mm:ss:mmm] [--to mm:ss:mmm] "
      "[--frames DIR] [--video FILE] [--report FILE] [--overwrite] [--quiet] [--help] [--version]",
      usage);
  const std::string help = CaptureOptions::help("brinova-capture");
  EXPECT_EQ(0u, help.find(usage + "\n"));
  for (const char* option : {"--overwrite ", "--version ", "--quiet ", "--report FILE "})
    EXPECT_NE(std::string::npos, help.find("\n  " + std::string(option))) << option;
  EXPECT_EQ("02:30:850", CaptureOptions::timeText(150850));
}

}  // namespace
