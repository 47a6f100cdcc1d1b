#pragma once

#include "demosys/runtime/ResourceDefinition.h"

// A three-second production for capture tests: one shader, one framebuffer object "offscreen",
// the music "tone.mp3" and four tracked instances (tint_effect, present_effect,
// wrong_uniform_effect, feedback_effect) whose timeline the test packs with the archive.
class CaptureTestDemo : public ResourceDefinition {
 public:
  void setup(ScreenMetrics* metrics) override;
  void defineResources() override;
  void defineEffects() override;
  void defineInstances() override;
};
