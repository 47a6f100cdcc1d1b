#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class Shader;

// Small effects for capture tests, each drawing flat over the whole of its target.

// A colour from the shader "capture_tint": red follows the time within each second, and the
// uniform `greenUniform` the "green" track. Given a name the shader lacks, it makes the typing
// mistake a demo maker would make.
class TintTestEffect : public Effect {
 public:
  explicit TintTestEffect(const char* greenUniform) : greenUniform(greenUniform) {}
  void init() override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new TintTestEffect(greenUniform); }
  void createTracks() override { NewTrack("green", green); }

 private:
  const char* greenUniform;
  Shader* shader = nullptr;
  TrackInterpolate* green = nullptr;
};

// Shows the colour texture of the framebuffer object `source`, or, without one, of the
// framebuffer it draws into (a feedback loop).
class PresentTestEffect : public Effect {
 public:
  explicit PresentTestEffect(const char* source) : source(source) {}
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new PresentTestEffect(source); }

 private:
  const char* source;
};
