#include <gtest/gtest.h>

#include <memory>

#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "trackc/TimelineParser.h"

namespace {

TEST(TimelineParserTest, ReadsInstancesIntervalsAndKeyframes) {
  const char* text =
      "# comment\n"
      "\n"
      "instance glow 7   # priority as written\n"
      "  run 00:01:000 40 blurx\n"
      "  run 50 60\n"
      "  start 02:00:000 offscreen0\n"
      "  track alpha\n"
      "    00:00:050 0.5 cosine\n"
      "    3 -1e-3\n";
  TimelineParser parser;
  std::unique_ptr<TrackData> data(parser.Parse(text, "t.txt"));
  ASSERT_NE(nullptr, data) << parser.GetError();
  EffectTrackSet* set = data->GetSet("glow");
  ASSERT_NE(nullptr, set);
  EXPECT_EQ(7, set->startStop->priority);
  EXPECT_EQ(5u, set->startStop->GetKeyframeCount());
  EXPECT_EQ("blurx", set->startStop->ActiveStart(30)->target);
  EXPECT_EQ("screen", set->startStop->ActiveStart(55)->target);
  EXPECT_EQ("offscreen0", set->startStop->ActiveStart(2400)->target);
  const ValueKeyframe* first = static_cast<const ValueKeyframe*>(set->GetTrack("alpha")->KeyframeAt(1));
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(0.5f, first->value);
  EXPECT_EQ(uint32_t(ValueKeyframe::CosineEaseIn), first->interpolation);
  EXPECT_EQ(uint32_t(ValueKeyframe::Linear),
            static_cast<const ValueKeyframe*>(set->GetTrack("alpha")->KeyframeAt(3))->interpolation);
}

struct BadLine {
  std::string text;
  std::string error;
};

void PrintTo(const BadLine& bad, std::ostream* out) { *out << bad.error; }

class TimelineErrors : public testing::TestWithParam<BadLine> {};

TEST_P(TimelineErrors, NameTheFileLineAndWhatWasExpected) {
  TimelineParser parser;
  EXPECT_EQ(nullptr, parser.Parse(GetParam().text, "timeline.txt"));
  EXPECT_EQ(GetParam().error, parser.GetError());
}

const std::string GLOW = "instance glow 0\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TimelineErrors,
    testing::Values(
        BadLine{"hello\n",
                "timeline.txt:1: expected 'instance', 'run', 'start', 'stop', 'track' or a keyframe, "
                "found 'hello'"},
        BadLine{"instance glow\n", "timeline.txt:1: expected 'instance NAME PRIORITY'"},
        BadLine{"instance a.b 1\n", "timeline.txt:1: expected an instance name without '.', found 'a.b'"},
        BadLine{"instance glow x\n",
                "timeline.txt:1: expected a priority (a signed 32-bit integer), found 'x'"},
        BadLine{"instance glow 3000000000\n",
                "timeline.txt:1: expected a priority (a signed 32-bit integer), found '3000000000'"},
        BadLine{GLOW + GLOW, "timeline.txt:2: expected a new instance name, found 'glow' again"},
        BadLine{"run 1 2\n", "timeline.txt:1: expected 'instance NAME PRIORITY' before 'run', found 'run'"},
        BadLine{
            GLOW + "run 00:00:025 40\n",
            "timeline.txt:2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found '00:00:025'"},
        BadLine{
            GLOW + "run 00:61:000 40\n",
            "timeline.txt:2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found '00:61:000'"},
        BadLine{GLOW + "run 10 -4\n",
                "timeline.txt:2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found '-4'"},
        BadLine{GLOW + "run 10 10\n", "timeline.txt:2: expected a row after 10, found '10'"},
        BadLine{GLOW + "run 10 20\nrun 20 30\n", "timeline.txt:3: expected a row after 20, found '20'"},
        BadLine{GLOW + "start 10\nrun 20 30\n",
                "timeline.txt:3: expected a stop after the start at row 10, found '20'"},
        BadLine{GLOW + "stop 10\n", "timeline.txt:2: expected a start before the stop, found '10'"},
        BadLine{GLOW + "run 1 2 a b\n", "timeline.txt:2: expected 'run FROM TO [TARGET]'"},
        BadLine{GLOW + "10 1.0\n",
                "timeline.txt:2: expected 'track NAME' before the first keyframe, found '10'"},
        BadLine{GLOW + "track a\n\n# c\n10 one\n", "timeline.txt:5: expected a value (a float), found 'one'"},
        BadLine{GLOW + "track a\n10 1 wobble\n",
                "timeline.txt:3: expected a curve (linear, sine, cosine, step, quadratic or a number), found "
                "'wobble'"},
        BadLine{GLOW + "track a\n10 1\n10 2\n",
                "timeline.txt:4: expected a new keyframe row, found '10' again"},
        BadLine{GLOW + "track a\ntrack a\n", "timeline.txt:3: expected a new track name, found 'a' again"}));

}  // namespace
