#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/ToolRun.h"
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

TEST(TrackCompilerTest, FailedCompileLeavesThePreviousPairAndNoTemporaries) {
  std::string directory = MakeDirectory("trackc_keep");
  std::string out = directory + "out/";
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(writeTimeline(directory, TIMELINE), out)) << compiler.GetError();
  std::vector<uint8_t> index = ReadFile(out + "index.list"), data = ReadFile(out + "track.data");
  EXPECT_FALSE(compiler.Compile(writeTimeline(directory, "instance fade 0\nrun 10 nine\n"), out));
  EXPECT_EQ(data, ReadFile(out + "track.data"));
  // A track.data that cannot be replaced must stop the compile before index.list changes.
  std::filesystem::remove(out + "track.data");
  std::filesystem::create_directory(out + "track.data");
  EXPECT_FALSE(compiler.Compile(writeTimeline(directory, "instance fade 3\nrun 10 20\n"), out));
  EXPECT_EQ(index, ReadFile(out + "index.list"));
  EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(out), {}));
}

TEST(TrackCompilerTest, CommandLineNamesBadInputOnStandardError) {
  std::string directory = MakeDirectory("trackc_cli");
  std::string out = directory + "out";
  std::string timeline = writeTimeline(directory, "instance fade 0\nrun 10 nine\n");
  const std::string list = "camera fov\n\ncredits_effect index alpha  # what brinova --list-tracks prints\n";
  const std::string effects = directory + "effects.txt", duplicated = directory + "duplicated.txt";
  WriteFile(effects, std::vector<uint8_t>(list.begin(), list.end()));
  WriteFile(duplicated, std::vector<uint8_t>({'a', '\n', 'a', ' ', 'x', '\n'}));
  const std::string misspelled = directory + "misspelled.txt";
  const std::string misspelledText =
      "instance camera 0\n  track fov\ninstance credit_effect 7\n  track alpha\n"
      "instance credits_effect 1\n  track alpha\n  track alhpa\n";
  WriteFile(misspelled, std::vector<uint8_t>(misspelledText.begin(), misspelledText.end()));
  std::filesystem::create_directory(directory + "zero");
  std::filesystem::create_symlink("/dev/zero", directory + "zero/index.list");
  const std::string cannotRead = "trackc: Cannot read timeline '",
                    cannotOpen = "trackc: Cannot open track file '";
  struct Case {
    std::string arguments;
    std::string err;
  } cases[] = {
      {"compile /dev/zero " + out, cannotRead + "/dev/zero': File larger than 64 MiB\n"},
      {"compile " + directory + " " + out, cannotRead + directory + "': Is a directory\n"},
      {"compile " + directory + "none " + out, cannotRead + directory + "none': No such file or directory\n"},
      {"compile " + timeline + " " + out,
       "trackc: " + timeline +
           ":2: expected a time (mm:ss:mmm on a 50 ms row, or a row number), found 'nine'\n"},
      {"compile --effects " + effects + " " + misspelled + " " + out,
       "trackc: " + misspelled + ":3: no instance 'credit_effect' (instances: camera, credits_effect)\n" +
           "trackc: " + misspelled + ":7: 'credits_effect' has no track 'alhpa' (tracks: alpha, index)\n"},
      {"compile " + misspelled + " " + out + " --effects " + duplicated,
       "trackc: " + duplicated + ":2: expected a new instance name, found 'a' again\n"},
      {"compile --effects " + directory + "none " + misspelled + " " + out,
       "trackc: Cannot read effects list '" + directory + "none': No such file or directory\n"},
      {"dump " + directory + "zero", cannotOpen + directory + "zero/index.list': File larger than 64 MiB\n"},
      {"dump " + directory + "none",
       cannotOpen + directory + "none/index.list': No such file or directory\n"},
  };
  for (const Case& c : cases) {
    ToolRun run = runTool("trackc", c.arguments);
    EXPECT_EQ(1, run.status) << c.arguments;
    EXPECT_EQ(c.err, run.err);
    EXPECT_EQ("", run.out);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(TrackCompilerTest, CommandLineAnswersHelpVersionAndWrongUsage) {
  ToolRun help = runTool("trackc", "--help");
  EXPECT_EQ(0, help.status);
  for (const char* word : {"compile TIMELINE OUTDIR", "--effects FILE", "dump DIR", "--help", "--version"})
    EXPECT_NE(std::string::npos, help.out.find(word)) << word;
  ToolRun version = runTool("trackc", "--version");
  EXPECT_EQ(0, version.status);
  EXPECT_EQ("trackc 1.0\n", version.out);
  for (const char* arguments : {"", "dump", "compile a", "dump a b", "--frobnicate", "compile a b --effects",
                                "compile --effect x a b"}) {
    ToolRun wrong = runTool("trackc", arguments);
    EXPECT_EQ(2, wrong.status) << arguments;
    EXPECT_EQ("usage: trackc compile [--effects FILE] TIMELINE OUTDIR | trackc dump DIR\n", wrong.err);
  }
}

// The names brinova lists are the ones its effects make, and the demo's timeline uses no other.
TEST(TrackCompilerTest, ProductionTimelineNamesOnlyWhatTheProductionLists) {
  std::string directory = MakeDirectory("trackc_production");
  ToolRun list = runTool("brinova", "--list-tracks");
  ASSERT_EQ(0, list.status) << list.err;
  EXPECT_EQ(9, std::count(list.out.begin(), list.out.end(), '\n'));
  EXPECT_NE(std::string::npos, list.out.find("\ncredits_effect index xpos ypos scale alpha\n"));
  WriteFile(directory + "names.txt", std::vector<uint8_t>(list.out.begin(), list.out.end()));
  ToolRun compile = runTool("trackc", "compile --effects " + directory + "names.txt " + KVR_SOURCE_DIR +
                                          "/resources/tracks/timeline.txt " + directory + "out");
  EXPECT_EQ(0, compile.status) << compile.err;
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
}

}  // namespace
