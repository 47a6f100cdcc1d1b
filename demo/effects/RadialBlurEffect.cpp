#include "effects/RadialBlurEffect.h"

#include <GL/glew.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "effects/FullscreenPass.h"
#include "effects/TrackValue.h"

void RadialBlurEffect::preDraw(uint32_t time) {}

void RadialBlurEffect::postDraw(uint32_t time) {}

Effect* RadialBlurEffect::clone() { return new RadialBlurEffect(); }

void RadialBlurEffect::createTracks() {
  NewTrack("num_passes", numPasses);
  NewTrack("multiply", multiply);
}

void RadialBlurEffect::init() {
  zoom = 0.0f;
  alpha = 1.0f;
}

float RadialBlurEffect::alphaStepFor(float passes) {
  // The negated test also catches NaN.
  if (!(passes > 0.0f)) return 1.0f;
  return 1.0f / passes;
}

void RadialBlurEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  FullscreenPass::pushIdentityMatrices();
  // The copies land in framebuffers that may still hold a scene's depth; the caller's depth
  // test comes back afterwards.
  const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_TEST);
  zoom = 1.0f;
  alpha = 1.0f;

  bind(workFBO);
  drawTexture(sourceFBO);
  bind(copyFBO);
  drawTexture(sourceFBO);
  bind(accumFBO);
  clear(accumFBO);

  zoomStep = 0.033333335f;
  alphaStep = alphaStepFor(trackValue(numPasses, time));
  const float multiplyValue = trackValue(multiply, time);
  for (int pass = 0; pass < PASS_COUNT; ++pass) {
    passAlpha[pass] = alpha;
    zoomPass(multiplyValue);
    alpha -= alphaStep;
    zoom += zoomStep;
  }

  bind(target);
  screenShader->bind();
  screenShader->bindTexture0("source0", getColorTexture(accumFBO, 0));
  screenShader->bindTexture1("source1", getColorTexture(copyFBO, 0));
  FullscreenPass::drawQuad();
  screenShader->unbind();
  if (depthTest) glEnable(GL_DEPTH_TEST);
  FullscreenPass::popMatrices();
}

void RadialBlurEffect::zoomPass(float multiplyValue) {
  // The pass before left workFBO bound; switch to accumFBO before workFBO's texture is bound,
  // so that no texture is ever bound while its own framebuffer is the render target.
  bind(accumFBO);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  zoomShader->bind();
  zoomShader->setUniform("zoom_factor", zoom);
  zoomShader->setUniform("alpha", alpha);
  zoomShader->setUniform("multiply", multiplyValue);
  zoomShader->bindTexture0("Texture", getColorTexture(workFBO, 0));
  drawTexture(workFBO);
  zoomShader->unbind();
  glDisable(GL_BLEND);
  bind(workFBO);
  drawTexture(accumFBO);
}
