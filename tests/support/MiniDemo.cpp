#include "support/MiniDemo.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/runtime/Effect.h"
#include "demosys/timing/Timer.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

MiniDemo::~MiniDemo() {
  shutdown();
  for (auto& effect : effects) delete effect.second;
}

void MiniDemo::defineResources() {
  if (!music.empty()) SetMusic(music);
  for (const auto& shader : shaders) AddShader(shader);
  for (const auto& texture : textures) AddTexture(texture);
  for (const auto& object : objects) AddObject(object);
  for (const auto& fbo : framebuffers)
    AddFBO(fbo.first, new FBO(fbo.second, fbo.second, false, false, GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE));
}

void MiniDemo::defineEffects() {
  for (const auto& effect : effects) DefineEffect(effect.first, effect.second);
  effects.clear();
}

void MiniDemo::defineInstances() {
  for (const auto& instance : instances) CreateEffectInstance(instance.first, instance.second, true);
}

std::string MiniDemo::load(int source, ResourceDefinition* script) {
  inside.reset(new WorkingDirectory(dir.path()));
  KVRDemosys::resources = script ? script : this;
  metrics.setSize(320, 180), metrics.setFullscreen(false), metrics.setVsync(false), metrics.setQuality(0);
  running = true;
  CaptureStdout();
  loaded = demo.load(&metrics, source);
  return GetCapturedStdout();
}

std::string MiniDemo::play(int source, ResourceDefinition* script) {
  std::string printed = load(source, script);
  CaptureStdout();
  demo.setupRendering(), demo.run();
  printed += GetCapturedStdout();
  return printed + shutdown();
}

std::vector<int> MiniDemo::frame() {
  Timer* clock = KVRDemosys::timer;
  clock->Update();
  const uint32_t time = clock->GetTime();
  demo.renderFrame(time, clock->GetFrame(), clock->GetDelta(time));
  GLubyte rgba[4];
  glReadPixels(160, 90, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  demo.finishFrame();
  return {rgba[0], rgba[1], rgba[2]};
}

std::string MiniDemo::press(SDLKey key) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN, event.key.state = SDL_PRESSED, event.key.keysym.sym = key;
  SDL_PushEvent(&event);
  CaptureStdout();
  frame();
  return GetCapturedStdout();
}

std::string MiniDemo::shutdown() {
  if (!running) return "";
  running = false;
  CaptureStdout();
  demo.shutdown();
  if (KVRDemosys::resources == this) KVRDemosys::resources = nullptr;
  inside.reset();
  return GetCapturedStdout();
}
