#include "support/EffectHarness.h"

#include <gtest/gtest.h>

#include "assets/PngFile.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/ShaderLoader.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/TextureLoader.h"
#include "demosys/io/Image.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/runtime/Effect.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/EngineState.h"
#include "support/GLTestContext.h"

namespace EffectHarness {

namespace {
ScreenMetrics* previousMetrics = nullptr;
const uint32_t kLastRow = 100000;
}  // namespace

void begin() {
  EngineState::createPools();
  EngineState::useBuildResources();
  KVRDemosys::tracks = new TrackData();
  previousMetrics = KVRDemosys::screenMetrics;
  KVRDemosys::screenMetrics = GLTestContext::metrics();
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void end() {
  EngineState::reset();
  KVRDemosys::screenMetrics = previousMetrics;
  GLTestContext::metrics()->apply();
}

Shader* loadShader(const std::string& poolName, const std::string& baseName) {
  Shader* shader = new Shader();
  ShaderLoadResult result;
  if (!ShaderLoader().loadShaderPair(result, *shader, baseName, {})) {
    ADD_FAILURE() << baseName << ": " << result.message << " " << shader->getInfoLog();
    delete shader;
    return nullptr;
  }
  KVRDemosys::shaderPool->add(poolName, shader);
  return shader;
}

Texture* loadPicture(const std::string& name, const std::string& file, GLenum target, bool mipmapped) {
  Texture* texture = loadTexture(std::string(ResourceAccess::GRAPHICS_DIRECTORY) + file, target, mipmapped);
  if (!texture) {
    ADD_FAILURE() << "cannot load " << file;
    return nullptr;
  }
  KVRDemosys::texturePool->add(name, texture);
  return texture;
}

Texture* makeTexture(const std::string& name, int width, int height, int channels,
                     const std::vector<uint8_t>& topDownPixels, GLenum target, bool mipmapped) {
  Image image;
  if (!image.loadFromMemory(PngFile::encode(width, height, channels, topDownPixels))) {
    ADD_FAILURE() << "cannot decode the picture for " << name;
    return nullptr;
  }
  Texture* texture = createTexture(image, name, target, mipmapped);
  KVRDemosys::texturePool->add(name, texture);
  return texture;
}

FBO* addFBO(const std::string& name, int width, int height, bool depth) {
  FBO* fbo = new FBO(width, height, depth, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
  KVRDemosys::fboPool->add(name, fbo);
  clear(fbo);
  return fbo;
}

void fill(FBO* fbo, uint8_t r, uint8_t g, uint8_t b) {
  bind(fbo);
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void fillBlock(FBO* fbo, int x, int y, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, y, width, height);
  fill(fbo, r, g, b);
  glDisable(GL_SCISSOR_TEST);
}

void paint(FBO* fbo, Texture* texture) {
  bind(fbo);
  glDisable(GL_DEPTH_TEST);
  texture->drawFullscreen();
}

std::vector<uint8_t> read(FBO* fbo, int x, int y, int width, int height) {
  bind(fbo);
  return GLTestContext::readPixels(x, y, width, height);
}

std::vector<int> pixel(FBO* fbo, int x, int y) {
  std::vector<uint8_t> rgba = read(fbo, x, y, 1, 1);
  return {rgba[0], rgba[1], rgba[2]};
}

void run(Effect* effect, const std::string& name, FBO* target, int32_t priority) {
  effect->tracked = true;
  effect->createTracks();
  KVRDemosys::effectInstancePool->add(name, effect);
  EffectTrackSet* set = new EffectTrackSet(name);
  set->effect = effect;
  set->startStop = new TrackStartStop(priority);
  set->startStop->InsertPair(new StartStopKeyframe(0, StartStopKeyframe::Start, "target", target),
                             new StartStopKeyframe(kLastRow, StartStopKeyframe::Stop));
  for (int i = 0; i < effect->GetTrackCount(); ++i) set->AddTrack(effect->GetTrackAt(i));
  effect->HandOverTracks();
  KVRDemosys::tracks->AddSet(set);
  KVRDemosys::tracks->BuildOrder();
}

void setValue(TrackInterpolate* track, float value) { track->InsertKeyframe(new ValueKeyframe(0, value)); }

void step(uint32_t timeMs, uint32_t deltaMs) {
  KVRDemosys::tracks->Step(timeMs, KVRDemosys::tracks->RowAt(timeMs), deltaMs);
}

}  // namespace EffectHarness
