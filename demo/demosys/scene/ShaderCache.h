#pragma once

#include <map>
#include <string>

class KVRScene;
class Shader;
class ShaderInstance;
class Texture;

// The registry of named shader instances, and the place where a demo decides once after
// loading (`setup`) which scene objects get which instance. Owns the instances it stores.
class ShaderCache {
 public:
  ShaderCache() = default;
  virtual ~ShaderCache();
  ShaderCache(const ShaderCache&) = delete;
  ShaderCache& operator=(const ShaderCache&) = delete;

  virtual void setup() {}

  // Unknown names and duplicates stop the program.
  ShaderInstance* getShaderInstance(std::string name);
  void addShaderInstance(std::string name, ShaderInstance* instance);

  Shader* GetShader(std::string name);
  Texture* GetTexture(std::string name);
  KVRScene* GetScene(std::string name);
  int GetSceneCount();
  // The index-th scene of the object pool in name order.
  KVRScene* GetScene(int i);

 private:
  std::map<std::string, ShaderInstance*> instances;
};
