#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class FBO;
class Shader;
class Texture;
class TrackInterpolate;

// The final grade: the image in `sourceFBO` graded in one shader pass into the target, then the
// frame overlay laid over it. The resource script sets the resource members.
class PostProcessEffect : public Effect {
 public:
  PostProcessEffect() = default;
  ~PostProcessEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  Shader* shader = nullptr;
  Texture* noiseTexture = nullptr;
  Texture* overlayTexture = nullptr;
  Texture* thresholdTexture = nullptr;
  FBO* sourceFBO = nullptr;

  TrackInterpolate* brightness = nullptr;
  TrackInterpolate* contrast = nullptr;
  TrackInterpolate* negative = nullptr;
  TrackInterpolate* fade = nullptr;
  TrackInterpolate* fadeR = nullptr;
  TrackInterpolate* fadeG = nullptr;
  TrackInterpolate* fadeB = nullptr;
  TrackInterpolate* noiseStrength = nullptr;
  TrackInterpolate* vignettRadius = nullptr;

  // Animation state, advanced only in frames the instance draws.
  float noiseOffset = 0.0f;
  float gradientScrollX = 0.5f;
  float gradientScrollY = -0.125f;

 private:
  void setGradingUniforms(uint32_t time);
  void advance(uint32_t delta);
  void drawOverlay();
};
