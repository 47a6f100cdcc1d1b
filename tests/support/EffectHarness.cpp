#include "support/EffectHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

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
#include "effects/CreditsEffect.h"
#include "effects/GlowEffect.h"
#include "effects/PostProcessEffect.h"
#include "effects/RadialBlurEffect.h"
#include "support/EngineState.h"
#include "support/GLTestContext.h"

namespace EffectHarness {

static ScreenMetrics* previousMetrics = nullptr;

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
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
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

void fill(FBO* fbo, uint8_t r, uint8_t g, uint8_t b, int x, int y, int width, int height) {
  bind(fbo);
  if (width > 0) glEnable(GL_SCISSOR_TEST), glScissor(x, y, width, height);
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | (width > 0 ? 0 : GL_DEPTH_BUFFER_BIT));
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glDisable(GL_SCISSOR_TEST);
}

void paint(FBO* fbo, Texture* texture) {
  bind(fbo);
  glDisable(GL_DEPTH_TEST);
  texture->drawFullscreen();
}

std::vector<int> pixel(FBO* fbo, int x, int y) {
  bind(fbo);
  std::vector<uint8_t> rgba = GLTestContext::readPixels(x, y, 1, 1);
  return {rgba[0], rgba[1], rgba[2]};
}

double Picture::mean(int x0, int y0, int x1, int y1) const {
  double sum = 0.0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
      sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    }
  return sum / std::max(1, (x1 - x0) * (y1 - y0));
}

Picture grab(FBO* fbo) {
  bind(fbo);
  GLint box[4] = {0, 0, fbo ? getWidth(fbo) : 0, fbo ? getHeight(fbo) : 0};
  if (!fbo) glGetIntegerv(GL_VIEWPORT, box);
  return Picture{box[2], box[3], GLTestContext::readPixels(box[0], box[1], box[2], box[3])};
}

namespace {

void wire(PostProcessEffect& effect, int width, int height) {
  effect.shader = loadShader("post_process_shader", "PostProcess");
  effect.sourceFBO = addFBO("staging0", width, height, true);
}

void wire(GlowEffect& effect, int width, int height) {
  effect.glowPre = addFBO("glow_pre", width, height);
  effect.blurY = addFBO("blury", width, height);
  effect.blurPre = addFBO("blur_pre", width, height);
  effect.blurX = addFBO("blurx", width, height);
  effect.blurXShader = loadShader("blur_x", "Gaussian_x");
  effect.blurYShader = loadShader("blur_y", "Gaussian_y");
  effect.screenShader = loadShader("screen", "Screen");
  effect.bncShader = loadShader("b_n_c_shader", "BrightnessContrast");
}

void wire(RadialBlurEffect& effect, int width, int height) {
  effect.sourceFBO = addFBO("staging0", width, height, true);
  effect.copyFBO = addFBO("offscreen0", width, height, true);
  effect.workFBO = addFBO("blurx", width, height);
  effect.accumFBO = addFBO("blury", width, height);
  effect.zoomShader = loadShader("zoom_blend", "ZoomBlend");
  effect.screenShader = loadShader("screen", "Screen");
}

void wire(CreditsEffect& effect, int width, int height) {
  effect.shader = loadShader("screen_opacity", "ScreenOpacity");
  effect.backgroundFBO = addFBO("staging0", width, height, true);
  effect.outputFBO = addFBO("staging1", width, height, true);
}

}  // namespace

template <class GradingEffect>
GradingEffect* makeGrading(int width, int height, FBO* target,
                           const std::function<void(GradingEffect&)>& pictures) {
  GradingEffect* effect = new GradingEffect();
  wire(*effect, width, height);
  pictures(*effect);
  effect->tracked = true;
  effect->createTracks();
  KVRDemosys::effectInstancePool->add("grading_effect", effect);
  EffectTrackSet* set = new EffectTrackSet("grading_effect");
  set->effect = effect;
  set->startStop = new TrackStartStop(0);
  set->startStop->InsertPair(new StartStopKeyframe(0, StartStopKeyframe::Start, "target", target),
                             new StartStopKeyframe(100000, StartStopKeyframe::Stop));
  for (int i = 0; i < effect->GetTrackCount(); ++i) set->AddTrack(effect->GetTrackAt(i));
  effect->HandOverTracks();
  KVRDemosys::tracks->AddSet(set);
  KVRDemosys::tracks->BuildOrder();
  effect->init();
  return effect;
}

template PostProcessEffect* makeGrading(int, int, FBO*, const std::function<void(PostProcessEffect&)>&);
template GlowEffect* makeGrading(int, int, FBO*, const std::function<void(GlowEffect&)>&);
template RadialBlurEffect* makeGrading(int, int, FBO*, const std::function<void(RadialBlurEffect&)>&);
template CreditsEffect* makeGrading(int, int, FBO*, const std::function<void(CreditsEffect&)>&);

void setValues(std::initializer_list<std::pair<TrackInterpolate*, float>> values) {
  for (const auto& [track, value] : values) track->InsertKeyframe(new ValueKeyframe(0, value));
}

void step(uint32_t timeMs, uint32_t deltaMs) {
  KVRDemosys::tracks->Step(timeMs, KVRDemosys::tracks->RowAt(timeMs), deltaMs);
}

}  // namespace EffectHarness
