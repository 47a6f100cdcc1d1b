#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class FBO;
class Shader;
class TrackInterpolate;

// Zoom blur of "staging0": 30 passes each blend a slightly more zoomed copy of the running
// result over it with falling opacity, then the streaks are screened over the unblurred
// image into the target. The resource script sets the resource members.
class RadialBlurEffect : public Effect {
 public:
  static const int PASS_COUNT = 30;

  RadialBlurEffect() = default;
  ~RadialBlurEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  // The opacity lost per pass for a "num_passes" value. Values of 0 and below (an empty
  // track) would divide by zero; they fade out after the first pass as one pass would.
  static float alphaStepFor(float numPasses);

  Shader* zoomShader = nullptr;
  Shader* screenShader = nullptr;
  FBO* sourceFBO = nullptr;
  FBO* copyFBO = nullptr;
  FBO* workFBO = nullptr;
  FBO* accumFBO = nullptr;

  float zoom = 0.0f;
  float zoomStep = 0.0f;
  float alpha = 1.0f;
  float alphaStep = 0.0f;

  TrackInterpolate* numPasses = nullptr;
  TrackInterpolate* multiply = nullptr;

  // The opacity of each pass of the last draw, in pass order.
  float passAlpha[PASS_COUNT] = {};

 private:
  void zoomPass(float multiplyValue);
};
