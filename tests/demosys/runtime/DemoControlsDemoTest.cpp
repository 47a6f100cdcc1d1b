// The demo maker's keys, pressed through SDL's event queue as a keyboard would: pause and seek
// move the clock and the music together, F5 and F6 reload shaders and tracks from the resource
// tree and keep what runs when the new files are broken.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Shader.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/FMODTimer.h"
#include "demosys/timing/TrackInterpolate.h"
#include "support/AudioFixtures.h"
#include "support/TempDir.h"
#include "trackc/TrackCompiler.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const char* const VERTEX = "void main() { gl_Position = gl_Vertex; }\n";
const char* const RED = "void main() { gl_FragColor = vec4(1.0, 0.0, 0.0, 1.0); }\n";
const char* const GREEN = "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";

// Covers the screen with its shader's colour; `level` is its one parameter track.
class PaintEffect : public Effect {
 public:
  Effect* clone() override { return new PaintEffect(); }
  void createTracks() override { NewTrack("level", level); }
  void init() override { shader = GetShader("paint_shader"); }
  void draw(uint32_t, uint32_t, FBO*) override {
    bind(nullptr);
    shader->bind();
    glBegin(GL_QUADS);
    glVertex2f(-1, -1);
    glVertex2f(1, -1);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
    shader->unbind();
  }
  Shader* shader = nullptr;
  TrackInterpolate* level = nullptr;
};

class ControlsResources : public ResourceDefinition {
 public:
  explicit ControlsResources(bool music) : music(music) {}
  void setup(ScreenMetrics* metrics) override {
    metrics->setSize(320, 180);
    metrics->setFullscreen(false);
    metrics->setVsync(false);
    SetStartTime("00:00:000");
    SetEndTime("00:20:000");
  }
  void defineResources() override {
    if (music) SetMusic("tone.mp3");
    AddShader({"paint_shader", "paint", {"test"}});
  }
  void defineEffects() override { DefineEffect("Paint", new PaintEffect()); }
  void defineInstances() override { CreateEffectInstance("Paint", "paint", true); }

 private:
  bool music;
};

std::string timeline(const char* firstRow, const char* level) {
  return std::string("instance paint 0\n  run ") + firstRow + " 400 screen\n  track level\n    0 " + level +
         "\n";
}

class DemoControlsDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("resources/shaders/paint.vert", VERTEX);
    dir.write("resources/shaders/paint.frag", RED);
    compileTimeline(timeline("0", "0.25"));
  }
  void TearDown() override {
    demo.shutdown();
    inside.reset();
  }

  void compileTimeline(const std::string& text) {
    dir.write("timeline.txt", text);
    TrackCompiler compiler;
    ASSERT_TRUE(compiler.Compile(dir.path() + "/timeline.txt", dir.path() + "/resources/tracks"))
        << compiler.GetError();
  }

  // Loads from the resource tree and starts the run, as the program does with --resources.
  void start(bool music) {
    inside.reset(new WorkingDirectory(dir.path()));
    KVRDemosys::resources = new ControlsResources(music);
    CaptureStdout();
    const bool loaded = demo.load(&metrics, 0);
    const std::string output = GetCapturedStdout();
    ASSERT_TRUE(loaded) << output;
    demo.setupRendering();
    demo.startRun();
    frame();
  }

  // One frame as the loop draws it; `pixel` is the centre of what it drew.
  void frame() {
    Timer* clock = KVRDemosys::timer;
    clock->Update();
    const uint32_t time = clock->GetTime();
    demo.renderFrame(time, clock->GetFrame(), clock->GetDelta(time));
    GLubyte rgba[4];
    glReadPixels(160, 90, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    pixel = {rgba[0], rgba[1], rgba[2]};
    demo.finishFrame();
  }

  // The key goes into SDL's queue; the next frame's event handling takes it. Returns what the
  // frame printed.
  std::string press(SDLKey key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
    CaptureStdout();
    frame();
    return GetCapturedStdout();
  }

  uint32_t now() const { return KVRDemosys::timer->GetTime(); }
  uint32_t musicAt() const { return static_cast<FMODTimer*>(KVRDemosys::timer)->musicPosition(); }
  PaintEffect* paint() const {
    return static_cast<PaintEffect*>(KVRDemosys::tracks->GetSet("paint")->effect);
  }
  bool activeOnRow(uint32_t row) const {
    return TrackData::IsActive(KVRDemosys::tracks->GetSet("paint")->startStop, row);
  }

  TempDir dir;
  std::unique_ptr<WorkingDirectory> inside;
  ScreenMetrics metrics;
  Demo demo;
  std::vector<int> pixel;
};

}  // namespace

TEST_F(DemoControlsDemoTest, PauseHoldsTheClockAndSeeksMoveItWithTheMusic) {
  AudioFixtures::Tone tone;
  tone.seconds = 12;
  std::filesystem::create_directories(dir.path() + "/resources/sound");
  ASSERT_TRUE(AudioFixtures::makeMp3(dir.path() + "/resources/sound/tone.mp3", tone));
  demo.startFrom(5000);
  start(true);
  EXPECT_GE(now(), 5000u);
  EXPECT_LT(now(), 5500u);

  press(SDLK_SPACE);
  const uint32_t held = now();
  for (int i = 0; i < 3; ++i) {
    SDL_Delay(60);
    frame();
    EXPECT_EQ(held, now());
  }
  press(SDLK_RIGHT);
  EXPECT_EQ(held + Demo::SEEK_MS, now());
  EXPECT_NEAR(double(held + Demo::SEEK_MS), double(musicAt()), 30.0);
  press(SDLK_LEFT);
  press(SDLK_LEFT);
  EXPECT_EQ(held - Demo::SEEK_MS, now());
  EXPECT_NEAR(double(held - Demo::SEEK_MS), double(musicAt()), 30.0);
  press(SDLK_HOME);
  EXPECT_EQ(5000u, now());

  press(SDLK_SPACE);
  SDL_Delay(200);
  frame();
  EXPECT_GT(now(), 5100u);
  EXPECT_GT(musicAt(), 5100u);
}

TEST_F(DemoControlsDemoTest, F5KeepsTheRunningProgramWhenTheNewSourceFailsAndDrawsAGoodOne) {
  start(false);
  ASSERT_EQ((std::vector<int>{255, 0, 0}), pixel);
  const struct {
    const char* source;
    const char* named;
  } broken[] = {
      {"void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0) }\n", "paint.frag"},
      // Compiles, but cannot link: the varying comes from nowhere.
      {"varying vec4 nowhere;\nvoid main() { gl_FragColor = nowhere; }\n", "paint"},
  };
  for (const auto& source : broken) {
    dir.write("resources/shaders/paint.frag", source.source);
    const std::string output = press(SDLK_F5);
    EXPECT_NE(std::string::npos, output.find("Error while recompiling 'paint_shader'")) << output;
    EXPECT_NE(std::string::npos, output.find("Shader: " + std::string(source.named) + "\n")) << output;
    frame();
    EXPECT_EQ((std::vector<int>{255, 0, 0}), pixel) << source.source;
  }
  dir.write("resources/shaders/paint.frag", GREEN);
  EXPECT_NE(std::string::npos, press(SDLK_F5).find("[Reloading Shaders] ... Done!"));
  frame();
  EXPECT_EQ((std::vector<int>{0, 255, 0}), pixel);
}

TEST_F(DemoControlsDemoTest, F6MovesTheFirstActiveRowAndKeepsTheTracksWhenTheFilesAreDamaged) {
  start(false);
  ASSERT_TRUE(activeOnRow(10));
  compileTimeline(timeline("40", "0.75"));
  EXPECT_NE(std::string::npos, press(SDLK_F6).find("[Reloading Tracks] ... Done!"));
  EXPECT_FALSE(activeOnRow(39));
  EXPECT_TRUE(activeOnRow(40));
  // The instance reads its own track object, which must now hold the new keyframes.
  EXPECT_FLOAT_EQ(0.75f, paint()->level->GetValue(3000, 20));

  const std::string data = readFile(dir.path() + "/resources/tracks/track.data");
  dir.write("resources/tracks/track.data", data.substr(0, data.size() / 2));
  const std::string output = press(SDLK_F6);
  EXPECT_NE(std::string::npos, output.find("reload failed, the previous tracks stay: Track file")) << output;
  EXPECT_TRUE(activeOnRow(40));
  EXPECT_FLOAT_EQ(0.75f, paint()->level->GetValue(3000, 20));
}
