#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class Shader;

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
