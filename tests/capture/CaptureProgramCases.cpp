// The capture program run as its own process (it opens its own window, on its own Xvfb when
// there is no display) over a small test production packed at test time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "capture/PngFrameWriter.h"
#include "support/AudioFixtures.h"
#include "support/TempDir.h"
#include "trackc/TrackCompiler.h"

namespace fs = std::filesystem;

namespace {

const char* const kTimeline =
    "instance tint_effect 0\n"
    "  run 00:00:000 00:01:500 offscreen\n"
    "  track green\n"
    "    00:00:000 0\n"
    "    00:02:000 1\n"
    "instance present_effect 1\n"
    "  run 00:00:000 00:02:500\n"
    "instance wrong_uniform_effect 2\n"
    "  run 00:00:500 00:01:000\n"
    "instance feedback_effect 3\n"
    "  run 00:01:000 00:01:200 offscreen\n";

const char* const kVertexShader =
    "void main() {\n"
    "  gl_Position = ftransform();\n"
    "}\n";

const char* const kFragmentShader =
    "uniform float red;\n"
    "uniform float green;\n"
    "void main() {\n"
    "  gl_FragColor = vec4(red, green, 0.5, 1.0);\n"
    "}\n";

struct Result {
  int status = -1;
  std::string output;
};

class CaptureProgramTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    production = new TempDir();
    const std::string tracks = production->path() + "/resources/tracks/";
    const std::string timeline = production->write("timeline.txt", std::string(kTimeline));
    TrackCompiler compiler;
    ASSERT_TRUE(compiler.Compile(timeline, tracks)) << compiler.GetError();
    production->write("resources/shaders/capture_tint.vert", std::string(kVertexShader));
    production->write("resources/shaders/capture_tint.frag", std::string(kFragmentShader));
    AudioFixtures::Tone tone;
    tone.seconds = 4.0;
    fs::create_directories(production->path() + "/resources/sound");
    ASSERT_TRUE(AudioFixtures::makeMp3(production->path() + "/resources/sound/tone.mp3", tone));
    production->pack7z("resources.7z", {"resources/tracks/index.list", "resources/tracks/track.data",
                                        "resources/shaders/capture_tint.vert",
                                        "resources/shaders/capture_tint.frag", "resources/sound/tone.mp3"});
  }

  static void TearDownTestSuite() {
    delete production;
    production = nullptr;
  }

  // The program's command line, run in `folder` without a display; output and errors together.
  static std::string commandLine(const std::string& arguments,
                                 const std::string& folder = production->path()) {
    return "cd '" + folder + "' && exec env -u DISPLAY " + CAPTURE_TEST_DEMO + " " + arguments + " >'" +
           log() + "' 2>&1";
  }

  static Result capture(const std::string& arguments, const std::string& folder = production->path()) {
    Result result;
    const int status = std::system(commandLine(arguments, folder).c_str());
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.output = readFile(log());
    return result;
  }

  // Started in a process group of its own, as a shell starts a command line, with a private
  // TMPDIR; returns once frame 10 is on disk, or the program has ended.
  static pid_t startCapture(const std::string& arguments, const std::string& tmp, const std::string& frames) {
    const std::string command =
        commandLine("--fps 1000 --size 320x180 --frames '" + frames + "' " + arguments);
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

  static int exitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static std::string log() { return work.path() + "/out.txt"; }

  static TempDir* production;
  static TempDir work;
};

TempDir* CaptureProgramTest::production = nullptr;
TempDir CaptureProgramTest::work;

// The report's line for the frame with this index, empty when missing.
std::string frameLine(const std::string& report, int index) {
  std::smatch match;
  std::regex pattern("\\{\"index\": " + std::to_string(index) + ", [^\\n]*");
  return std::regex_search(report, match, pattern) ? match.str() : "";
}

std::string drawn(const std::string& line) {
  std::string out;
  std::regex pair("\"name\": \"([^\"]+)\", \"target\": \"([^\"]+)\"");
  for (std::sregex_iterator it(line.begin(), line.end(), pair), end; it != end; ++it)
    out += (out.empty() ? "" : " ") + (*it)[1].str() + ">" + (*it)[2].str();
  return out;
}

long summaryNumber(const std::string& report, const std::string& key) {
  const size_t summary = report.find("\"summary\"");
  std::smatch match;
  const std::string tail = report.substr(summary == std::string::npos ? 0 : summary);
  if (!std::regex_search(tail, match, std::regex("\"" + key + "\": ([0-9]+)"))) return -1;
  return std::stol(match[1].str());
}

// The processes whose parent is `parent`.
std::vector<pid_t> childrenOf(pid_t parent) {
  std::vector<pid_t> children;
  std::error_code failure;
  for (fs::directory_iterator it("/proc", failure), end; !failure && it != end; it.increment(failure)) {
    const std::string pid = it->path().filename();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = readFile(it->path().string() + "/stat");
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) continue;
    std::istringstream fields(stat.substr(nameEnd + 1));
    char state = 0;
    pid_t parentPid = 0;
    if (fields >> state >> parentPid && parentPid == parent) children.push_back(std::stoi(pid));
  }
  return children;
}

bool alive(pid_t pid) { return kill(pid, 0) == 0 || errno != ESRCH; }

std::vector<std::string> entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

bool haveCommand(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null").c_str()) == 0;
}

const char* const kTwoSeconds = "--size 320x180 --fps 20 --to 00:02:000 --quiet";

TEST_F(CaptureProgramTest, SameOptionsGiveTheSameFramesBitForBit) {
  const std::string first = work.path() + "/first", second = work.path() + "/second";
  Result a = capture(std::string(kTwoSeconds) + " --frames '" + first + "'");
  ASSERT_EQ(0, a.status) << a.output;
  Result b = capture(std::string(kTwoSeconds) + " --frames '" + second + "'");
  ASSERT_EQ(0, b.status) << b.output;
  int files = 0;
  std::vector<std::string> distinct;
  for (const fs::directory_entry& entry : fs::directory_iterator(first)) {
    const std::string name = entry.path().filename().string();
    const std::string picture = readFile(entry.path().string());
    EXPECT_EQ(picture, readFile(second + "/" + name)) << name;
    if (std::find(distinct.begin(), distinct.end(), picture) == distinct.end()) distinct.push_back(picture);
    ++files;
  }
  EXPECT_EQ(40, files);
  EXPECT_GT(distinct.size(), 10u) << "the frames should follow the time";
  EXPECT_NE(std::string::npos, a.output.find("No display: rendering on a private Xvfb screen :"));
}

TEST_F(CaptureProgramTest, ReportListsTheActiveInstancesAndCountsMissingUniformsAndFeedbackLoops) {
  const std::string report = work.path() + "/report.json";
  Result run = capture(std::string(kTwoSeconds) + " --report '" + report + "'");
  ASSERT_EQ(0, run.status) << run.output;
  const std::string text = readFile(report);
  struct Expected {
    int index;
    const char* timeAndRow;
    const char* instances;
  };
  const Expected frames[] = {
      {0, "\"time\": 0, \"row\": 0, \"delta\": 50", "tint_effect>offscreen present_effect>screen"},
      {9, "\"time\": 450, \"row\": 9,", "tint_effect>offscreen present_effect>screen"},
      {10, "\"time\": 500, \"row\": 10,",
       "tint_effect>offscreen present_effect>screen wrong_uniform_effect>screen"},
      {20, "\"time\": 1000, \"row\": 20,",
       "tint_effect>offscreen present_effect>screen wrong_uniform_effect>screen feedback_effect>offscreen"},
      {30, "\"time\": 1500, \"row\": 30,", "tint_effect>offscreen present_effect>screen"},
      {31, "\"time\": 1550, \"row\": 31,", "present_effect>screen"},
      {39, "\"time\": 1950, \"row\": 39,", "present_effect>screen"},
  };
  for (const Expected& frame : frames) {
    const std::string line = frameLine(text, frame.index);
    EXPECT_NE(std::string::npos, line.find(frame.timeAndRow)) << line;
    EXPECT_EQ(frame.instances, drawn(line)) << line;
  }
  EXPECT_EQ("", frameLine(text, 40));
  EXPECT_EQ(40, summaryNumber(text, "frames"));
  EXPECT_NE(std::string::npos, text.find("{\"name\": \"wrong_uniform_effect\", \"frames_active\": 11, "
                                         "\"first_active_ms\": 500, \"last_active_ms\": 1000"));
  EXPECT_EQ(0, summaryNumber(text, "gl_errors"));
  // wrong_uniform_effect draws on rows 10 to 20, feedback_effect on rows 20 to 24.
  EXPECT_EQ(11, summaryNumber(text, "missing_uniforms"));
  EXPECT_EQ(5, summaryNumber(text, "feedback_loops"));
  EXPECT_NE(std::string::npos, frameLine(text, 10).find("\"missing_uniforms\": 1, \"luminance\""));
  EXPECT_NE(std::string::npos, frameLine(text, 9).find("\"missing_uniforms\": 0, \"luminance\""));
  EXPECT_NE(std::string::npos, frameLine(text, 22).find(
                                   "\"name\": \"feedback_effect\", \"target\": \"offscreen\", \"cpu_ms\": "));
  EXPECT_NE(std::string::npos, frameLine(text, 22).find("\"feedback\": true"));
  EXPECT_EQ(std::string::npos, frameLine(text, 25).find("\"feedback\": true"));
  EXPECT_NE(std::string::npos, run.output.find("Error: Uniform variable 'gren' not found!"));
  // The counts hold with Mesa's GL driver on its own thread, which the capture asks for.
  EXPECT_NE(std::string::npos, text.find("\"mesa_glthread\": true}"));
}

TEST_F(CaptureProgramTest, VideoLastsTheRangeAndCarriesTheMusic) {
  if (std::system("command -v ffprobe >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffprobe";
  const std::string video = work.path() + "/range.mp4";
  Result run =
      capture("--size 320x180 --fps 25 --from 00:00:500 --to 00:02:500 --quiet --video '" + video + "'");
  ASSERT_EQ(0, run.status) << run.output;
  const std::string probe = work.path() + "/probe.txt";
  const std::string command =
      "ffprobe -v error -show_entries format=duration:stream=codec_type,codec_name -of "
      "default=noprint_wrappers=1 '" +
      video + "' >'" + probe + "'";
  ASSERT_EQ(0, std::system(command.c_str()));
  const std::string text = readFile(probe);
  EXPECT_NE(std::string::npos, text.find("codec_name=h264"));
  EXPECT_NE(std::string::npos, text.find("codec_type=audio"));
  std::smatch match;
  ASSERT_TRUE(std::regex_search(text, match, std::regex("duration=([0-9.]+)"))) << text;
  EXPECT_NEAR(2.0, std::stod(match[1].str()), 1.0 / 25) << text;
}

TEST_F(CaptureProgramTest, BadOptionsPrintTheUsageAndExitWithTwo) {
  const char* const cases[] = {
      "--size 320", "--size 0x100", "--quality 4",    "--fps 0",
      "--fps ten",  "--from 1:00",  "--to 00:61:000", "--from 00:02:000 --to 00:01:000",
      "--frames",   "--bogus",      "--quiet"};
  for (const char* arguments : cases) {
    Result run = capture(arguments);
    EXPECT_EQ(2, run.status) << arguments;
    EXPECT_NE(std::string::npos, run.output.find("Usage: capture_test_demo [--size WxH]")) << arguments;
    EXPECT_EQ(std::string::npos, run.output.find("[Creating DataPools]")) << arguments;
  }
}

TEST_F(CaptureProgramTest, SignalsAndALostXServerEndTheCaptureWithMarkedOutputsAndNothingLeft) {
  const bool video = haveCommand("ffmpeg");
  enum Target { GROUP, CAPTURE, SERVER };  // GROUP as a terminal's Ctrl-C
  struct Case {
    int signal;
    Target target;
    int status;
    const char* ending;
  };
  for (const Case& c :
       {Case{SIGINT, GROUP, 130, "\"status\": \"interrupted\", \"reason\": \"stopped by SIGINT\""},
        Case{SIGTERM, CAPTURE, 143, "\"status\": \"interrupted\", \"reason\": \"stopped by SIGTERM\""},
        Case{SIGKILL, SERVER, 1, "\"status\": \"failed\", \"reason\": \"the X server went away\""}}) {
    TempDir tmp, out;
    const pid_t pid = startCapture(
        "--report '" + out.path() + "/r.json'" + (video ? " --video '" + out.path() + "/v.mp4'" : ""),
        tmp.path(), out.path() + "/f");
    const std::vector<pid_t> children = childrenOf(pid);
    EXPECT_EQ(video ? 2u : 1u, children.size()) << "Xvfb and ffmpeg";
    pid_t target = c.target == GROUP ? -pid : pid;
    for (pid_t child : children)
      if (c.target == SERVER && readFile("/proc/" + std::to_string(child) + "/comm") == "Xvfb\n")
        target = child;
    kill(target, c.signal);
    EXPECT_EQ(c.status, exitStatus(pid)) << readFile(log());
    const std::string report = readFile(out.path() + "/r.json");
    EXPECT_NE(std::string::npos, report.find(c.ending)) << c.ending;
    EXPECT_GT(summaryNumber(report, "frames"), 10);
    for (pid_t child : children) EXPECT_FALSE(alive(child)) << child;
    EXPECT_EQ(std::vector<std::string>(), entries(tmp.path()));
    std::vector<std::string> outputs = {"f", "r.json", "v.mp4"};
    if (!video) outputs.pop_back();
    EXPECT_EQ(outputs, entries(out.path()));
  }
}

TEST_F(CaptureProgramTest, EscapeStopsWithStatusOneAndAVideoAsLongAsTheFrames) {
  if (!haveCommand("xdotool") || !haveCommand("ffprobe")) GTEST_SKIP() << "no xdotool or ffprobe";
  TempDir tmp, out;
  const pid_t pid =
      startCapture("--quiet --report '" + out.path() + "/r.json' --video '" + out.path() + "/v.mp4'",
                   tmp.path(), out.path() + "/f");
  std::smatch display;
  const std::string started = readFile(log());
  ASSERT_TRUE(std::regex_search(started, display, std::regex("Xvfb screen (:[0-9]+)"))) << started;
  std::system(("DISPLAY=" + display[1].str() + " xdotool mousemove 5 5 key Escape").c_str());
  EXPECT_EQ(1, exitStatus(pid)) << readFile(log());
  const std::string report = readFile(out.path() + "/r.json");
  EXPECT_NE(std::string::npos, report.find("\"status\": \"interrupted\", \"reason\": \"stopped by Escape\""));
  const long frames = summaryNumber(report, "frames");
  const std::string probe = work.path() + "/escape.txt";
  ASSERT_EQ(
      0, std::system(("ffprobe -v error -select_streams v -show_entries stream=nb_frames:format=duration -of "
                      "default=noprint_wrappers=1 '" +
                      out.path() + "/v.mp4' >'" + probe + "'")
                         .c_str()));
  const std::string text = readFile(probe);
  EXPECT_NE(std::string::npos, text.find("nb_frames=" + std::to_string(frames) + "\n")) << text << frames;
  std::smatch duration;
  ASSERT_TRUE(std::regex_search(text, duration, std::regex("duration=([0-9.]+)"))) << text;
  // The music is cut with the frames (to within a few of its packets), not left at the range's 3 s.
  EXPECT_NEAR(frames / 1000.0, std::stod(duration[1].str()), 0.1) << text;
}

TEST_F(CaptureProgramTest, OutputsAndRangeAreCheckedBeforeLoadingAndAFailedRunKeepsTheOldReport) {
  const std::string old = work.write("old/r.json", std::string("old report"));
  const std::string framed = work.path() + "/framed";
  work.write("framed/frame_000000.png", std::string("old frame"));
  TempDir empty;
  struct Case {
    std::string arguments;
    std::string folder;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"--report '" + work.path() + "/missing/r.json'", production->path(), 1,
       "capture_test_demo: --report: cannot write '" + work.path() + "/missing/r.json' (folder '" +
           work.path() + "/missing': No such file or directory)"},
      {"--report /sys/r.json", production->path(), 1,
       "capture_test_demo: --report: cannot write '/sys/r.json' (folder '/sys': "},
      {"--frames '" + framed + "'", production->path(), 1,
       "capture_test_demo: --frames: '" + framed +
           "' already holds frame files; give --overwrite to replace them"},
      {"--from 00:03:000 --report '" + old + "'", production->path(), 2,
       "capture_test_demo: --from 00:03:000 lies at or after the end of the demo (00:03:000)"},
      {"--report '" + old + "'", empty.path(), 1,
       "capture_test_demo: The demo failed to load; no frame was captured, the outputs are as they were"},
  };
  for (const Case& c : cases) {
    Result run = capture(c.arguments, c.folder);
    EXPECT_EQ(c.status, run.status) << c.arguments;
    EXPECT_NE(std::string::npos, run.output.find(c.message)) << run.output;
    EXPECT_EQ(c.folder == empty.path(), run.output.find("[Creating DataPools]") != std::string::npos)
        << c.arguments;
  }
  EXPECT_EQ("old report", readFile(old));
  EXPECT_EQ("old frame", readFile(framed + "/frame_000000.png"));
}

TEST_F(CaptureProgramTest, ARangePastTheEndIsCutWithAWarningAndOverwriteReplacesOnlyOldFrames) {
  const std::string frames = work.path() + "/overwritten";
  work.write("overwritten/frame_000099.png", std::string("old frame"));
  work.write("overwritten/notes.txt", std::string("kept"));
  Result run =
      capture("--quiet --fps 20 --from 00:02:500 --to 05:00:000 --overwrite --frames '" + frames + "'");
  ASSERT_EQ(0, run.status) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("capture_test_demo: warning: --to 05:00:000 lies after the "
                                               "end of the demo (00:03:000); capturing up to the end\n"));
  std::vector<std::string> expected;
  for (uint32_t i = 0; i < 10; ++i) expected.push_back(PngFrameWriter::fileName(i));
  expected.push_back("notes.txt");
  EXPECT_EQ(expected, entries(frames));
}

}  // namespace
