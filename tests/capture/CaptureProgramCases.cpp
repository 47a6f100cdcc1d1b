// The capture program run as its own process (it opens its own window, on its own Xvfb when
// there is no display) over a small test production packed at test time.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <string>
#include <tuple>

#include "capture/PngFrameWriter.h"
#include "support/AudioFixtures.h"
#include "support/TempDir.h"
#include "trackc/TrackCompiler.h"

namespace {

const char* const kTimeline =
    "instance tint_effect 0\n  run 00:00:000 00:01:500 offscreen\n  track green\n    00:00:000 0\n"
    "    00:02:000 1\ninstance present_effect 1\n  run 00:00:000 00:02:500\n"
    "instance wrong_uniform_effect 2\n  run 00:00:500 00:01:000\n"
    "instance feedback_effect 3\n  run 00:01:000 00:01:200 offscreen\n";

TempDir work;
const std::string kLog = work.path() + "/out.txt", kReport = work.path() + "/r.json";

// The test production's folder, made on first use: its timeline compiled, one shader and four
// seconds of music, packed into resources.7z.
const std::string& production() {
  static TempDir folder;
  [[maybe_unused]] static const bool made = [] {
    TrackCompiler compiler;
    EXPECT_TRUE(
        compiler.Compile(folder.write("timeline.txt", kTimeline), folder.path() + "/resources/tracks/"))
        << compiler.GetError();
    folder.write("resources/shaders/capture_tint.vert", "void main() { gl_Position = gl_Vertex; }");
    folder.write("resources/shaders/capture_tint.frag",
                 "uniform float red, green;\nvoid main() { gl_FragColor = vec4(red, green, 0.5, 1); }");
    EXPECT_TRUE(
        AudioFixtures::makeMp3(folder.write("resources/sound/tone.mp3", ""), AudioFixtures::Tone{4.0}));
    folder.pack7z("resources.7z", {"resources/tracks", "resources/shaders", "resources/sound/tone.mp3"});
    return true;
  }();
  return folder.path();
}

// What the shell command prints on standard output.
std::string shell(const std::string& command) {
  TempDir out;
  std::system(("{ " + command + "; } >'" + out.path() + "/out'").c_str());
  return readFile(out.path() + "/out");
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Starts the program in `folder` without a display, its output and errors in the log, in a
// process group of its own as a shell starts a command line; with `tmp` as its TMPDIR.
pid_t start(const std::string& arguments, const std::string& folder = production(),
            const std::string& tmp = "") {
  const std::string command = "cd '" + folder + "' && exec env -u DISPLAY " +
                              (tmp.empty() ? "" : "TMPDIR='" + tmp + "' ") + CAPTURE_TEST_DEMO + " " +
                              arguments + " >'" + kLog + "' 2>&1";
  const pid_t pid = fork();
  if (pid == 0 && setpgid(0, 0) == 0)
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
  if (pid == 0) _exit(127);
  return pid;
}

struct Ended {
  int status;
  std::string log, report;
};

// Waits for the program to end and reads its log and the report at kReport.
Ended finish(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(kLog), readFile(kReport)};
}

// The report's line for frame INDEX as "TIME ROW DELTA: NAME>TARGET[!] ... | GL ERRORS MISSING
// UNIFORMS" ("!" marks a feedback loop), empty when the report has no such frame.
std::string frameSummary(const std::string& report, int index) {
  const size_t at = report.find("{\"index\": " + std::to_string(index) + ",");
  std::string line = at == std::string::npos ? "" : report.substr(at, report.find('\n', at) - at);
  const char* const rewrites[][2] = {
      {".*\"time\": (\\d+), \"row\": (\\d+), \"delta\": (\\d+), \"instances\": \\[", "$1 $2 $3:"},
      {"\\{\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"[^}]*\"feedback\": true\\}(, )?", " $1>$2!"},
      {"\\{\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"[^}]*\\}(, )?", " $1>$2"},
      {"\\], \"gl_errors\": (\\d+), \"missing_uniforms\": (\\d+).*", " | $1 $2"}};
  for (const auto& [from, to] : rewrites) line = std::regex_replace(line, std::regex(from), to);
  return line;
}

long summaryNumber(const std::string& report, const std::string& key) {
  const std::string summary = report.substr(std::min(report.find("\"summary\""), report.size()));
  std::smatch m;
  return std::regex_search(summary, m, std::regex("\"" + key + "\": ([0-9]+)")) ? std::stol(m[1].str()) : -1;
}

// ffprobe's values of the streams asked for, one line each, and the file's duration.
std::pair<std::string, double> probe(const std::string& video, const std::string& entries) {
  const std::string text =
      shell("ffprobe -v error -of csv=p=0 " + entries + ":format=duration '" + video + "'");
  const size_t last = text.rfind('\n', text.size() - 2) + 1;
  return {text.substr(0, last), std::atof(text.c_str() + last)};
}

// The range runs from 00:00:500 to past the end; the second run also replaces the frame files
// a longer run left, and only those.
TEST(CaptureProgramTest, TwoRunsGiveTheSameFramesAndTheReportAndVideoFollowTheTimeline) {
  const bool video = !shell("command -v ffprobe").empty();
  const std::string first = work.path() + "/first", second = work.path() + "/second",
                    mp4 = work.path() + "/v.mp4";
  work.write("second/frame_000099.png", "old frame");
  work.write("second/notes.txt", "kept");
  const std::string options = "--size 320x180 --fps 20 --from 00:00:500 --to 05:00:000 --frames ";
  Ended a = finish(start(options + "'" + first + "' --quiet --report '" + kReport + "'" +
                         (video ? " --video '" + mp4 + "'" : "")));
  ASSERT_EQ(0, a.status) << a.log;
  EXPECT_PRED2(has, a.log, "No display: rendering on a private Xvfb screen :");
  EXPECT_PRED2(has, a.log,
               "capture_test_demo: warning: --to 05:00:000 lies after the end of the demo (00:03:000); "
               "capturing up to the end\n");
  Ended b = finish(start(options + "'" + second + "' --overwrite"));
  ASSERT_EQ(0, b.status) << b.log;
  // Not a terminal: the progress is a line for each tenth, no carriage returns.
  EXPECT_EQ("10\n", shell("grep -c '\\] [0-9]*/50 frames' '" + kLog + "'"));
  EXPECT_TRUE(has(b.log, "] 50/50 frames") && !has(b.log, "\r")) << b.log;
  EXPECT_EQ("Only in " + second + ": notes.txt\n", shell("diff -r '" + first + "' '" + second + "'"));
  // More than ten different frames: they follow the time.
  EXPECT_GT(std::stoi(shell("md5sum '" + first + "'/* | cut -c1-32 | sort -u | wc -l")), 10);
  // The window is the capture's size, not the 1280 x 768 the production asks for.
  EXPECT_EQ(std::string("\0\0\1\x40\0\0\0\xb4", 8),
            readFile(first + "/" + PngFrameWriter::fileName(0)).substr(16, 8));

  const std::string tint = " tint_effect>offscreen", present = " present_effect>screen",
                    wrong = " wrong_uniform_effect>screen", feedback = " feedback_effect>offscreen!";
  const std::pair<int, std::string> frames[] = {
      {0, "500 10 50:" + tint + present + wrong + " | 0 1"},
      {10, "1000 20 50:" + tint + present + wrong + feedback + " | 0 1"},
      {21, "1550 31 50:" + present + " | 0 0"},
      {49, "2950 59 50: | 0 0"},
      {50, ""}};
  for (const auto& [index, expected] : frames) EXPECT_EQ(expected, frameSummary(a.report, index)) << index;
  EXPECT_PRED2(
      has, a.report,
      "wrong_uniform_effect\", \"frames_active\": 11, \"first_active_ms\": 500, \"last_active_ms\": 1000");
  // Missing uniforms in rows 10 to 20, feedback in rows 20 to 24.
  const std::pair<const char*, long> summary[] = {
      {"frames", 50}, {"gl_errors", 0}, {"missing_uniforms", 11}, {"feedback_loops", 5}};
  for (const auto& [key, value] : summary) EXPECT_EQ(value, summaryNumber(a.report, key)) << key;
  // The counts hold with Mesa's GL driver on its own thread, which the capture asks for.
  EXPECT_PRED2(has, a.report, "\"mesa_glthread\": true}");
  if (!video) return;
  const auto [streams, seconds] = probe(mp4, "-show_entries stream=codec_name,codec_type");
  EXPECT_EQ("h264,video\naac,audio\n", streams);
  EXPECT_NEAR(2.5, seconds, 1.0 / 20);
}

// Ctrl-C (sent to the whole group, as a terminal does), SIGTERM, Escape in the window and a
// lost X server each end the capture with their own status and reason in the report, a video
// of the frames written, no process left and nothing in TMPDIR.
TEST(CaptureProgramTest, InterruptionsEndTheCaptureWithMarkedOutputsAndNothingLeft) {
  const bool encoder = !shell("command -v ffmpeg && command -v ffprobe").empty(),
             keys = !shell("command -v xdotool").empty();
  // $P is the program, $D its display.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"kill -INT -$P", 130, "interrupted\", \"reason\": \"stopped by SIGINT"},
      {"kill -TERM $P", 143, "interrupted\", \"reason\": \"stopped by SIGTERM"},
      {"DISPLAY=$D xdotool mousemove 5 5 key Escape", 1, "interrupted\", \"reason\": \"stopped by Escape"},
      {"kill -KILL $(pgrep -x -P $P Xvfb)", 1, "failed\", \"reason\": \"the X server went away"}};
  for (const auto& [stop, status, ending] : cases) {
    if (has(stop, "xdotool") && !keys) continue;
    TempDir tmp, out;
    const std::string video = out.path() + "/v.mp4";
    const pid_t pid = start("--fps 1000 --size 320x180 --frames '" + out.path() + "/f' --report '" + kReport +
                                "'" + (encoder ? " --video '" + video + "'" : ""),
                            production(), tmp.path());
    const std::string p = "P=" + std::to_string(pid) + "; ";
    const std::string children =
        shell(p + "timeout 60 sh -c 'until [ -e " + out.path() +
              "/f/frame_000010.png ]; do sleep 0.02; done'; pgrep -P $P | tr '\\n' ' '");
    EXPECT_EQ(encoder ? 2 : 1, std::count(children.begin(), children.end(), ' ')) << "Xvfb and ffmpeg";
    shell(p + "D=$(sed -n 's/.*Xvfb screen \\(:[0-9]*\\).*/\\1/p' '" + kLog + "'); " + stop);
    Ended run = finish(pid);
    EXPECT_EQ(status, run.status) << run.log;
    EXPECT_PRED2(has, run.report.substr(0, 120), "\"status\": \"" + std::string(ending) + "\"");
    const long frames = summaryNumber(run.report, "frames");
    EXPECT_GT(frames, 10);
    EXPECT_EQ("", shell("for c in " + children + "; do kill -0 $c 2>/dev/null && echo $c is left; done"));
    EXPECT_EQ("", shell("ls -A '" + tmp.path() + "'"));
    EXPECT_EQ(encoder ? "f\nv.mp4\n" : "f\n", shell("ls -A '" + out.path() + "'"));
    if (!encoder) continue;
    // The music is cut with the frames (to within a few of its packets), not left at the range's 3 s.
    const auto [counted, seconds] = probe(video, "-select_streams v -show_entries stream=nb_frames");
    EXPECT_EQ(std::to_string(frames) + "\n", counted);
    EXPECT_NEAR(frames / 1000.0, seconds, 0.1);
  }
}

// Bad options, unusable outputs and a range outside the demo stop the capture before the demo
// loads; a demo that fails to load leaves the outputs as they were.
TEST(CaptureProgramTest, OptionsOutputsAndRangeAreCheckedBeforeLoadingAndAFailedRunKeepsTheOldReport) {
  const std::string framed = work.path() + "/framed", missing = work.path() + "/missing";
  work.write("r.json", "old report");
  work.write("framed/frame_000000.png", "old frame");
  const std::tuple<std::string, int, std::string> cases[] = {
      {"--quiet", 2, "Usage: capture_test_demo [--size WxH]"},
      {"--report '" + missing + "/r.json'", 1,
       "capture_test_demo: --report: cannot write '" + missing + "/r.json'"},
      {"--frames '" + framed + "'", 1,
       "capture_test_demo: --frames: '" + framed +
           "' already holds frame files; give --overwrite to replace them"},
      {"--from 00:03:000 --report '" + kReport + "'", 2,
       "capture_test_demo: --from 00:03:000 lies at or after the end of the demo (00:03:000)"}};
  for (const auto& [arguments, status, message] : cases) {
    Ended run = finish(start(arguments));
    EXPECT_EQ(status, run.status) << arguments;
    EXPECT_PRED2(has, run.log, message);
    EXPECT_FALSE(has(run.log, "[Creating DataPools]")) << arguments;
  }
  TempDir empty;
  Ended unloadable = finish(start("--report '" + kReport + "'", empty.path()));
  EXPECT_EQ(1, unloadable.status);
  EXPECT_PRED2(
      has, unloadable.log,
      "capture_test_demo: The demo failed to load; no frame was captured, the outputs are as they were");
  EXPECT_EQ("old report", unloadable.report);
  EXPECT_EQ("old frame", readFile(framed + "/frame_000000.png"));
}

}  // namespace
