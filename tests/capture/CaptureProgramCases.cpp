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

namespace fs = std::filesystem;

namespace {

const char* const kTimeline =
    "instance tint_effect 0\n  run 00:00:000 00:01:500 offscreen\n  track green\n    00:00:000 0\n"
    "    00:02:000 1\ninstance present_effect 1\n  run 00:00:000 00:02:500\n"
    "instance wrong_uniform_effect 2\n  run 00:00:500 00:01:000\n"
    "instance feedback_effect 3\n  run 00:01:000 00:01:200 offscreen\n";

struct Result {
  int status = -1;
  std::string output;
};

TempDir work;
std::string log() { return work.path() + "/out.txt"; }

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
    fs::create_directories(folder.path() + "/resources/sound");
    EXPECT_TRUE(AudioFixtures::makeMp3(folder.path() + "/resources/sound/tone.mp3", tone));
    folder.pack7z("resources.7z", {"resources/tracks/index.list", "resources/tracks/track.data",
                                   "resources/shaders/capture_tint.vert",
                                   "resources/shaders/capture_tint.frag", "resources/sound/tone.mp3"});
    return true;
  }();
  return folder.path();
}

// The program's command line, run in `folder` without a display; output and errors together.
std::string commandLine(const std::string& arguments, const std::string& folder = production()) {
  return "cd '" + folder + "' && exec env -u DISPLAY " + CAPTURE_TEST_DEMO + " " + arguments + " >'" + log() +
         "' 2>&1";
}

Result capture(const std::string& arguments, const std::string& folder = production()) {
  const int status = std::system(commandLine(arguments, folder).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(log())};
}

// Started in a process group of its own, as a shell starts a command line, with a private
// TMPDIR; returns once frame 10 is on disk, or the program has ended.
pid_t startCapture(const std::string& arguments, const std::string& tmp, const std::string& frames) {
  const std::string command = commandLine("--fps 1000 --size 320x180 --frames '" + frames + "' " + arguments);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    setenv("TMPDIR", tmp.c_str(), 1);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int waited = 0; waited < 60000 && !fs::exists(frames + "/frame_000010.png"); waited += 20)
    if (waitpid(pid, nullptr, WNOHANG) == 0) usleep(20 * 1000);
  return pid;
}

int exitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// "TIME ROW DELTA: NAME>TARGET[!] ... | GL ERRORS MISSING UNIFORMS" for the report's frame INDEX
// ("!" marks a feedback loop), empty when the report has no such frame.
std::string frameSummary(const std::string& report, int index) {
  std::smatch m;
  if (!std::regex_search(report, m,
                         std::regex("\\{\"index\": " + std::to_string(index) +
                                    ", \"time\": (\\d+), \"row\": (\\d+), \"delta\": (\\d+), ([^\\n]*)")))
    return "";
  std::string out = m[1].str() + " " + m[2].str() + " " + m[3].str() + ":";
  const std::string rest = m[4].str();
  std::regex instance("\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"[^}]*\"feedback\": (true|false)");
  for (std::sregex_iterator it(rest.begin(), rest.end(), instance), end; it != end; ++it)
    out += " " + (*it)[1].str() + ">" + (*it)[2].str() + ((*it)[3] == "true" ? "!" : "");
  std::regex_search(rest, m, std::regex("\\], \"gl_errors\": (\\d+), \"missing_uniforms\": (\\d+)"));
  return out + " | " + m[1].str() + " " + m[2].str();
}

long summaryNumber(const std::string& report, const std::string& key) {
  const size_t summary = report.find("\"summary\"");
  std::smatch match;
  const std::string tail = report.substr(summary == std::string::npos ? 0 : summary);
  if (!std::regex_search(tail, match, std::regex("\"" + key + "\": ([0-9]+)"))) return -1;
  return std::stol(match[1].str());
}

// What the shell command prints on standard output.
std::string shell(const std::string& command) {
  TempDir out;
  std::system((command + " >'" + out.path() + "/out'").c_str());
  return readFile(out.path() + "/out");
}

bool haveCommand(const std::string& name) { return !shell("command -v " + name).empty(); }
bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool alive(pid_t pid) { return kill(pid, 0) == 0 || errno != ESRCH; }
// The folder's entries, sorted, one a line.
std::string entries(const std::string& folder) { return shell("ls -A '" + folder + "'"); }

std::vector<pid_t> childrenOf(pid_t parent) {
  std::istringstream list(shell("pgrep -P " + std::to_string(parent)));
  return {std::istream_iterator<pid_t>(list), {}};
}

// ffprobe's "key=value" lines for the entries asked for, and the duration among them.
std::string probe(const std::string& video, const std::string& entries) {
  return shell("ffprobe -v error -show_entries " + entries + " -of default=noprint_wrappers=1 '" + video +
               "'");
}

double duration(const std::string& probed) {
  std::smatch match;
  return std::regex_search(probed, match, std::regex("duration=([0-9.]+)")) ? std::stod(match[1].str())
                                                                            : -1.0;
}

TEST(CaptureProgramTest, TwoRunsGiveTheSameFramesAndTheReportAndVideoFollowTheTimeline) {
  const bool video = haveCommand("ffprobe");
  const std::string first = work.path() + "/first", second = work.path() + "/second",
                    report = work.path() + "/r.json";
  const std::string options = "--size 320x180 --fps 20 --to 00:02:000 --frames ";
  Result a = capture(options + "'" + first + "' --quiet --report '" + report + "'" +
                     (video ? " --video '" + work.path() + "/v.mp4'" : ""));
  ASSERT_EQ(0, a.status) << a.output;
  EXPECT_PRED2(has, a.output, "No display: rendering on a private Xvfb screen :");
  Result b = capture(options + "'" + second + "'");
  ASSERT_EQ(0, b.status) << b.output;
  // Not a terminal: the progress is a line for each tenth, no carriage returns.
  EXPECT_PRED2(has, b.output, "] 40/40 frames");
  EXPECT_FALSE(has(b.output, "\r"));
  EXPECT_EQ("", shell("diff -r '" + first + "' '" + second + "'"));
  EXPECT_EQ("40\n", shell("ls '" + first + "' | wc -l"));
  EXPECT_LT(10, std::stoi(shell("md5sum '" + first + "'/* | cut -c1-32 | sort -u | wc -l")))
      << "the frames should follow the time";
  // The window is the capture's size, not the 1280 x 768 the production asks for.
  EXPECT_EQ(std::string("\0\0\1\x40\0\0\0\xb4", 8),
            readFile(first + "/" + PngFrameWriter::fileName(0)).substr(16, 8));

  const std::string text = readFile(report);
  const std::string tint = " tint_effect>offscreen", present = " present_effect>screen",
                    wrong = " wrong_uniform_effect>screen", feedback = " feedback_effect>offscreen!";
  const std::pair<int, std::string> frames[] = {
      {0, "0 0 50:" + tint + present + " | 0 0"},
      {9, "450 9 50:" + tint + present + " | 0 0"},
      {10, "500 10 50:" + tint + present + wrong + " | 0 1"},
      {20, "1000 20 50:" + tint + present + wrong + feedback + " | 0 1"},
      {22, "1100 22 50:" + tint + present + feedback + " | 0 0"},
      {25, "1250 25 50:" + tint + present + " | 0 0"},
      {30, "1500 30 50:" + tint + present + " | 0 0"},
      {31, "1550 31 50:" + present + " | 0 0"},
      {39, "1950 39 50:" + present + " | 0 0"},
      {40, ""},
  };
  for (const auto& [index, expected] : frames) EXPECT_EQ(expected, frameSummary(text, index)) << index;
  EXPECT_EQ(40, summaryNumber(text, "frames"));
  EXPECT_PRED2(has, text,
               "{\"name\": \"wrong_uniform_effect\", \"frames_active\": 11, \"first_active_ms\": 500, "
               "\"last_active_ms\": 1000");
  EXPECT_EQ(0, summaryNumber(text, "gl_errors"));
  EXPECT_EQ(11, summaryNumber(text, "missing_uniforms"));  // rows 10 to 20

  EXPECT_EQ(5, summaryNumber(text, "feedback_loops"));  // rows 20 to 24
  EXPECT_PRED2(has, a.output, "Error: Uniform variable 'gren' not found!");
  // The counts hold with Mesa's GL driver on its own thread, which the capture asks for.
  EXPECT_PRED2(has, text, "\"mesa_glthread\": true}");
  if (!video) return;
  const std::string probed = probe(work.path() + "/v.mp4", "format=duration:stream=codec_type,codec_name");
  EXPECT_PRED2(has, probed, "codec_name=h264");
  EXPECT_PRED2(has, probed, "codec_type=audio");
  EXPECT_NEAR(2.0, duration(probed), 1.0 / 20) << probed;
}

// Ctrl-C (sent to the whole group, as a terminal does), SIGTERM, Escape in the window and a
// lost X server each end the capture with their own status and reason in the report, a video
// of the frames written, no process left and nothing in TMPDIR.
TEST(CaptureProgramTest, InterruptionsEndTheCaptureWithMarkedOutputsAndNothingLeft) {
  const bool video = haveCommand("ffmpeg") && haveCommand("ffprobe"), keys = haveCommand("xdotool");
  enum Stop { CTRL_C, TERM, ESCAPE, SERVER };
  const std::tuple<Stop, int, const char*> cases[] = {
      {CTRL_C, 130, "\"interrupted\", \"reason\": \"stopped by SIGINT\""},
      {TERM, 143, "\"interrupted\", \"reason\": \"stopped by SIGTERM\""},
      {ESCAPE, 1, "\"interrupted\", \"reason\": \"stopped by Escape\""},
      {SERVER, 1, "\"failed\", \"reason\": \"the X server went away\""}};
  for (const auto& [stop, status, ending] : cases) {
    if (stop == ESCAPE && !keys) continue;
    TempDir tmp, out;
    const pid_t pid = startCapture(
        "--report '" + out.path() + "/r.json'" + (video ? " --video '" + out.path() + "/v.mp4'" : ""),
        tmp.path(), out.path() + "/f");
    const std::vector<pid_t> children = childrenOf(pid);
    EXPECT_EQ(video ? 2u : 1u, children.size()) << "Xvfb and ffmpeg";
    std::smatch display;
    const std::string started = readFile(log());
    if (stop == ESCAPE && std::regex_search(started, display, std::regex("Xvfb screen (:[0-9]+)")))
      std::system(("DISPLAY=" + display[1].str() + " xdotool mousemove 5 5 key Escape").c_str());
    for (pid_t child : children)
      if (stop == SERVER && readFile("/proc/" + std::to_string(child) + "/comm") == "Xvfb\n")
        kill(child, SIGKILL);
    if (stop == CTRL_C || stop == TERM) kill(stop == CTRL_C ? -pid : pid, stop == CTRL_C ? SIGINT : SIGTERM);
    EXPECT_EQ(status, exitStatus(pid)) << readFile(log());
    const std::string report = readFile(out.path() + "/r.json");
    EXPECT_PRED2(has, report, "\"status\": " + std::string(ending));
    const long frames = summaryNumber(report, "frames");
    EXPECT_GT(frames, 10);
    for (pid_t child : children) EXPECT_FALSE(alive(child)) << child;
    EXPECT_EQ("", entries(tmp.path()));
    EXPECT_EQ(video ? "f\nr.json\nv.mp4\n" : "f\nr.json\n", entries(out.path()));
    if (!video) continue;
    // The music is cut with the frames (to within a few of its packets), not left at the range's 3 s.
    const std::string probed =
        probe(out.path() + "/v.mp4", "stream=nb_frames:format=duration -select_streams v");
    EXPECT_PRED2(has, probed, "nb_frames=" + std::to_string(frames) + "\n") << stop;
    EXPECT_NEAR(frames / 1000.0, duration(probed), 0.1) << probed;
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
      {"--fps ten", 2, usage},
      {"--quiet", 2, usage},
      {"--report '" + missing + "/r.json'", 1,
       "capture_test_demo: --report: cannot write '" + missing + "/r.json' (folder '" + missing +
           "': No such file or directory)"},
      {"--report /sys/r.json", 1, "capture_test_demo: --report: cannot write '/sys/r.json' (folder '/sys': "},
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

TEST(CaptureProgramTest, ARangePastTheEndIsCutWithAWarningAndOverwriteReplacesOnlyOldFrames) {
  const std::string frames = work.path() + "/overwritten";
  work.write("overwritten/frame_000099.png", std::string("old frame"));
  work.write("overwritten/notes.txt", std::string("kept"));
  Result run =
      capture("--quiet --fps 20 --from 00:02:500 --to 05:00:000 --overwrite --frames '" + frames + "'");
  ASSERT_EQ(0, run.status) << run.output;
  EXPECT_PRED2(
      has, run.output,
      "capture_test_demo: warning: --to 05:00:000 lies after the end of the demo (00:03:000); capturing "
      "up to the end\n");
  std::string expected;
  for (uint32_t i = 0; i < 10; ++i) expected += PngFrameWriter::fileName(i) + "\n";
  expected += "notes.txt\n";
  EXPECT_EQ(expected, entries(frames));
}

}  // namespace
