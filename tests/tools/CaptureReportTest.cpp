#include <gtest/gtest.h>

#include <sstream>

#include "capture/CaptureReport.h"
#include "capture/PictureMeasure.h"
#include "capture/TerminalProgress.h"
#include "capture/VideoEncoder.h"
#include "demosys/core/KVRDemosys.h"

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// What a reader takes from the report beyond what the capture run can pin down: the ending, the
// frame's picture measures and timings, their summaries and the timeline's warnings; names
// quoted as JSON strings.
TEST(CaptureReportTest, WritesEachFrameAndASummaryPerInstance) {
  CaptureReport report;
  KVRDemosys::timelineWarnings = {"Track data : no instance 'x'"};
  report.begin(CaptureInfo(), 2);
  KVRDemosys::timelineWarnings.clear();
  report.add({0, 0, 0, 50, {{"glow", "blurx", 1.0, 0, 0, false}}, 0, 0, {}, 2.0});
  const CaptureInstance glow{"glow", "blurx", 3.0, 0, 0, false},
      post{"p\"o\\st\n", "screen", 0.5, 1, 2, true};
  report.add({1, 50, 1, 50, {glow, post}, 1, 2, {0.25, {0.0, 0.0, 0.5}, 0.125}, 4.0});
  std::ostringstream out;
  report.write(out);
  for (const char* part : {"{\n  \"status\": \"complete\", \"reason\": \"\",\n",
                           "\"name\": \"p\\\"o\\\\st\\u000a\", \"target\": \"screen\", \"cpu_ms\": 0.5000,",
                           "\"luminance\": 0.2500, \"thirds\": [0.0000, 0.0000, 0.5000],",
                           "\"chroma\": 0.1250, \"wall_ms\": 4.0000}",
                           "\"wall_ms\": {\"mean\": 3.0000, \"max\": 4.0000, \"total\": 6.0000}",
                           "\"last_active_ms\": 50, \"cpu_ms\": {\"mean\": 2.0000, \"max\": 3.0000}",
                           "\"timeline_warnings\": [\"Track data : no instance 'x'\"],"})
    EXPECT_PRED2(has, out.str(), part);
}

// Rows of black, mid grey and pure red, one row a third.
TEST(CaptureReportTest, PictureMeasureSplitsBrightnessByThirdsAndCountsOnlyColour) {
  const std::vector<uint8_t> pixels = {0, 0, 0, 0, 0, 0, 128, 128, 128, 128, 128, 128, 255, 0, 0, 255, 0, 0};
  const PictureMeasure look = PictureMeasure::of(pixels, 2, 3);
  EXPECT_DOUBLE_EQ(0.0, look.thirds[0]);
  EXPECT_DOUBLE_EQ(128.0 / 255.0, look.thirds[1]);
  EXPECT_DOUBLE_EQ(0.2126, look.thirds[2]);
  EXPECT_DOUBLE_EQ((128.0 / 255.0 + 0.2126) / 3.0, look.luminance);
  EXPECT_DOUBLE_EQ(1.0 / 3.0, look.chroma);
  EXPECT_EQ(0.0, PictureMeasure::of(pixels, 2, 4).luminance) << "a buffer too small for the size";
}

TEST(CaptureReportTest, ProgressLineShowsFramesRateAndTimeLeft) {
  EXPECT_EQ("[###############...............] 50/100 frames  25.0 fps  0:02 left",
            TerminalProgress::line(50, 100, 2.0));
}

// The music is cut to the frames, and a file name is one argument, whatever it holds.
TEST(CaptureReportTest, VideoCommandCutsTheMusicToTheFramesAndKeepsTheFileNameWhole) {
  std::string line;
  for (const std::string& word : VideoEncoder::arguments({"it's a.mp4", 320, 180, 25, 50, 500, "/tmp/m.mp3"}))
    line += word + "|";
  EXPECT_PRED2(has, line, "|-ss|0.500000|-t|2.000000|-i|/tmp/m.mp3|");
  EXPECT_EQ("|it's a.mp4|", line.substr(line.rfind('|', line.size() - 2)));
}

}  // namespace
