#include <gtest/gtest.h>

#include <sstream>

#include "capture/CaptureReport.h"
#include "capture/PictureMeasure.h"
#include "capture/TerminalProgress.h"
#include "capture/VideoEncoder.h"
#include "demosys/core/KVRDemosys.h"

namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// What a reader of the report takes from it: the ending, each frame's line and the summary.
TEST(CaptureReportTest, WritesEachFrameAndASummaryPerInstance) {
  CaptureReport report;
  KVRDemosys::timelineWarnings = {"Track data : no instance 'x'"};
  report.begin(CaptureInfo(), 2);
  KVRDemosys::timelineWarnings.clear();
  report.add({0, 0, 0, 50, {{"glow", "blurx", 1.0, 0, 0, false}}, 0, 0, {}, 2.0});
  const CaptureInstance glow{"glow", "blurx", 3.0, 0, 0, false}, post{"post", "screen", 0.5, 1, 2, true};
  report.add({1, 50, 1, 50, {glow, post}, 1, 2, {0.25, {0.0, 0.0, 0.5}, 0.125}, 4.0});
  std::ostringstream out;
  report.write(out);
  const std::string text = out.str();
  EXPECT_EQ(0u, text.find("{\n  \"status\": \"complete\", \"reason\": \"\",\n  \"capture\": "));
  // The instances' and the frame's own fields, of which the capture test reads the names and counts.
  EXPECT_PRED2(has, text, "\"target\": \"screen\", \"cpu_ms\": 0.5000, \"gl_errors\": 1,");
  EXPECT_PRED2(has, text,
               "\"missing_uniforms\": 2, \"luminance\": 0.2500, \"thirds\": [0.0000, 0.0000, 0.5000], "
               "\"chroma\": 0.1250, \"wall_ms\": 4.0000}");
  EXPECT_PRED2(has, text, "\"wall_ms\": {\"mean\": 3.0000, \"max\": 4.0000, \"total\": 6.0000}");
  EXPECT_PRED2(has, text,
               "{\"name\": \"glow\", \"frames_active\": 2, \"first_active_ms\": 0, \"last_active_ms\": 50, "
               "\"cpu_ms\": {\"mean\": 2.0000, \"max\": 3.0000}, \"gl_errors\": 0, \"missing_uniforms\": 0, "
               "\"feedback_loops\": 0}");
  EXPECT_PRED2(has, text, "\"feedback_loops\": 1,\n    \"load_ms\": {\"total\": ");
  EXPECT_PRED2(has, text,
               "},\n    \"timeline_warnings\": [\"Track data : no instance 'x'\"],\n    \"instances\"");
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

TEST(CaptureReportTest, QuotesNamesAsJsonStrings) {
  EXPECT_EQ("\"a\\\"b\\\\c\\u000a\"", CaptureReport::quote("a\"b\\c\n"));
}

TEST(CaptureReportTest, ProgressLineShowsFramesRateAndTimeLeft) {
  EXPECT_EQ("[###############...............] 50/100 frames  25.0 fps  0:02 left",
            TerminalProgress::line(50, 100, 2.0));
  EXPECT_EQ("[##############################] 9051/9051 frames  60.0 fps  0:00 left",
            TerminalProgress::line(9051, 9051, 150.85));
}

TEST(CaptureReportTest, VideoCommandCutsTheMusicToTheFrames) {
  VideoEncoder::Settings settings{"it's a.mp4", 320, 180, 25, 50, 500, "/tmp/m.mp3"};
  // One word per argument: the file name with its space and quote is a single word.
  auto words = [&] {
    std::string line;
    for (const std::string& word : VideoEncoder::arguments(settings)) line += word + "|";
    return line;
  };
  const std::string line = words(), tail = "|-shortest|-t|2.000000|-movflags|+faststart|-f|mp4|it's a.mp4|";
  EXPECT_PRED2(has, line, "|-ss|0.500000|-t|2.000000|-i|/tmp/m.mp3|-map|0:v|-map|1:a|-af|apad|");
  EXPECT_EQ(tail, line.substr(line.size() - tail.size()));
  settings.musicFile.clear();
  EXPECT_FALSE(has(words(), "|1:a|"));
}

}  // namespace
