#pragma once

#include <string>

#include "demosys/Definitions.h"

class ScreenMetrics;

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

 protected:
  void AddShader(const ShaderDefinition& definition);
  void AddTexture(const TextureDefinition& definition);
  void AddObject(const FileDefinition& definition);
  void AddBinary(const FileDefinition& definition);
  void AddAnimation(const FileDefinition& definition);
  void SetMusic(const std::string& fileName);
  void SetStartTime(const std::string& text);
  void SetEndTime(const std::string& text);
};
