// Whole demos through Demo::load, run and shutdown, from archives made by the test: the stage
// lines, the progress bar, failures, and track data deciding which effect draws where.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ProgressBar.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/runtime/ResourceLoader.h"
#include "assets/PngFile.h"
#include "support/TempDir.h"
#include "trackc/TrackCompiler.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const char* const kSolidVertex = "void main() { gl_Position = gl_Vertex; }\n";
const char* const kSolidFragment = "uniform vec4 color;\nvoid main() { gl_FragColor = color; }\n";

// Clears its target to one colour.
class FillEffect : public Effect {
 public:
  Effect* clone() override { return new FillEffect(); }
  void draw(uint32_t, uint32_t, FBO* target) override {
    bind(target);
    markUsed(target);
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  float red = 0, green = 0, blue = 0;
};

// Shows the "offscreen" framebuffer on its target, then records the centre pixel and stops once
// the run has lasted runMs of wall time.
class ShowEffect : public Effect {
 public:
  Effect* clone() override { return new ShowEffect(); }
  void draw(uint32_t, uint32_t, FBO* target) override {
    bind(target);
    drawTexture(KVRDemosys::fboPool->getFBO("offscreen"));
  }
  void postDraw(uint32_t) override {
    bind(nullptr);
    GLubyte pixel[4];
    glReadPixels(160, 90, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    seen.assign(pixel, pixel + 3);
    if (SDL_GetTicks() - KVRDemosys::runStartTicks >= runMs) KVRDemosys::quitRequested = true;
  }
  static std::vector<int> seen;
  static uint32_t runMs;
};
std::vector<int> ShowEffect::seen;
uint32_t ShowEffect::runMs = 0;

// Records the step count at every draw; the record outlives the bar, which shutdown deletes.
class RecordingBar : public ProgressBar {
 public:
  void draw() override { steps.push_back(current); }
  static std::vector<int> steps;
};
std::vector<int> RecordingBar::steps;

struct ScriptOptions {
  std::string startTime = "00:00:000";
  std::string shaderFile = "solid";
  std::string secondTextureFile = "red.png";
  std::string music;
};

class TestDemoResources : public ResourceDefinition {
 public:
  explicit TestDemoResources(ScriptOptions options) : options(std::move(options)) {}
  void setup(ScreenMetrics* metrics) override {
    metrics->setSize(320, 180);
    metrics->setFullscreen(false);
    metrics->setVsync(false);
    SetStartTime(options.startTime);
    SetEndTime("00:10:000");
  }
  void defineResources() override {
    if (!options.music.empty()) SetMusic(options.music);
    AddTexture({"red_texture", "red.png", GL_TEXTURE_2D, false});
    AddTexture({"second_texture", options.secondTextureFile, GL_TEXTURE_2D, true});
    AddTexture({"blue_texture", "blue.png", GL_TEXTURE_2D, false});
    AddShader({"solid_shader", options.shaderFile, {"test"}});
    AddFBO("offscreen", new FBO(64, 64, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE));
  }
  void defineEffects() override {
    DefineEffect("Fill", new FillEffect());
    DefineEffect("Show", new ShowEffect());
  }
  void defineInstances() override {
    static_cast<FillEffect*>(CreateEffectInstance("Fill", "fill_red", true))->red = 1;
    static_cast<FillEffect*>(CreateEffectInstance("Fill", "fill_green", true))->green = 1;
    CreateEffectInstance("Show", "show", true);
    GetTexture("blue_texture");
    GetShader("solid_shader");
  }

 private:
  ScriptOptions options;
};

// Up to 00:01:000 the red fill draws into "offscreen", after it the green one; "show" runs
// last all the time and puts "offscreen" on the screen.
const char* const kTimeline =
    "instance fill_red 0\n  run 0 19 offscreen\n"
    "instance fill_green 1\n  run 20 400 offscreen\n"
    "instance show 2\n  run 0 400 screen\n";

class PipelineDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("resources/shaders/solid.vert", kSolidVertex);
    dir.write("resources/shaders/solid.frag", kSolidFragment);
    dir.write("resources/graphics/red.png", PngFile::encode(4, 4, 3, std::vector<uint8_t>(48, 200)));
    dir.write("resources/graphics/blue.png", PngFile::encode(2, 2, 4, std::vector<uint8_t>(16, 90)));
    dir.write("timeline.txt", kTimeline);
    TrackCompiler compiler;
    ASSERT_TRUE(compiler.Compile(dir.path() + "/timeline.txt", dir.path() + "/resources/tracks"))
        << compiler.GetError();
    dir.pack7z("resources.7z",
               {"resources/shaders/solid.vert", "resources/shaders/solid.frag", "resources/graphics/red.png",
                "resources/graphics/blue.png", "resources/tracks/index.list", "resources/tracks/track.data"});
  }

  // Runs the whole demo in the test directory and returns everything it printed.
  std::string runDemo(const ScriptOptions& options, bool* loaded = nullptr) {
    WorkingDirectory inside(dir.path());
    KVRDemosys::resources = new TestDemoResources(options);
    bar = new RecordingBar();
    KVRDemosys::progressBar = bar;
    ScreenMetrics metrics;
    CaptureStdout();
    Demo demo;
    bool ok = demo.load(&metrics, 1);
    if (loaded) *loaded = ok;
    barAfterLoad = RecordingBar::steps;
    barTotal = bar->getTotal();
    demo.setupRendering();
    demo.run();
    demo.shutdown();
    return GetCapturedStdout();
  }

  TempDir dir;
  RecordingBar* bar = nullptr;
  std::vector<int> barAfterLoad;
  int barTotal = 0;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The stage lines, in order, with anything else in between.
void expectInOrder(const std::string& output, const std::vector<std::string>& expected) {
  std::vector<std::string> lines = linesOf(output);
  size_t at = 0;
  for (const std::string& want : expected) {
    while (at < lines.size() && lines[at] != want) ++at;
    ASSERT_LT(at, lines.size()) << "missing or out of order: " << want << "\n" << output;
    ++at;
  }
}

}  // namespace

TEST_F(PipelineDemoTest, LoadsEveryStageInOrderAndTheTracksPickTheDrawer) {
  bool loaded = false;
  std::string output = runDemo(ScriptOptions(), &loaded);
  EXPECT_TRUE(loaded);
  expectInOrder(output, {"[Creating DataPools]",
                         "[Supported OpenGL Extensions]",
                         "--- Implementation Independent API Values ---",
                         "[Defining Resources]",
                         "[Define Effects]",
                         "[Loading Shaders]",
                         "-> Loading solid",
                         "[Loading Textures]",
                         "Load : resources/graphics/red.png",
                         "Load : resources/graphics/blue.png",
                         "[Loading Binary Data]",
                         "[Create track data]",
                         "Loading track data from index file",
                         "[Initializing Effect Instances]",
                         "-> Initializing fill_green",
                         "-> Initializing fill_red",
                         "-> Initializing show",
                         "[Setting up sound]",
                         "[Demo Init]",
                         "[Shutting Down]",
                         "[Deleting Pools]",
                         "[Dispose texturePool]",
                         "[Dispose effectPool]",
                         "[Dispose effectPool]",
                         "[Dispose binaryPool]",
                         "delete KVRDemosys::glExtensions",
                         "delete KVRDemosys::tracks",
                         "delete KVRDemosys::timer",
                         "KVRDemosys::shutdown()",
                         "[Application End]"});
  EXPECT_EQ(std::string::npos, output.find("Message from resourceloader"));
  // The texture file shared by two names is loaded once and stepped once.
  std::vector<std::string> lines = linesOf(output);
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "Load : resources/graphics/red.png"));
  EXPECT_EQ(6, barTotal);                                             // 3 textures + 3
  EXPECT_EQ(std::vector<int>({0, 1, 2, 3}), barAfterLoad);            // init draw, two textures, the sound
  EXPECT_EQ(std::vector<int>({0, 1, 2, 3, 4}), RecordingBar::steps);  // and the start of the demo
  EXPECT_EQ(std::vector<int>({255, 0, 0}), ShowEffect::seen);
}

TEST_F(PipelineDemoTest, LaterStartTimeMakesTheOtherEffectDraw) {
  ScriptOptions options;
  options.startTime = "00:01:000";
  runDemo(options);
  EXPECT_EQ(std::vector<int>({0, 255, 0}), ShowEffect::seen);
}

TEST_F(PipelineDemoTest, ClockRunsWithoutMusic) {
  ShowEffect::runMs = 200;
  std::string output = runDemo(ScriptOptions());
  size_t at = output.find("Duration : (");
  ASSERT_NE(std::string::npos, at) << output;
  EXPECT_GE(std::stoul(output.substr(at + 12, 10)), 200u) << output;
}

TEST_F(PipelineDemoTest, MissingShaderStopsLoadingWithTheLoaderMessage) {
  ScriptOptions options;
  options.shaderFile = "absent";
  bool loaded = true;
  std::string output = runDemo(options, &loaded);
  EXPECT_FALSE(loaded);
  expectInOrder(output, {"[Loading Shaders]", "-> Loading absent", "[Shutting Down]",
                         "Message from demosys :", "", "Message from resourceloader"});
  EXPECT_EQ(std::string::npos, output.find("[Loading Textures]"));
  EXPECT_EQ(std::string::npos, output.find("[Demo Init]"));
  EXPECT_NE(std::string::npos, output.find("absent.vert")) << output;
}

TEST_F(PipelineDemoTest, MissingTextureNamesTheFile) {
  ScriptOptions options;
  options.secondTextureFile = "none.png";
  bool loaded = true;
  std::string output = runDemo(options, &loaded);
  EXPECT_FALSE(loaded);
  expectInOrder(output,
                {"Load : resources/graphics/none.png", "[Shutting Down]", "Message from resourceloader",
                 "Failed to load texture!", "File : 'resources/graphics/none.png'", "[Deleting Pools]"});
}

TEST_F(PipelineDemoTest, MissingMusicFailsTheSoundSetUp) {
  ScriptOptions options;
  options.music = "absent.mp3";
  bool loaded = true;
  std::string output = runDemo(options, &loaded);
  EXPECT_FALSE(loaded);
  expectInOrder(output, {"[Setting up sound]", "Play : absent.mp3", "Error code: 0", "[Shutting Down]",
                         "Message from resourceloader", "Failed to load sound!", "File : 'absent.mp3'",
                         "[Application End]"});
}
