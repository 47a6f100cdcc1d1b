#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/ToolRun.h"
#include "support/TrackFixtures.h"
#include "trackc/TrackCompiler.h"

namespace {

using namespace TrackFixtures;

// Comments and blank lines, times as rows and as mm:ss:mmm, targets given and left to the
// screen, default and named curves, an empty track, -0 and the largest float.
const char* const TIMELINE =
    "# Brinova excerpt\ninstance underwater_effect 2\n  run 00:00:000 00:30:000 offscreen0\n"
    "  start 200000 screen\n  track fade\n    00:00:000 0 sine\n    00:02:000 1\n    00:29:000 0.1 step\n"
    "    00:29:500 3.4028235e+38 7\n\ninstance camera 0  # the priority as written\n  run 0 02:30:850\n"
    "  track fov\n  track pitch\n    40 -0 quadratic\n    41 -1e-3 cosine\ninstance glow_effect 1\n";

const char* const DUMPED =
    "instance camera 0\n  run 00:00:000 02:30:850 screen\n  track fov\n  track pitch\n"
    "    00:02:000 -0 quadratic\n    00:02:050 -0.001 cosine\ninstance glow_effect 1\ninstance "
    "underwater_effect 2\n"
    "  run 00:00:000 00:30:000 offscreen0\n  start 200000 screen\n  track fade\n    00:00:000 0 sine\n"
    "    00:02:000 1 linear\n    00:29:000 0.1 step\n    00:29:500 3.4028235e+38 7\n";

std::string writeTimeline(const std::string& directory, const std::string& text) {
  WriteFile(directory + "timeline.txt", std::vector<uint8_t>(text.begin(), text.end()));
  return directory + "timeline.txt";
}

TEST(TrackCompilerTest, DumpOfCompiledTimelineCompilesToTheSameBytes) {
  std::string first = MakeDirectory("trackc_roundtrip"), second = MakeDirectory("trackc_roundtrip_again");
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(writeTimeline(first, TIMELINE), first + "out")) << compiler.GetError();
  std::ostringstream dumped;
  ASSERT_TRUE(compiler.Dump(first + "out", dumped)) << compiler.GetError();
  EXPECT_EQ(DUMPED, dumped.str());
  ASSERT_TRUE(compiler.Compile(writeTimeline(second, dumped.str()), second + "out"));
  for (const char* file : {"out/index.list", "out/track.data"})
    EXPECT_EQ(ReadFile(first + file), ReadFile(second + file)) << file;
}

// "run 10 20" draws to the screen, which the start keyframe stores as an empty target name. A
// record that the text cannot show (a second start where the stop belongs) fails the dump.
TEST(TrackCompilerTest, ScreenTargetIsStoredAsAnEmptyNameAndDumpRefusesWhatTextCannotHold) {
  std::string directory = MakeDirectory("trackc_screen"), out = directory + "out/";
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(writeTimeline(directory, "instance fade 3\nrun 10 20\n"), out));
  std::vector<uint8_t> index, data;
  AppendU32(index, 1);
  AppendString(index, "fade.track");
  AppendU32(index, 0);
  for (uint32_t word : {3u, 2u, 10u, 1u}) AppendU32(data, word);  // priority, 2 keyframes, a start at 10
  data.push_back(0);
  for (uint32_t word : {20u, 0u}) AppendU32(data, word);  // a stop at 20
  EXPECT_EQ(index, ReadFile(out + "index.list"));
  EXPECT_EQ(data, ReadFile(out + "track.data"));
  data[data.size() - 4] = 1;
  data.push_back(0);
  WriteFile(out + "track.data", data);
  std::ostringstream dumped;
  EXPECT_FALSE(compiler.Dump(out, dumped));
  EXPECT_EQ("Instance 'fade' cannot be written as a timeline: row 20 should hold a stop keyframe",
            compiler.GetError());
  EXPECT_EQ("", dumped.str());
}

TEST(TrackCompilerTest, FailedCompileLeavesThePreviousPairAndNoTemporaries) {
  std::string directory = MakeDirectory("trackc_keep"), out = directory + "out/";
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

TEST(TrackCompilerTest, CommandLineNamesBadInputOnStandardErrorAndAnswersHelpVersionAndUsage) {
  std::string dir = MakeDirectory("trackc_cli"), out = dir + "out";
  const std::string list = "camera fov\n\ncredits_effect index alpha  # what brinova --list-tracks prints\n",
                    misspelled =
                        "instance camera 0\n  track fov\ninstance credit_effect 7\n  track alpha\n"
                        "instance credits_effect 1\n  track alpha\n  track alhpa\n";
  WriteFile(dir + "effects.txt", std::vector<uint8_t>(list.begin(), list.end()));
  WriteFile(dir + "duplicated.txt", std::vector<uint8_t>({'a', '\n', 'a', ' ', 'x', '\n'}));
  WriteFile(dir + "misspelled.txt", std::vector<uint8_t>(misspelled.begin(), misspelled.end()));
  const std::string typo = dir + "misspelled.txt " + out;
  const std::pair<std::string, std::string> cases[] = {
      {"compile " + dir + " " + out, "Cannot read timeline '" + dir + "': Is a directory"},
      {"compile --effects " + dir + "effects.txt " + typo,
       dir + "misspelled.txt:3: no instance 'credit_effect' (instances: camera, credits_effect)\ntrackc: " +
           dir + "misspelled.txt:7: 'credits_effect' has no track 'alhpa' (tracks: alpha, index)"},
      {"compile " + typo + " --effects " + dir + "duplicated.txt",
       dir + "duplicated.txt:2: expected a new instance name, found 'a' again"},
      {"compile --effects " + dir + "none " + typo,
       "Cannot read effects list '" + dir + "none': No such file or directory"},
      {"dump " + dir + "none",
       "Cannot open track file '" + dir + "none/index.list': No such file or directory"},
  };
  for (const auto& [arguments, error] : cases) {
    ToolRun run = runTool("trackc", arguments);
    EXPECT_EQ(1, run.status) << arguments;
    EXPECT_EQ("trackc: " + error + "\n", run.err);
    EXPECT_EQ("", run.out);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  expectHelpVersionAndUsage(
      "trackc", {"compile TIMELINE OUTDIR", "--effects FILE", "dump DIR", "--help", "--version"},
      "trackc 1.0\n", "usage: trackc compile [--effects FILE] TIMELINE OUTDIR | trackc dump DIR\n",
      {"", "dump", "compile a", "dump a b", "--frobnicate", "compile a b --effects",
       "compile --effect x a b"});
}

// The names brinova lists are the ones its effects make, and the demo's timeline uses no other.
TEST(TrackCompilerTest, ProductionTimelineNamesOnlyWhatTheProductionLists) {
  std::string directory = MakeDirectory("trackc_production");
  ToolRun list = runTool("brinova", "--list-tracks");
  ASSERT_EQ(0, list.status) << list.err;
  WriteFile(directory + "names.txt", std::vector<uint8_t>(list.out.begin(), list.out.end()));
  ToolRun compile = runTool("trackc", "compile --effects " + directory + "names.txt " + KVR_SOURCE_DIR +
                                          "/resources/tracks/timeline.txt " + directory + "out");
  EXPECT_EQ(0, compile.status) << compile.err;
}

}  // namespace
