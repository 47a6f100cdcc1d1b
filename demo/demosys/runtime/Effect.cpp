#include "demosys/runtime/Effect.h"

#include <iostream>

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/io/DataBinaryPool.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/scene/DataAnimationPool.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/ShaderCache.h"
#include "demosys/timing/TrackInterpolate.h"

Effect::~Effect() {
  if (tracksHandedOver) return;
  for (TrackInterpolate* track : trackList) delete track;
}

void Effect::preDraw(uint32_t time) {}

void Effect::draw(uint32_t time, uint32_t delta, FBO* target) {
  std::cout << "Fallback draw method! This should never happen!" << std::endl;
}

void Effect::postDraw(uint32_t time) {}

void Effect::init() {}

void Effect::prepareAhead() {}

Effect* Effect::clone() { return new Effect(); }

void Effect::createTracks() {}

void Effect::NewTrack(const std::string& name, TrackInterpolate*& slot) {
  slot = new TrackInterpolate(name);
  trackList.push_back(slot);
}

Shader* Effect::GetShader(std::string name) {
  Shader* shader = KVRDemosys::shaderPool->get(name);
  KVR_ASSERT(shader != nullptr, "shader != __null");
  return shader;
}

Texture* Effect::GetTexture(std::string name) {
  Texture* tex = KVRDemosys::texturePool->get(name);
  KVR_ASSERT(tex != nullptr, "tex!=__null");
  return tex;
}

FBO* Effect::GetFBO(std::string name) {
  FBO* fbo = KVRDemosys::fboPool->get(name);
  KVR_ASSERT(fbo != nullptr, "fbo != __null");
  return fbo;
}

KVRScene* Effect::GetScene(std::string name) {
  KVRScene* scene = KVRDemosys::sceneDataPool->get(name);
  KVR_ASSERT(scene != nullptr, "scene != __null");
  return scene;
}

Binary* Effect::GetBinary(std::string name) {
  Binary* bin = KVRDemosys::binaryPool->get(name);
  KVR_ASSERT(bin != nullptr, "bin != __null");
  return bin;
}

Animation* Effect::GetAnimation(std::string name) {
  Animation* anim = KVRDemosys::animationPool->get(name);
  KVR_ASSERT(anim != nullptr, "anim != __null");
  return anim;
}

Effect* Effect::GetEffect(std::string name) {
  Effect* effect = KVRDemosys::effectInstancePool->get(name);
  KVR_ASSERT(effect != nullptr, "effect != __null");
  return effect;
}

ShaderInstance* Effect::GetShaderInstance(std::string name) { return KVRDemosys::shaderCache->getShaderInstance(name); }
