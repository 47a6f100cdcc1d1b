#pragma once

#include "demosys/runtime/Effect.h"
#include "demosys/runtime/ResourceDefinition.h"

class Shader;

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

// The capture tests' effect: a flat colour over the whole of its target from the shader
// "capture_tint", red following the time within each second and the uniform `greenUniform` the
// "green" track. Given a name the shader lacks, it makes the typing mistake a demo maker would
// make. With `sampled` it binds the colour texture of that framebuffer object while drawing, or
// with "" the one of the framebuffer it draws into: a feedback loop.
class TintTestEffect : public Effect {
 public:
  TintTestEffect(const char* greenUniform, const char* sampled)
      : greenUniform(greenUniform), sampled(sampled) {}
  void init() override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new TintTestEffect(greenUniform, sampled); }
  void createTracks() override { NewTrack("green", green); }

 private:
  const char* greenUniform;
  const char* sampled;
  Shader* shader = nullptr;
  TrackInterpolate* green = nullptr;
};
