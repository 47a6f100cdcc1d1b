#pragma once

#include "demosys/runtime/ResourceDefinition.h"

// Wraps a demo's resource script for a capture: the script runs as always, and after its
// set-up the window is made what the capture asks for (size, windowed, no vertical sync, no
// multisampling, the quality level), whatever the script chose.
class CaptureDefinition : public ResourceDefinition {
 public:
  CaptureDefinition(ResourceDefinition* production, int width, int height, int quality)
      : production(production), width(width), height(height), quality(quality) {}

  void setup(ScreenMetrics* metrics) override;
  void defineResources() override { production->defineResources(); }
  void defineEffects() override { production->defineEffects(); }
  void defineInstances() override { production->defineInstances(); }

 private:
  ResourceDefinition* production;
  int width;
  int height;
  int quality;
};
