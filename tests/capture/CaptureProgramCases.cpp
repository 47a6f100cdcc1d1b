// The capture program run as its own process (it opens its own window, on its own Xvfb when
// there is no display) over a small test production packed at test time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

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
const std::string kLog = work.path() + "/out.txt";

// The test production's folder, made on first use: its timeline compiled, one shader and four
// seconds of music, packed into resources.7z.
const std::string& production() {
  static TempDir folder;
  [[maybe_unused]] static const bool made = [] {
    TrackCompiler compiler;
    EXPECT_TRUE(compiler.Compile(folder.write("timeline.txt", std::string(kTimeline)),
                                 folder.path() + "/resources/tracks/"))
        << compiler.GetError();
    folder.write("resources/shaders/capture_tint.vert",
                 std::string("void main() { gl_Position = gl_Vertex; }\n"));
    folder.write("resources/shaders/capture_tint.frag",
                 std::string("uniform float red;\nuniform float green;\n"
                             "void main() { gl_FragColor = vec4(red, green, 0.5, 1.0); }\n"));
    AudioFixtures::Tone tone;
    tone.seconds = 4.0;
    EXPECT_TRUE(AudioFixtures::makeMp3(folder.write("resources/sound/tone.mp3", std::string()), tone));
    folder.pack7z("resources.7z", {"resources/tracks", "resources/shaders", "resources/sound/tone.mp3"});
    return true;
  }();
  return folder.path();
}

// Starts the program in `folder` without a display, its output and errors in the log, in a
// process group of its own as a shell starts a command line; with `tmp` as its TMPDIR.
pid_t start(const std::string& arguments, const std::string& folder = production(),
            const std::string& tmp = "") {
  const std::string command = "cd '" + folder + "' && exec env -u DISPLAY " + CAPTURE_TEST_DEMO + " " +
                              arguments + " >'" + kLog + "' 2>&1";
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    if (!tmp.empty()) setenv("TMPDIR", tmp.c_str(), 1);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

int exitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Result {
  int status;
  std::string output;
};

Result capture(const std::string& arguments, const std::string& folder = production()) {
  const int status = exitStatus(start(arguments, folder));
  return {status, readFile(kLog)};
}

// The report's line for frame INDEX as "TIME ROW DELTA: NAME>TARGET[!] ... | GL ERRORS MISSING
// UNIFORMS" ("!" marks a feedback loop), empty when the report has no such frame.
std::string frameSummary(const std::string& report, int index) {
  const size_t at = report.find("{\"index\": " + std::to_string(index) + ",");
  std::string line = at == std::string::npos ? "" : report.substr(at, report.find('\n', at) - at);
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"\\{\"index\": \\d+, \"time\": (\\d+), \"row\": (\\d+), \"delta\": (\\d+), \"instances\": \\[",
            "$1 $2 $3:"},
           {"\\{\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"[^}]*\"feedback\": true\\}(, )?", " $1>$2!"},
           {"\\{\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"[^}]*\\}(, )?", " $1>$2"},
           {"\\], \"gl_errors\": (\\d+), \"missing_uniforms\": (\\d+).*", " | $1 $2"}})
    line = std::regex_replace(line, std::regex(from), to);
  return line;
}

long summaryNumber(const std::string& report, const std::string& key) {
  const std::string summary = report.substr(std::min(report.find("\"summary\""), report.size()));
  std::smatch m;
  return std::regex_search(summary, m, std::regex("\"" + key + "\": ([0-9]+)")) ? std::stol(m[1].str()) : -1;
}

// What the shell command prints on standard output.
std::string shell(const std::string& command) {
  TempDir out;
  std::system((command + " >'" + out.path() + "/out'").c_str());
  return readFile(out.path() + "/out");
}

bool haveCommand(const std::string& name) { return !shell("command -v " + name).empty(); }
bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
// The folder's entries, sorted, one a line.
std::string entries(const std::string& folder) { return shell("ls -A '" + folder + "'"); }

std::vector<pid_t> childrenOf(pid_t parent) {
  std::istringstream list(shell("pgrep -P " + std::to_string(parent)));
  return {std::istream_iterator<pid_t>(list), {}};
}

// ffprobe's values of the entries asked for, one line each.
std::string probe(const std::string& video, const std::string& entries) {
  return shell("ffprobe -v error -of csv=p=0 -show_entries " + entries + " '" + video + "'");
}

double duration(const std::string& video) { return std::atof(probe(video, "format=duration").c_str()); }

// The range runs from 00:00:500 to past the end; the second run also replaces the frame files
// a longer run left, and only those.
TEST(CaptureProgramTest, TwoRunsGiveTheSameFramesAndTheReportAndVideoFollowTheTimeline) {
  const bool video = haveCommand("ffprobe");
  const std::string first = work.path() + "/first", second = work.path() + "/second",
                    report = work.path() + "/r.json";
  work.write("second/frame_000099.png", std::string("old frame"));
  work.write("second/notes.txt", std::string("kept"));
  const std::string options = "--size 320x180 --fps 20 --from 00:00:500 --to 05:00:000 --frames ";
  Result a = capture(options + "'" + first + "' --quiet --report '" + report + "'" +
                     (video ? " --video '" + work.path() + "/v.mp4'" : ""));
  ASSERT_EQ(0, a.status) << a.output;
  EXPECT_PRED2(has, a.output, "No display: rendering on a private Xvfb screen :");
  EXPECT_PRED2(has, a.output,
               "capture_test_demo: warning: --to 05:00:000 lies after the end of the demo (00:03:000); "
               "capturing up to the end\n");
  Result b = capture(options + "'" + second + "' --overwrite");
  ASSERT_EQ(0, b.status) << b.output;
  // Not a terminal: the progress is a line for each tenth, no carriage returns.
  const std::regex progressLine("\\] \\d+/50 frames");
  EXPECT_EQ(10, std::distance(std::sregex_iterator(b.output.begin(), b.output.end(), progressLine), {}));
  EXPECT_TRUE(has(b.output, "] 50/50 frames") && !has(b.output, "\r")) << b.output;
  EXPECT_EQ("Only in " + second + ": notes.txt\n", shell("diff -r '" + first + "' '" + second + "'"));
  EXPECT_EQ("50\n", shell("ls '" + first + "' | wc -l"));
  EXPECT_LT(10, std::stoi(shell("md5sum '" + first + "'/* | cut -c1-32 | sort -u | wc -l")))
      << "the frames should follow the time";
  // The window is the capture's size, not the 1280 x 768 the production asks for.
  EXPECT_EQ(std::string("\0\0\1\x40\0\0\0\xb4", 8),
            readFile(first + "/" + PngFrameWriter::fileName(0)).substr(16, 8));

  const std::string text = readFile(report);
  const std::string tint = " tint_effect>offscreen", present = " present_effect>screen",
                    wrong = " wrong_uniform_effect>screen", feedback = " feedback_effect>offscreen!";
  const std::pair<int, std::string> frames[] = {
      {0, "500 10 50:" + tint + present + wrong + " | 0 1"},
      {10, "1000 20 50:" + tint + present + wrong + feedback + " | 0 1"},
      {21, "1550 31 50:" + present + " | 0 0"},
      {49, "2950 59 50: | 0 0"},
      {50, ""},
  };
  for (const auto& [index, expected] : frames) EXPECT_EQ(expected, frameSummary(text, index)) << index;
  EXPECT_EQ(50, summaryNumber(text, "frames"));
  EXPECT_PRED2(has, text,
               "{\"name\": \"wrong_uniform_effect\", \"frames_active\": 11, \"first_active_ms\": 500, "
               "\"last_active_ms\": 1000");
  EXPECT_EQ(0, summaryNumber(text, "gl_errors"));
  EXPECT_EQ(11, summaryNumber(text, "missing_uniforms"));  // rows 10 to 20

  EXPECT_EQ(5, summaryNumber(text, "feedback_loops"));  // rows 20 to 24
  // The counts hold with Mesa's GL driver on its own thread, which the capture asks for.
  EXPECT_PRED2(has, text, "\"mesa_glthread\": true}");
  if (!video) return;
  EXPECT_EQ("h264,video\naac,audio\n", probe(work.path() + "/v.mp4", "stream=codec_name,codec_type"));
  EXPECT_NEAR(2.5, duration(work.path() + "/v.mp4"), 1.0 / 20);
}

// Ctrl-C (sent to the whole group, as a terminal does), SIGTERM, Escape in the window and a
// lost X server each end the capture with their own status and reason in the report, a video
// of the frames written, no process left and nothing in TMPDIR.
TEST(CaptureProgramTest, InterruptionsEndTheCaptureWithMarkedOutputsAndNothingLeft) {
  const bool encoder = haveCommand("ffmpeg") && haveCommand("ffprobe"), keys = haveCommand("xdotool");
  enum Stop { CTRL_C, TERM, ESCAPE, SERVER };
  const std::tuple<Stop, int, const char*> cases[] = {
      {CTRL_C, 130, "\"interrupted\", \"reason\": \"stopped by SIGINT\""},
      {TERM, 143, "\"interrupted\", \"reason\": \"stopped by SIGTERM\""},
      {ESCAPE, 1, "\"interrupted\", \"reason\": \"stopped by Escape\""},
      {SERVER, 1, "\"failed\", \"reason\": \"the X server went away\""}};
  for (const auto& [stop, status, ending] : cases) {
    if (stop == ESCAPE && !keys) continue;
    TempDir tmp, out;
    const std::string folder = out.path() + "/f", video = out.path() + "/v.mp4";
    const pid_t pid = start("--fps 1000 --size 320x180 --frames '" + folder + "' --report '" + out.path() +
                                "/r.json'" + (encoder ? " --video '" + video + "'" : ""),
                            production(), tmp.path());
    for (int waited = 0; waited < 60000 && !std::filesystem::exists(folder + "/frame_000010.png");
         waited += 20)
      usleep(20 * 1000);
    const std::vector<pid_t> children = childrenOf(pid);
    EXPECT_EQ(encoder ? 2u : 1u, children.size()) << "Xvfb and ffmpeg";
    std::smatch display;
    const std::string started = readFile(kLog);
    if (stop == ESCAPE && std::regex_search(started, display, std::regex("Xvfb screen (:[0-9]+)")))
      std::system(("DISPLAY=" + display[1].str() + " xdotool mousemove 5 5 key Escape").c_str());
    for (pid_t child : children)
      if (stop == SERVER && readFile("/proc/" + std::to_string(child) + "/comm") == "Xvfb\n")
        kill(child, SIGKILL);
    if (stop == CTRL_C || stop == TERM) kill(stop == CTRL_C ? -pid : pid, stop == CTRL_C ? SIGINT : SIGTERM);
    EXPECT_EQ(status, exitStatus(pid)) << readFile(kLog);
    const std::string report = readFile(out.path() + "/r.json");
    EXPECT_PRED2(has, report, "\"status\": " + std::string(ending));
    const long frames = summaryNumber(report, "frames");
    EXPECT_GT(frames, 10);
    for (pid_t child : children) EXPECT_TRUE(kill(child, 0) == -1 && errno == ESRCH) << child << " is left";
    EXPECT_EQ("", entries(tmp.path()));
    EXPECT_EQ(encoder ? "f\nr.json\nv.mp4\n" : "f\nr.json\n", entries(out.path()));
    if (!encoder) continue;
    // The music is cut with the frames (to within a few of its packets), not left at the range's 3 s.
    EXPECT_EQ(std::to_string(frames) + "\n", probe(video, "stream=nb_frames -select_streams v"));
    EXPECT_NEAR(frames / 1000.0, duration(video), 0.1);
  }
}

// Bad options, unusable outputs and a range outside the demo stop the capture before the demo
// loads; a demo that fails to load leaves the outputs as they were.
TEST(CaptureProgramTest, OptionsOutputsAndRangeAreCheckedBeforeLoadingAndAFailedRunKeepsTheOldReport) {
  const std::string old = work.write("old/r.json", std::string("old report")),
                    framed = work.path() + "/framed", missing = work.path() + "/missing",
                    usage = "Usage: capture_test_demo [--size WxH]";
  work.write("framed/frame_000000.png", std::string("old frame"));
  TempDir empty;
  const std::tuple<std::string, int, std::string> cases[] = {
      {"--quiet", 2, usage},
      {"--report '" + missing + "/r.json'", 1,
       "capture_test_demo: --report: cannot write '" + missing + "/r.json'"},
      {"--frames '" + framed + "'", 1,
       "capture_test_demo: --frames: '" + framed +
           "' already holds frame files; give --overwrite to replace them"},
      {"--from 00:03:000 --report '" + old + "'", 2,
       "capture_test_demo: --from 00:03:000 lies at or after the end of the demo (00:03:000)"},
  };
  for (const auto& [arguments, status, message] : cases) {
    Result run = capture(arguments);
    EXPECT_EQ(status, run.status) << arguments;
    EXPECT_PRED2(has, run.output, message);
    EXPECT_FALSE(has(run.output, "[Creating DataPools]")) << arguments;
  }
  Result unloadable = capture("--report '" + old + "'", empty.path());
  EXPECT_EQ(1, unloadable.status);
  EXPECT_PRED2(
      has, unloadable.output,
      "capture_test_demo: The demo failed to load; no frame was captured, the outputs are as they were");
  EXPECT_EQ("old report", readFile(old));
  EXPECT_EQ("old frame", readFile(framed + "/frame_000000.png"));
}

}  // namespace
