#include "demosys/scene/ShaderCache.h"

#include "demosys/core/KVRAssert.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataShaderPool.h"
#include "demosys/gl/DataTexturePool.h"
#include "demosys/scene/DataObjectPool.h"
#include "demosys/scene/ShaderInstance.h"

// Demo makers know the cache's failures by the line numbers its reports have always shown,
// so the reports keep those numbers whatever the layout of this file.
#define CACHE_ASSERT(condition, text, line)                                     \
  do {                                                                          \
    if (!(condition)) kvrAssertFail(text, __FILE__, line, __PRETTY_FUNCTION__); \
  } while (0)

ShaderCache::~ShaderCache() {
  for (auto& entry : instances) delete entry.second;
  instances.clear();
}

ShaderInstance* ShaderCache::getShaderInstance(std::string name) {
  auto found = instances.find(name);
  CACHE_ASSERT(found != instances.end(), "0", 40);
  return found->second;
}

void ShaderCache::addShaderInstance(std::string name, ShaderInstance* instance) {
  CACHE_ASSERT(instances.count(name) == 0, "0", 50);
  instances[name] = instance;
}

Shader* ShaderCache::GetShader(std::string name) {
  Shader* shader = KVRDemosys::shaderPool->get(name);
  CACHE_ASSERT(shader != nullptr, "shader != __null", 65);
  return shader;
}

Texture* ShaderCache::GetTexture(std::string name) {
  Texture* tex = KVRDemosys::texturePool->get(name);
  CACHE_ASSERT(tex != nullptr, "tex!=__null", 72);
  return tex;
}

KVRScene* ShaderCache::GetScene(std::string name) {
  KVRScene* scene = KVRDemosys::sceneDataPool->get(name);
  CACHE_ASSERT(scene != nullptr, "scene != __null", 79);
  return scene;
}

int ShaderCache::GetSceneCount() { return KVRDemosys::sceneDataPool->size(); }

// The pool's count may run ahead of its entries (a name added twice); the pool then gives
// null past the last entry.
KVRScene* ShaderCache::GetScene(int i) {
  CACHE_ASSERT(i >= 0 && i < KVRDemosys::sceneDataPool->size(),
               "i >= 0 && i < KVRDemosys::sceneDataPool->size()", 90);
  return KVRDemosys::sceneDataPool->get(i);
}
