#include "effects/PostProcessEffect.h"

#include <GL/glew.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "effects/FullscreenPass.h"
#include "effects/TrackValue.h"

void PostProcessEffect::preDraw(uint32_t time) {}

void PostProcessEffect::postDraw(uint32_t time) {}

Effect* PostProcessEffect::clone() { return new PostProcessEffect(); }

void PostProcessEffect::createTracks() {
  NewTrack("brightness", brightness);
  NewTrack("contrast", contrast);
  NewTrack("negative", negative);
  NewTrack("fade", fade);
  NewTrack("fade_r", fadeR);
  NewTrack("fade_g", fadeG);
  NewTrack("fade_b", fadeB);
  NewTrack("noise_strength", noiseStrength);
  NewTrack("vignett_radius", vignettRadius);
}

void PostProcessEffect::init() {
  noiseOffset = 0.0f;
  gradientScrollX = 0.5f;
  gradientScrollY = -0.125f;
  thresholdTexture->setWrap(GL_CLAMP_TO_EDGE);
}

void PostProcessEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  FullscreenPass::pushIdentityMatrices();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  bind(target);
  markUsed(target);

  shader->bind();
  setGradingUniforms(time);
  FullscreenPass::drawQuad();
  shader->unbind();

  advance(delta);
  drawOverlay();

  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  FullscreenPass::popMatrices();
}

void PostProcessEffect::setGradingUniforms(uint32_t time) {
  shader->setUniform("brightness", trackValue(brightness, time));
  shader->setUniform("contrast", trackValue(contrast, time));
  shader->setUniform("negative", trackValue(negative, time));
  shader->setUniform("fade", trackValue(fade, time));
  shader->setUniform("fade_color", trackValue(fadeR, time), trackValue(fadeG, time), trackValue(fadeB, time));
  shader->bindTexture0("image", getColorTexture(sourceFBO, 0));
  shader->setUniform("gradient_scroll", gradientScrollX, gradientScrollY);
  shader->setUniform("gradient_col0", 0.0f, 0.25f, 0.5f);
  shader->setUniform("gradient_col1", 0.0f, 0.5f, 0.25f);
  shader->setUniform("vignett_radius", trackValue(vignettRadius, time));
  shader->bindTexture1("noise", noiseTexture);
  shader->setUniform("noise_offset", noiseOffset);
  shader->setUniform("noise_strength", trackValue(noiseStrength, time));
  shader->bindTexture2("threshold", thresholdTexture);
}

// Summed in extended precision so that many small deltas do not get lost in the floats.
void PostProcessEffect::advance(uint32_t delta) {
  const long double elapsed = delta;
  gradientScrollX = static_cast<float>(gradientScrollX + 0.00005L * elapsed);
  gradientScrollY = static_cast<float>(gradientScrollY - 0.00005L * elapsed);
  noiseOffset = static_cast<float>(noiseOffset + 0.00025L * elapsed);
}

// Only the top-left 960 x 540 of the 1024 x 1024 overlay picture is the frame.
void PostProcessEffect::drawOverlay() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
  overlayTexture->bind();
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.4727f);
  glVertex2f(-1.0f, -1.0f);
  glTexCoord2f(0.9375f, 0.4727f);
  glVertex2f(1.0f, -1.0f);
  glTexCoord2f(0.9375f, 1.0f);
  glVertex2f(1.0f, 1.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-1.0f, 1.0f);
  glEnd();
  overlayTexture->unbind();
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
}
