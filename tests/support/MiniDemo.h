#pragma once

#include <SDL/SDL.h>

#include <memory>

#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/ResourceDefinition.h"
#include "support/TempDir.h"

// A small demo made by a test: the files it writes into `dir` and the resources, effects and
// instances listed here, loaded and played by the engine in a 320 x 180 window as the program
// plays a production. The script's operations are open for tests that call them one by one.
class MiniDemo : public ResourceDefinition {
 public:
  ~MiniDemo() override;
  using ResourceDefinition::AddFBO, ResourceDefinition::CreateEffectInstance,
      ResourceDefinition::DefineEffect, ResourceDefinition::GetFBO, ResourceDefinition::GetShader;

  void setup(ScreenMetrics*) override { SetStartTime("00:00:000"), SetEndTime(endTime); }
  void defineResources() override;
  void defineEffects() override;
  void defineInstances() override;

  // Loads from `dir` (source 0: its resources/ tree, 1: its resources.7z) with `script` as the
  // engine's resource definition: this demo when null; another one the engine owns from then
  // on. Returns what the load printed; `loaded` tells whether it succeeded.
  std::string load(int source, ResourceDefinition* script = nullptr);
  // The load, the frame loop until the end time or a quit, and the shutdown: all it printed.
  std::string play(int source, ResourceDefinition* script = nullptr);
  // The frame loop in pieces: the start of the run; one frame at the clock's time, returning the
  // colour at the centre of the window; a key pressed through SDL's event queue and taken by the
  // next frame, returning what that frame printed.
  void start() { demo.setupRendering(), demo.startRun(); }
  std::vector<int> frame();
  std::string press(SDLKey key);
  std::string shutdown();

  std::string endTime = "00:10:000", music;
  std::vector<ShaderDefinition> shaders;
  std::vector<TextureDefinition> textures;
  std::vector<FileDefinition> objects;
  // Name and side of square RGBA8 framebuffers without depth.
  std::vector<std::pair<std::string, int>> framebuffers;
  // Type name and prototype; the engine takes the prototypes when the effects are defined.
  std::vector<std::pair<std::string, Effect*>> effects;
  // Type and name of each instance, all of them tracked.
  std::vector<std::pair<std::string, std::string>> instances;

  TempDir dir;
  Demo demo;
  bool loaded = false;

 private:
  ScreenMetrics metrics;
  std::unique_ptr<WorkingDirectory> inside;
  bool running = false;
};
