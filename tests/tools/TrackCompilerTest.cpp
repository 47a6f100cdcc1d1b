#include <gtest/gtest.h>

#include <sstream>

#include "support/TrackFixtures.h"
#include "trackc/TrackCompiler.h"

namespace {

using namespace TrackFixtures;

const char* const TIMELINE =
    "# Brinova excerpt\n"
    "instance underwater_effect 2\n"
    "  run 00:00:000 00:30:000 offscreen0\n"
    "  start 200000 screen\n"
    "  track fade\n"
    "    00:00:000 0 sine\n"
    "    00:02:000 1\n"
    "    00:29:000 0.1 step\n"
    "    00:29:500 3.4028235e+38 7\n"
    "instance camera 0\n"
    "  run 0 02:30:850\n"
    "  track fov\n"
    "  track pitch\n"
    "    40 -0 quadratic\n"
    "instance glow_effect 1\n";

const char* const DUMPED =
    "instance camera 0\n"
    "  run 00:00:000 02:30:850 screen\n"
    "  track fov\n"
    "  track pitch\n"
    "    00:02:000 -0 quadratic\n"
    "instance glow_effect 1\n"
    "instance underwater_effect 2\n"
    "  run 00:00:000 00:30:000 offscreen0\n"
    "  start 200000 screen\n"
    "  track fade\n"
    "    00:00:000 0 sine\n"
    "    00:02:000 1 linear\n"
    "    00:29:000 0.1 step\n"
    "    00:29:500 3.4028235e+38 7\n";

// The index of one start/stop record "fade.track" at offset 0.
std::vector<uint8_t> fadeIndex() {
  std::vector<uint8_t> index;
  AppendU32(index, 1);
  AppendString(index, "fade.track");
  AppendU32(index, 0);
  return index;
}

// Priority, a start at row 10 to the screen, and a keyframe of `secondKind` at row 20.
std::vector<uint8_t> fadeRecord(uint32_t priority, uint32_t secondKind) {
  std::vector<uint8_t> data;
  for (uint32_t word : {priority, 2u, 10u, 1u}) AppendU32(data, word);
  data.push_back(0);
  AppendU32(data, 20);
  AppendU32(data, secondKind);
  if (secondKind == 1) data.push_back(0);
  return data;
}

std::string writeTimeline(const std::string& directory, const std::string& text) {
  std::string path = directory + "timeline.txt";
  WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
  return path;
}

TEST(TrackCompilerTest, DumpOfCompiledTimelineCompilesToTheSameBytes) {
  std::string directory = MakeDirectory("trackc_roundtrip");
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(writeTimeline(directory, TIMELINE), directory + "first"))
      << compiler.GetError();
  std::ostringstream dumped;
  ASSERT_TRUE(compiler.Dump(directory + "first", dumped)) << compiler.GetError();
  EXPECT_EQ(DUMPED, dumped.str());
  std::string again = MakeDirectory("trackc_roundtrip_again");
  ASSERT_TRUE(compiler.Compile(writeTimeline(again, dumped.str()), again + "second"));
  EXPECT_EQ(ReadFile(directory + "first/index.list"), ReadFile(again + "second/index.list"));
  EXPECT_EQ(ReadFile(directory + "first/track.data"), ReadFile(again + "second/track.data"));
}

TEST(TrackCompilerTest, ScreenTargetIsStoredAsAnEmptyName) {
  std::string directory = MakeDirectory("trackc_screen");
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(writeTimeline(directory, "instance fade 3\nrun 10 20\n"), directory + "out"));
  EXPECT_EQ(fadeIndex(), ReadFile(directory + "out/index.list"));
  EXPECT_EQ(fadeRecord(3, 0), ReadFile(directory + "out/track.data"));
}

TEST(TrackCompilerTest, BadTimelineWritesNothing) {
  std::string directory = MakeDirectory("trackc_bad");
  TrackCompiler compiler;
  std::string path = writeTimeline(directory, "instance fade 0\nrun 10 nine\n");
  EXPECT_FALSE(compiler.Compile(path, directory + "out"));
  EXPECT_EQ(path + ":2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found 'nine'",
            compiler.GetError());
  EXPECT_TRUE(ReadFile(directory + "out/index.list").empty());
  EXPECT_FALSE(compiler.Compile(directory + "none.txt", directory + "out"));
  EXPECT_EQ("Cannot read timeline '" + directory + "none.txt'", compiler.GetError());
}

TEST(TrackCompilerTest, DumpReportsDataTheTextCannotHold) {
  std::string directory = MakeDirectory("trackc_unprintable");
  WriteFile(directory + "index.list", fadeIndex());
  WriteFile(directory + "track.data", fadeRecord(0, 1));
  TrackCompiler compiler;
  std::ostringstream out;
  EXPECT_FALSE(compiler.Dump(directory, out));
  EXPECT_EQ("Instance 'fade' cannot be written as a timeline: row 20 should hold a stop keyframe",
            compiler.GetError());
  EXPECT_EQ("", out.str());
  EXPECT_FALSE(compiler.Dump(directory + "nothing", out));
  EXPECT_EQ("Cannot open track file '" + directory + "nothing/index.list'", compiler.GetError());
}

}  // namespace
