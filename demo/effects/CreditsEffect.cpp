#include "effects/CreditsEffect.h"

#include <GL/glew.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "effects/FullscreenPass.h"
#include "effects/TrackValue.h"

void CreditsEffect::preDraw(uint32_t time) {}

void CreditsEffect::postDraw(uint32_t time) {}

void CreditsEffect::prepare() {}

Effect* CreditsEffect::clone() { return new CreditsEffect(); }

void CreditsEffect::createTracks() {
  NewTrack("index", index);
  NewTrack("xpos", xpos);
  NewTrack("ypos", ypos);
  NewTrack("scale", scale);
  NewTrack("alpha", alpha);
}

void CreditsEffect::init() {
  prepare();
  for (Texture* image : images) image->setWrap(GL_CLAMP_TO_EDGE);
}

Texture* CreditsEffect::imageFor(float value) const {
  for (int i = 0; i < IMAGE_COUNT; ++i)
    if (value == static_cast<float>(i)) return images[i];
  return nullptr;
}

void CreditsEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  // The target may hold a scene's depth ("staging0"); the caller's depth test comes back afterwards.
  const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_TEST);
  bind(outputFBO);
  markUsed(outputFBO);
  shader->bind();
  // Between exact indices the unit keeps whatever picture it held before.
  Texture* image = imageFor(trackValue(index, time));
  if (image) shader->bindTexture0("source0", image);
  shader->bindTexture1("source1", getColorTexture(backgroundFBO, 0));
  shader->setUniform("source0_opacity", trackValue(alpha, time));
  shader->setUniform("source1_opacity", 1.0f);
  shader->setUniform("position", trackValue(xpos, time), trackValue(ypos, time));
  const float size = trackValue(scale, time);
  shader->setUniform("scale", size, 5.0f * size);
  FullscreenPass::pushIdentityMatrices();
  FullscreenPass::drawQuad();
  FullscreenPass::popMatrices();
  shader->unbind();

  bind(target);
  drawTexture(outputFBO);
  if (depthTest) glEnable(GL_DEPTH_TEST);
}
