// A whole demo through Demo::load, run and shutdown, from an archive made by the test: the stage
// lines, the progress bar, and track data deciding which effect draws where.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <sstream>

#include "assets/PngFile.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ProgressBar.h"
#include "support/MiniDemo.h"
#include "trackc/TrackCompiler.h"

namespace {

// Clears its target to red or green.
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

// Shows the "offscreen" framebuffer on its target, then records the centre pixel and ends the run.
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
    KVRDemosys::quitRequested = true;
  }
  static inline std::vector<int> seen;
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
              "resources/tracks/index.list", "resources/tracks/track.data"});
    demo.textures = {{"red_texture", "red.png", GL_TEXTURE_2D, false},
                     {"second_texture", "red.png", GL_TEXTURE_2D, true}};
    demo.shaders = {{"solid_shader", "solid", {"test"}}};
    demo.framebuffers = {{"offscreen", 64}};
    demo.effects = {
        {"Red", new FillEffect(1, 0)}, {"Green", new FillEffect(0, 1)}, {"Show", new ShowEffect()}};
    demo.instances = {{"Red", "fill_red"}, {"Green", "fill_green"}, {"Show", "show"}};
    KVRDemosys::progressBar = new RecordingBar();
    RecordingBar::steps.clear();
  }

  MiniDemo demo;
};

// The lines of `expected` (one per "\n"), in order, with anything else in between.
void expectInOrder(const std::string& output, const std::string& expected) {
  std::istringstream lines(output), wanted(expected);
  std::string line;
  for (std::string want; std::getline(wanted, want);) {
    while (std::getline(lines, line) && line != want) continue;
    ASSERT_EQ(want, line) << "missing or out of order\n" << output;
  }
}

}  // namespace

TEST_F(PipelineDemoTest, LoadsEveryStageInOrderAndTheTracksPickTheDrawer) {
  std::string output = demo.play(1);
  EXPECT_TRUE(demo.loaded);
  expectInOrder(
      output,
      "[Creating DataPools]\n[Supported OpenGL Extensions]\n--- Implementation Independent API Values "
      "---\n[Defining Resources]\n[Define Effects]\n[Loading Shaders]\n-> Loading solid\n[Loading "
      "Textures]\nLoad : resources/graphics/red.png\n[Loading Binary "
      "Data]\n[Create track data]\nLoading track data from index file\n[Initializing Effect Instances]\n-> "
      "Initializing fill_green\n-> Initializing fill_red\n-> Initializing show\n[Setting up sound]\n[Demo "
      "Init]\n[Shutting Down]\n[Deleting Pools]\n[Dispose texturePool]\n[Dispose effectPool]\n[Dispose "
      "effectPool]\n[Dispose binaryPool]\ndelete KVRDemosys::glExtensions\ndelete KVRDemosys::tracks\ndelete "
      "KVRDemosys::timer\nKVRDemosys::shutdown()\n[Application End]");
  EXPECT_EQ(std::string::npos, output.find("Message from resourceloader"));
  // The texture file shared by two names is loaded once and stepped once.
  const std::string red = "Load : resources/graphics/red.png";
  EXPECT_EQ(output.rfind(red), output.find(red));
  EXPECT_EQ(5, RecordingBar::total);  // 2 textures + 3
  // The first draw, the shared file once, the sound and the start of the demo.
  EXPECT_EQ(std::vector<int>({0, 1, 2, 3}), RecordingBar::steps);
  EXPECT_EQ(std::vector<int>({255, 0, 0}), ShowEffect::seen);
}
