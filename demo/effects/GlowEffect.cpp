#include "effects/GlowEffect.h"

#include <GL/glew.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "effects/FullscreenPass.h"
#include "effects/TrackValue.h"

void GlowEffect::preDraw(uint32_t time) {}

void GlowEffect::postDraw(uint32_t time) {}

void GlowEffect::init() {}

Effect* GlowEffect::clone() { return new GlowEffect(); }

void GlowEffect::createTracks() {
  NewTrack("pre_brightness", preBrightness);
  NewTrack("pre_contrast", preContrast);
  NewTrack("post_brightness", postBrightness);
  NewTrack("post_contrast", postContrast);
  NewTrack("blur_radius", blurRadius);
  NewTrack("kernel_amp", kernelAmp);
}

void GlowEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  FullscreenPass::pushIdentityMatrices();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);

  blurPass(blurXShader, glowPre, blurY, trackValue(preBrightness, time), trackValue(preContrast, time), time);
  blurPass(blurYShader, blurY, blurPre, trackValue(postBrightness, time), trackValue(postContrast, time),
           time);

  bind(target);
  markUsed(target);
  screenShader->bind();
  screenShader->bindTexture0("source0", getColorTexture(blurPre, 0));
  screenShader->bindTexture1("source1", getColorTexture(glowPre, 0));
  FullscreenPass::drawQuad();
  screenShader->unbind();

  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  FullscreenPass::popMatrices();
}

void GlowEffect::blurPass(Shader* shader, FBO* source, FBO* destination, float brightness, float contrast,
                          uint32_t time) {
  bind(destination);
  markUsed(destination);
  shader->bind();
  shader->bindTexture0("source", getColorTexture(source, 0));
  shader->bindTexture1("kernel", kernel);
  shader->setUniform("blur_radius", trackValue(blurRadius, time));
  shader->setUniform("texture_size", static_cast<float>(getWidth(source)));
  shader->setUniform("adjustment", trackValue(kernelAmp, time));
  shader->setUniform("brightness", brightness);
  shader->setUniform("contrast", contrast);
  FullscreenPass::drawQuad();
  shader->unbind();
}
