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
      "# comment\n\ninstance glow 7   # priority as written\n  run 00:01:000 40 blurx\n  run 50 60\n"
      "  start 02:00:000 offscreen0\n  track alpha\n    00:00:050 0.5 cosine\n    3 -1e-3\n";
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
  auto key = [&](uint32_t row) {
    return static_cast<const ValueKeyframe*>(set->GetTrack("alpha")->KeyframeAt(row));
  };
  ASSERT_TRUE(key(1) && key(3));
  EXPECT_EQ(0.5f, key(1)->value);
  EXPECT_EQ(uint32_t(ValueKeyframe::CosineEaseIn), key(1)->interpolation);
  EXPECT_EQ(-1e-3f, key(3)->value);
  EXPECT_EQ(uint32_t(ValueKeyframe::Linear), key(3)->interpolation);
}

TEST(TimelineParserTest, ErrorsNameTheFileLineAndWhatWasExpected) {
  const std::string glow = "instance glow 0\n",
                    time = "expected a time (mm:ss:mmm on a 50 ms row, or a row number)";
  const std::pair<std::string, std::string> cases[] = {
      {"hello\n", ":1: expected 'instance', 'run', 'start', 'stop', 'track' or a keyframe, found 'hello'"},
      {"instance glow\n", ":1: expected 'instance NAME PRIORITY'"},
      {"instance a.b 1\n", ":1: expected an instance name without '.', found 'a.b'"},
      {"instance glow x\n", ":1: expected a priority (a signed 32-bit integer), found 'x'"},
      {"instance glow 3000000000\n", ":1: expected a priority (a signed 32-bit integer), found '3000000000'"},
      {glow + glow, ":2: expected a new instance name, found 'glow' again"},
      {"run 1 2\n", ":1: expected 'instance NAME PRIORITY' before 'run', found 'run'"},
      {glow + "run 00:00:025 40\n", ":2: " + time + ", found '00:00:025'"},
      {glow + "run 00:61:000 40\n", ":2: " + time + ", found '00:61:000'"},
      {glow + "run 10 -4\n", ":2: " + time + ", found '-4'"},
      {glow + "run 10 10\n", ":2: expected a row after 10, found '10'"},
      {glow + "run 10 20\nrun 20 30\n", ":3: expected a row after 20, found '20'"},
      {glow + "start 10\nrun 20 30\n", ":3: expected a stop after the start at row 10, found '20'"},
      {glow + "stop 10\n", ":2: expected a start before the stop, found '10'"},
      {glow + "run 1 2 a b\n", ":2: expected 'run FROM TO [TARGET]'"},
      {glow + "10 1.0\n", ":2: expected 'track NAME' before the first keyframe, found '10'"},
      {glow + "track a\n\n# c\n10 one\n", ":5: expected a value (a float), found 'one'"},
      {glow + "track a\n10 1 wobble\n",
       ":3: expected a curve (linear, sine, cosine, step, quadratic or a number), found 'wobble'"},
      {glow + "track a\n10 1\n10 2\n", ":4: expected a new keyframe row, found '10' again"},
      {glow + "track a\ntrack a\n", ":3: expected a new track name, found 'a' again"},
  };
  for (const auto& [text, error] : cases) {
    TimelineParser parser;
    EXPECT_EQ(nullptr, parser.Parse(text, "timeline.txt")) << error;
    EXPECT_EQ("timeline.txt" + error, parser.GetError());
  }
}

}  // namespace
