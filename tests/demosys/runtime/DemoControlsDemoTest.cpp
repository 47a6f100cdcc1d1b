// The demo maker's keys, pressed through SDL's event queue as a keyboard would: pause and seek
// move the clock and the music together, F5 and F6 reload shaders and tracks from the resource
// tree and keep what runs when the new files are broken.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/AudioFixtures.h"
#include "support/MiniDemo.h"
#include "support/SteppedClock.h"
#include "trackc/TrackCompiler.h"

namespace {

const std::vector<int> kRed = {255, 0, 0}, kGreen = {0, 255, 0};

// Covers the screen with its shader's colour; `level` is its one parameter track.
class PaintEffect : public Effect {
 public:
  Effect* clone() override { return new PaintEffect(); }
  void createTracks() override { NewTrack("level", level); }
  void init() override { shader = GetShader("paint_shader"); }
  void draw(uint32_t, uint32_t, FBO*) override {
    bind(nullptr);
    shader->bind();
    glRecti(-1, -1, 1, 1);
    shader->unbind();
  }
  Shader* shader = nullptr;
  TrackInterpolate* level = nullptr;
};

class DemoControlsDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    demo.dir.write("resources/shaders/paint.vert", "void main() { gl_Position = gl_Vertex; }\n");
    paintShader("1.0, 0.0");
    compileTimeline("0", "0.25");
    demo.endTime = "00:20:000";
    demo.shaders = {{"paint_shader", "paint", {"test"}}};
    demo.effects = {{"Paint", new PaintEffect()}};
    demo.instances = {{"Paint", "paint"}};
  }

  // Red and green first; `end` "" leaves out a semicolon.
  void paintShader(const std::string& redGreen, const std::string& end = ";") {
    demo.dir.write("resources/shaders/paint.frag",
                   "void main() { gl_FragColor = vec4(" + redGreen + ", 0.0, 1.0)" + end + " }\n");
  }
  void compileTimeline(const char* firstRow, const char* level) {
    demo.dir.write("timeline.txt", std::string("instance paint 0\n  run ") + firstRow +
                                       " 400 screen\n  track level\n    0 " + level + "\n");
    TrackCompiler compiler;
    ASSERT_TRUE(compiler.Compile(demo.dir.path() + "/timeline.txt", demo.dir.path() + "/resources/tracks"))
        << compiler.GetError();
  }

  // Loads from the resource tree as the program does with --resources and runs on `clock`.
  void start(Timer* clock) {
    const std::string printed = demo.load(0);
    EXPECT_TRUE(demo.loaded) << printed;
    delete KVRDemosys::timer;
    KVRDemosys::timer = clock;
    EXPECT_TRUE(clock->Init()) << clock->GetError();
    demo.start();
  }
  uint32_t now() const { return KVRDemosys::timer->GetTime(); }
  EffectTrackSet* set() const { return KVRDemosys::tracks->GetSet("paint"); }
  // The value the instance reads from its own track object.
  float level() const { return static_cast<PaintEffect*>(set()->effect)->level->GetValue(3000, 20); }

  MiniDemo demo;
};

}  // namespace

TEST_F(DemoControlsDemoTest, PauseHoldsTheClockAndSeeksMoveItWithTheMusic) {
  AudioFixtures::Tone tone;
  tone.seconds = 12;
  std::filesystem::create_directories(demo.dir.path() + "/resources/sound");
  ASSERT_TRUE(AudioFixtures::makeMp3(demo.dir.path() + "/resources/sound/tone.mp3", tone));
  demo.music = "tone.mp3";
  demo.demo.startFrom(5000);
  auto* clock = new SteppedClock<FMODTimer>("resources/sound/tone.mp3", 20);
  start(clock);
  demo.frame();
  EXPECT_EQ(5000u, now());
  // Each key, then 300 ms of ticks and music: paused, the clock and the music stay put.
  const std::pair<SDLKey, uint32_t> seeks[] = {{SDLK_SPACE, 5000}, {SDLK_RIGHT, 7000}, {SDLK_LEFT, 5000},
                                               {SDLK_LEFT, 3000},  {SDLK_HOME, 5000},  {SDLK_SPACE, 5300}};
  for (const auto& [key, time] : seeks) {
    demo.press(key);
    clock->advance(300);
    demo.frame();
    EXPECT_EQ(time, now()) << key;
    EXPECT_EQ(time, clock->musicPosition()) << key;
  }
}

// Each reload first fails on a broken file and keeps what runs, then takes the good one into
// the objects the effect already holds.
TEST_F(DemoControlsDemoTest, F5AndF6KeepWhatRunsWhenTheNewFilesAreBrokenAndTakeGoodOnes) {
  start(new SteppedClock<Timer>(20));
  ASSERT_EQ(kRed, demo.frame());
  paintShader("0.0, 1.0", "");
  std::string output = demo.press(SDLK_F5);
  EXPECT_EQ(0u, output.find("[Reloading Shaders]\nError while recompiling 'paint_shader' : \n")) << output;
  EXPECT_EQ(std::string::npos, output.find("... Done!"));
  EXPECT_EQ(kRed, demo.frame());
  paintShader("0.0, 1.0");
  output = demo.press(SDLK_F5);
  EXPECT_EQ(0u, output.find("[Reloading Shaders]\nAdding shader 'paint_shader' = ")) << output;
  EXPECT_NE(std::string::npos, output.find("[Reloading Shaders] ... Done!\n"));
  EXPECT_EQ(kGreen, demo.frame());  // drawn by the same shader object the effect holds

  const std::string data = readFile(demo.dir.path() + "/resources/tracks/track.data");
  demo.dir.write("resources/tracks/track.data", data.substr(0, data.size() / 2));
  EXPECT_NE(std::string::npos,
            demo.press(SDLK_F6).find("reload failed, the previous tracks stay: Track file"));
  EXPECT_TRUE(set()->startStop->IsActive(39));
  EXPECT_FLOAT_EQ(0.25f, level());
  compileTimeline("40", "0.75");
  EXPECT_NE(std::string::npos, demo.press(SDLK_F6).find("[Reloading Tracks] ... Done!"));
  EXPECT_FALSE(set()->startStop->IsActive(39));
  EXPECT_TRUE(set()->startStop->IsActive(40));
  EXPECT_FLOAT_EQ(0.75f, level());
}
