#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class Shader;

// Small effects for capture tests, each drawing a flat quad into its target.

// A flat colour: red follows the time within each second, green its "green" track.
class TintTestEffect : public Effect {
 public:
  void init() override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new TintTestEffect(); }
  void createTracks() override { NewTrack("green", green); }

 private:
  Shader* shader = nullptr;
  TrackInterpolate* green = nullptr;
};

// Shows the colour texture of the framebuffer object "offscreen".
class PresentTestEffect : public Effect {
 public:
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new PresentTestEffect(); }
};

// Sets a uniform the shader does not have (a typing mistake a demo maker would make).
class WrongUniformTestEffect : public Effect {
 public:
  void init() override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new WrongUniformTestEffect(); }

 private:
  Shader* shader = nullptr;
};

// Samples the colour texture of the framebuffer it draws into.
class FeedbackTestEffect : public Effect {
 public:
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  Effect* clone() override { return new FeedbackTestEffect(); }
};
