#pragma once

#include <string>

#include "demosys/core/Definitions.h"

class Animation;
class Binary;
class KVRScene;
class Effect;
class FBO;
class ScreenMetrics;
class Shader;
class Texture;

// The base of a demo's resource script: what to load, which effects exist and which
// instances to create, how long the demo runs and which music plays. The loading stages call
// the virtual operations at fixed points; the protected operations fill the engine's lists.
class ResourceDefinition {
 public:
  virtual ~ResourceDefinition() = default;
  // Before the window exists: a 1280 x 768 window, clip planes 1 to 1000, the whole time range.
  virtual void setup(ScreenMetrics* metrics);
  virtual void defineResources() {}
  virtual void defineEffects() {}
  virtual void defineInstances() {}
  // While set, the resource lookups answer null instead of stopping the program, so that
  // defineInstances can make the instances and their tracks with nothing loaded (a listing of
  // what a timeline may name, without a window or GL).
  void setResourcesAbsent(bool absent) { resourcesAbsent = absent; }

 protected:
  void AddShader(const ShaderDefinition& definition);
  void AddTexture(const TextureDefinition& definition);
  void AddObject(const FileDefinition& definition);
  void AddBinary(const FileDefinition& definition);
  void AddAnimation(const FileDefinition& definition);
  void SetMusic(const std::string& fileName);
  void SetStartTime(const std::string& text);
  // The pool owns the framebuffer from here; it is cleared once and the screen bound again.
  void AddFBO(const std::string& name, FBO* fbo);
  void DefineEffect(const std::string& typeName, Effect* prototype);
  // A clone of the type's prototype with its tracks made, stored under instanceName.
  Effect* CreateEffectInstance(std::string typeName, std::string instanceName, bool tracked);

  // Resources by name, after the stage that loads them; a missing name stops the program.
  Shader* GetShader(std::string name);
  Texture* GetTexture(std::string name);
  FBO* GetFBO(std::string name);
  Binary* GetBinary(std::string name);
  KVRScene* GetScene(std::string name);
  Animation* GetAnimation(std::string name);
  void SetEndTime(const std::string& text);

 private:
  bool resourcesAbsent = false;
};
