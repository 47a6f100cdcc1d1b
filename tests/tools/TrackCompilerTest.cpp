#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/TempDir.h"
#include "support/ToolRun.h"
#include "trackc/TrackCompiler.h"

namespace {

// Comments and blank lines, times as rows and as mm:ss:mmm, targets given and left to the
// screen, default and named curves, an empty track, -0 and the largest float.
const char* const TIMELINE =
    "# Brinova excerpt\ninstance underwater_effect 2\n  run 00:00:000 00:30:000 offscreen0\n"
    "  start 200000 screen\n  track fade\n    00:00:000 0 sine\n    00:02:000 1\n    00:29:000 0.1 step\n"
    "    00:29:500 3.4028235e+38 7\n\ninstance camera 0  # the priority as written\n  run 0 02:30:850\n"
    "  track fov\n  track pitch\n    40 -0 quadratic\n    41 -1e-3 cosine\ninstance glow_effect 1\n";

const char* const DUMPED =
    "instance camera 0\n  run 00:00:000 02:30:850 screen\n  track fov\n  track pitch\n"
    "    00:02:000 -0 quadratic\n    00:02:050 -0.001 cosine\ninstance glow_effect 1\n"
    "instance underwater_effect 2\n  run 00:00:000 00:30:000 offscreen0\n  start 200000 screen\n"
    "  track fade\n    00:00:000 0 sine\n    00:02:000 1 linear\n    00:29:000 0.1 step\n"
    "    00:29:500 3.4028235e+38 7\n";

TEST(TrackCompilerTest, DumpOfCompiledTimelineCompilesToTheSameBytes) {
  TempDir first, second;
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(first.write("timeline.txt", TIMELINE), first.path() + "/out"))
      << compiler.GetError();
  std::ostringstream dumped;
  ASSERT_TRUE(compiler.Dump(first.path() + "/out", dumped)) << compiler.GetError();
  EXPECT_EQ(DUMPED, dumped.str());
  ASSERT_TRUE(compiler.Compile(second.write("timeline.txt", dumped.str()), second.path() + "/out"));
  for (const char* file : {"/out/index.list", "/out/track.data"})
    EXPECT_EQ(readFile(first.path() + file), readFile(second.path() + file)) << file;
}

// "run 10 20" draws to the screen, which the start keyframe stores as an empty target name. A
// record that the text cannot show (a second start where the stop belongs) fails the dump. A
// track.data that cannot be replaced stops the compile before index.list changes.
TEST(TrackCompilerTest, ScreenTargetIsAnEmptyNameAndFailuresKeepThePreviousPair) {
  TempDir dir;
  const std::string out = dir.path() + "/out/";
  TrackCompiler compiler;
  ASSERT_TRUE(compiler.Compile(dir.write("timeline.txt", "instance fade 3\nrun 10 20\n"), out));
  // One set, its file name, its first record; priority 3, 2 keyframes: a start at 10 with the
  // target "", a stop at 20.
  const std::string index("\1\0\0\0fade.track\0\0\0\0\0", 19);
  std::string data("\3\0\0\0\2\0\0\0\x0a\0\0\0\1\0\0\0\0\x14\0\0\0\0\0\0\0", 25);
  EXPECT_EQ(index + data, readFile(out + "index.list") + readFile(out + "track.data"));
  data[data.size() - 4] = 1;
  dir.write("out/track.data", data + '\0');
  std::ostringstream dumped;
  EXPECT_FALSE(compiler.Dump(out, dumped));
  EXPECT_EQ("Instance 'fade' cannot be written as a timeline: row 20 should hold a stop keyframe",
            compiler.GetError() + dumped.str());
  std::filesystem::remove(out + "track.data");
  std::filesystem::create_directory(out + "track.data");
  EXPECT_FALSE(compiler.Compile(dir.write("timeline.txt", TIMELINE), out));
  EXPECT_EQ(index, readFile(out + "index.list"));
  EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(out), {})) << "a temporary is left";
}

TEST(TrackCompilerTest, CommandLineNamesBadInputOnStandardErrorAndAnswersHelpVersionAndUsage) {
  TempDir dir;
  const std::string d = dir.path() + "/", out = d + "out",
                    typo =
                        dir.write("misspelled.txt",
                                  "instance camera 0\n  track fov\ninstance credit_effect 7\n  track alpha\n"
                                  "instance credits_effect 1\n  track alpha\n  track alhpa\n") +
                        " " + out;
  dir.write("effects.txt", "camera fov\n\ncredits_effect index alpha  # what brinova --list-tracks prints\n");
  dir.write("duplicated.txt", "a\na x\n");
  const std::pair<std::string, std::string> cases[] = {
      {"compile " + d + " " + out, "Cannot read timeline '" + d + "': Is a directory"},
      {"compile --effects " + d + "effects.txt " + typo,
       d + "misspelled.txt:3: no instance 'credit_effect' (instances: camera, credits_effect)\ntrackc: " + d +
           "misspelled.txt:7: 'credits_effect' has no track 'alhpa' (tracks: alpha, index)"},
      {"compile " + typo + " --effects " + d + "duplicated.txt",
       d + "duplicated.txt:2: expected a new instance name, found 'a' again"},
      {"compile --effects " + d + "none " + typo,
       "Cannot read effects list '" + d + "none': No such file or directory"},
      {"dump " + d + "none", "Cannot open track file '" + d + "none/index.list': No such file or directory"}};
  for (const auto& [arguments, error] : cases) {
    EXPECT_EQ("1 |trackc: " + error + "\n", runTool("trackc", arguments).answer());
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
  TempDir dir;
  ToolRun list = runTool("brinova", "--list-tracks");
  ASSERT_EQ(0, list.status) << list.err;
  ToolRun compile =
      runTool("trackc", "compile --effects " + dir.write("names.txt", list.out) +
                            " " KVR_SOURCE_DIR "/resources/tracks/timeline.txt " + dir.path() + "/out");
  EXPECT_EQ("0 |", compile.answer());
}

}  // namespace
