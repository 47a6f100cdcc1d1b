#include "content/BrinovaShaderCache.h"

#include "demosys/scene/KVRObject.h"
#include "demosys/scene/KVRScene.h"
#include "demosys/scene/ShaderInstance.h"

BrinovaShaderCache::~BrinovaShaderCache() { delete standardLight; }

void BrinovaShaderCache::setup() {
  Shader* shader = GetShader("standard_light");
  delete standardLight;
  standardLight = new ShaderInstance(shader);
  for (int i = 0; i < GetSceneCount(); ++i) {
    KVRScene* scene = GetScene(i);
    if (!scene) continue;
    for (int j = 0; j < scene->getObjectCount(); ++j) scene->getObject(j)->setShaderInstance(standardLight);
  }
}
