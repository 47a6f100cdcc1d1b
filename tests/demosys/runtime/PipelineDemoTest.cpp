// Whole demos through Demo::load, run and shutdown, from archives made by the test: the stage
// lines, the progress bar, failures, and track data deciding which effect draws where.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "assets/PngFile.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ProgressBar.h"
#include "support/MiniDemo.h"
#include "trackc/TrackCompiler.h"

namespace {

// Clears its target to one colour.
class FillEffect : public Effect {
 public:
  FillEffect(float red, float green) : red(red), green(green) {}
  Effect* clone() override { return new FillEffect(red, green); }
  void draw(uint32_t, uint32_t, FBO* target) override {
    bind(target);
    markUsed(target);
    glClearColor(red, green, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  float red, green;
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
  static inline std::vector<int> seen;
  static inline uint32_t runMs = 0;
};

// Records the step count at every draw; the record outlives the bar, which shutdown deletes.
class RecordingBar : public ProgressBar {
 public:
  void draw() override {
    steps.push_back(current);
    total = getTotal();
  }
  static inline std::vector<int> steps;
  static inline int total = 0;
};

class PipelineDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    const TempDir& d = demo.dir;
    d.write("resources/shaders/solid.vert", "void main() { gl_Position = gl_Vertex; }\n");
    d.write("resources/shaders/solid.frag", "uniform vec4 color;\nvoid main() { gl_FragColor = color; }\n");
    d.write("resources/graphics/red.png", PngFile::encode(4, 4, 3, std::vector<uint8_t>(48, 200)));
    d.write("resources/graphics/blue.png", PngFile::encode(2, 2, 4, std::vector<uint8_t>(16, 90)));
    // Up to 00:01:000 the red fill draws into "offscreen", after it the green one; "show" runs
    // last all the time and puts "offscreen" on the screen.
    d.write("timeline.txt",
            "instance fill_red 0\n  run 0 19 offscreen\ninstance fill_green 1\n"
            "  run 20 400 offscreen\ninstance show 2\n  run 0 400 screen\n");
    TrackCompiler compiler;
    ASSERT_TRUE(compiler.Compile(d.path() + "/timeline.txt", d.path() + "/resources/tracks"))
        << compiler.GetError();
    d.pack7z("resources.7z",
             {"resources/shaders/solid.vert", "resources/shaders/solid.frag", "resources/graphics/red.png",
              "resources/graphics/blue.png", "resources/tracks/index.list", "resources/tracks/track.data"});
    demo.textures = {{"red_texture", "red.png", GL_TEXTURE_2D, false},
                     {"second_texture", "red.png", GL_TEXTURE_2D, true},
                     {"blue_texture", "blue.png", GL_TEXTURE_2D, false}};
    demo.shaders = {{"solid_shader", "solid", {"test"}}};
    demo.framebuffers = {{"offscreen", 64}};
    demo.effects = {
        {"Red", new FillEffect(1, 0)}, {"Green", new FillEffect(0, 1)}, {"Show", new ShowEffect()}};
    demo.instances = {{"Red", "fill_red"}, {"Green", "fill_green"}, {"Show", "show"}};
    KVRDemosys::progressBar = new RecordingBar();
    RecordingBar::steps.clear();
    ShowEffect::runMs = 0;
  }

  MiniDemo demo;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines, in order, with anything else in between.
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
  std::string output = demo.play(1);
  EXPECT_TRUE(demo.loaded);
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
  EXPECT_EQ(6, RecordingBar::total);  // 3 textures + 3
  // The first draw, two textures, the sound and the start of the demo.
  EXPECT_EQ(std::vector<int>({0, 1, 2, 3, 4}), RecordingBar::steps);
  EXPECT_EQ(std::vector<int>({255, 0, 0}), ShowEffect::seen);
}

TEST_F(PipelineDemoTest, LaterStartTimeMakesTheOtherEffectDraw) {
  demo.startTime = "00:01:000";
  demo.play(1);
  EXPECT_EQ(std::vector<int>({0, 255, 0}), ShowEffect::seen);
}

TEST_F(PipelineDemoTest, ClockRunsWithoutMusic) {
  ShowEffect::runMs = 200;
  std::string output = demo.play(1);
  size_t at = output.find("Duration : (");
  ASSERT_NE(std::string::npos, at) << output;
  EXPECT_GE(std::stoul(output.substr(at + 12, 10)), 200u) << output;
}

// A missing file stops the load at its stage; the report names it and the demo never starts.
struct MissingFile {
  const char* name;
  void (*damage)(MiniDemo&);
  std::vector<std::string> lines;
};
void PrintTo(const MissingFile& c, std::ostream* out) { *out << c.name; }

class PipelineMissingFileDemoTest : public PipelineDemoTest,
                                    public testing::WithParamInterface<MissingFile> {};

TEST_P(PipelineMissingFileDemoTest, StopsTheLoadWithTheLoadersMessage) {
  GetParam().damage(demo);
  std::string output = demo.play(1);
  EXPECT_FALSE(demo.loaded);
  expectInOrder(output, GetParam().lines);
  EXPECT_EQ(std::string::npos, output.find("[Demo Init]")) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PipelineMissingFileDemoTest,
    testing::Values(MissingFile{"shader",
                                [](MiniDemo& d) { d.shaders[0].fileBaseName = "absent"; },
                                {"[Loading Shaders]", "-> Loading absent", "[Shutting Down]",
                                 "Message from demosys :", "", "Message from resourceloader",
                                 "Vertex shader 'absent.vert' not found", "[Deleting Pools]"}},
                    MissingFile{"texture",
                                [](MiniDemo& d) { d.textures[1].fileName = "none.png"; },
                                {"Load : resources/graphics/none.png", "[Shutting Down]",
                                 "Message from resourceloader", "Failed to load texture!",
                                 "File : 'resources/graphics/none.png'", "[Deleting Pools]"}},
                    MissingFile{"music",
                                [](MiniDemo& d) { d.music = "absent.mp3"; },
                                {"[Setting up sound]", "Play : absent.mp3", "Error code: 0",
                                 "[Shutting Down]", "Message from resourceloader", "Failed to load sound!",
                                 "File : 'absent.mp3'", "[Application End]"}}),
    [](const testing::TestParamInfo<MissingFile>& info) { return std::string(info.param.name); });
