#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "trackc/TimelineParser.h"

namespace {

TEST(TimelineParserTest, ErrorsNameTheFileLineAndWhatWasExpected) {
  const std::string glow = "instance glow 0\n";
  const std::pair<std::string, std::string> cases[] = {
      {"hello\n", ":1: expected 'instance', 'run', 'start', 'stop', 'track' or a keyframe, found 'hello'"},
      {"instance glow\n", ":1: expected 'instance NAME PRIORITY'"},
      {"instance a.b 1\n", ":1: expected an instance name without '.', found 'a.b'"},
      {"instance glow 3000000000\n", ":1: expected a priority (a signed 32-bit integer), found '3000000000'"},
      {glow + glow, ":2: expected a new instance name, found 'glow' again"},
      {"run 1 2\n", ":1: expected 'instance NAME PRIORITY' before 'run', found 'run'"},
      {glow + "run 00:00:025 40\n",
       ":2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found '00:00:025'"},
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
