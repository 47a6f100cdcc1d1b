#include "demosys/runtime/ResourceDefinition.h"

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/io/DataBinaryPool.h"
#include "demosys/runtime/DataEffectPool.h"
#include "demosys/scene/DataAnimationPool.h"
#include "demosys/scene/DataObjectPool.h"

void ResourceDefinition::setup(ScreenMetrics* metrics) {
  metrics->setSize(1280, 768);
  metrics->setNearPlane(1.0f);
  metrics->setFarPlane(1000.0f);
  metrics->setFullscreen(false);
  SetStartTime("00:00:00");
  SetEndTime("99:00:00");
}

void ResourceDefinition::AddShader(const ShaderDefinition& definition) {
  KVRDemosys::shaderDefinitions.push_back(definition);
}

void ResourceDefinition::AddTexture(const TextureDefinition& definition) {
  KVRDemosys::textureDefinitions.push_back(definition);
}

void ResourceDefinition::AddObject(const FileDefinition& definition) {
  KVRDemosys::objectDefinitions.push_back(definition);
}

void ResourceDefinition::AddBinary(const FileDefinition& definition) {
  KVRDemosys::binaryDefinitions.push_back(definition);
}

void ResourceDefinition::AddAnimation(const FileDefinition& definition) {
  KVRDemosys::animationDefinitions.push_back(definition);
}

void ResourceDefinition::SetMusic(const std::string& fileName) { KVRDemosys::musicFile = fileName; }

void ResourceDefinition::SetStartTime(const std::string& text) { KVRDemosys::startTime = TimeCode::parse(text); }

void ResourceDefinition::SetEndTime(const std::string& text) { KVRDemosys::endTime = TimeCode::parse(text); }

void ResourceDefinition::AddFBO(const std::string& name, FBO* fbo) {
  KVRDemosys::fboPool->add(name, fbo);
  clear(fbo);
  bind(nullptr);
}

void ResourceDefinition::DefineEffect(const std::string& typeName, Effect* prototype) {
  KVRDemosys::effectTypePool->add(typeName, prototype);
}

Effect* ResourceDefinition::CreateEffectInstance(std::string typeName, std::string instanceName, bool tracked) {
  Effect* effect = KVRDemosys::effectTypePool->get(typeName);
  KVR_ASSERT(effect != nullptr, "effect != __null");
  Effect* instance = effect->clone();
  instance->tracked = tracked;
  instance->createTracks();
  KVRDemosys::effectInstancePool->add(instanceName, instance);
  return instance;
}

Shader* ResourceDefinition::GetShader(std::string name) {
  if (resourcesAbsent) return nullptr;
  Shader* shader = KVRDemosys::shaderPool->get(name);
  KVR_ASSERT(shader != nullptr, "shader != __null");
  return shader;
}

Texture* ResourceDefinition::GetTexture(std::string name) {
  if (resourcesAbsent) return nullptr;
  Texture* tex = KVRDemosys::texturePool->get(name);
  KVR_ASSERT(tex != nullptr, "tex!=__null");
  return tex;
}

FBO* ResourceDefinition::GetFBO(std::string name) {
  if (resourcesAbsent) return nullptr;
  FBO* fbo = KVRDemosys::fboPool->get(name);
  KVR_ASSERT(fbo != nullptr, "fbo != __null");
  return fbo;
}

Binary* ResourceDefinition::GetBinary(std::string name) {
  if (resourcesAbsent) return nullptr;
  Binary* bin = KVRDemosys::binaryPool->get(name);
  KVR_ASSERT(bin != nullptr, "bin != __null");
  return bin;
}

KVRScene* ResourceDefinition::GetScene(std::string name) {
  if (resourcesAbsent) return nullptr;
  KVRScene* scene = KVRDemosys::sceneDataPool->get(name);
  KVR_ASSERT(scene != nullptr, "scene != __null");
  return scene;
}

Animation* ResourceDefinition::GetAnimation(std::string name) {
  if (resourcesAbsent) return nullptr;
  Animation* anim = KVRDemosys::animationPool->get(name);
  KVR_ASSERT(anim != nullptr, "anim != __null");
  return anim;
}
