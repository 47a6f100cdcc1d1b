#pragma once

#include <cstdint>
#include <vector>

#include "demosys/runtime/ResourceDefinition.h"

// The production Brinova: what it loads, which effects it uses, how long it runs.
class BrinovaResources : public ResourceDefinition {
 public:
  // Keeps the launcher's window choice; sets only the clip planes and the time range.
  void setup(ScreenMetrics* metrics) override;
  void defineResources() override;
  void defineEffects() override;
  // The nine instances, each bound to the resources it draws with.
  void defineInstances() override;

  struct ScreenTarget {
    const char* name;
    bool depth;
    int32_t width;
    int32_t height;
  };
  // The eight screen-space framebuffers for a quality level and window size; none outside 0..3.
  static std::vector<ScreenTarget> screenTargets(int32_t quality, int32_t width, int32_t height);

 private:
  void defineTextures();
  void defineShaders();
  void defineFramebuffers();
  void bindUnderwater();
  void bindPostProcess();
  void bindGlow();
  void bindParticleCreatures();
  void bindParticleCreatures2();
  void bindFluid();
  void bindCredits();
  void bindRadialBlur();
};
