#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class FBO;
class Shader;
class Texture;
class TrackInterpolate;

// Bloom: the image in "glow_pre" blurred horizontally into `blurY`, vertically into `blurPre`,
// and screened over the unblurred image into the target. The resource script sets the
// resource members.
class GlowEffect : public Effect {
 public:
  GlowEffect() = default;
  ~GlowEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  FBO* blurPre = nullptr;
  FBO* blurX = nullptr;  // bound by the script, not drawn with
  FBO* blurY = nullptr;
  FBO* glowPre = nullptr;
  Shader* blurXShader = nullptr;
  Shader* blurYShader = nullptr;
  Shader* screenShader = nullptr;
  Shader* bncShader = nullptr;  // bound by the script, not drawn with
  Texture* kernel = nullptr;

  TrackInterpolate* preBrightness = nullptr;
  TrackInterpolate* preContrast = nullptr;
  TrackInterpolate* postBrightness = nullptr;
  TrackInterpolate* postContrast = nullptr;
  TrackInterpolate* blurRadius = nullptr;
  TrackInterpolate* kernelAmp = nullptr;

 private:
  // One separable pass of `source` into `destination`, then brightness and contrast.
  void blurPass(Shader* shader, FBO* source, FBO* destination, float brightness, float contrast,
                uint32_t time);
};
