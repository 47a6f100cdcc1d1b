#pragma once

#include "demosys/scene/ShaderCache.h"

class ShaderInstance;

// Brinova lights every object of every scene with the one shader "standard_light".
class BrinovaShaderCache : public ShaderCache {
 public:
  ~BrinovaShaderCache() override;
  void setup() override;

 private:
  // Shared by every object, so not stored under a name of the cache.
  ShaderInstance* standardLight = nullptr;
};
