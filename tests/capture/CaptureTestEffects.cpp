#include "capture/CaptureTestEffects.h"

#include <GL/glew.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/TrackData.h"

namespace {

// Every effect here draws flat into its target.
void target(FBO* fbo) {
  bind(fbo);
  markUsed(fbo);
  glDisable(GL_DEPTH_TEST);
}

}  // namespace

void TintTestEffect::init() { shader = GetShader("capture_tint"); }

void TintTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  shader->bind();
  shader->setUniform("red", (time % 1000) / 1000.0f);
  shader->setUniform("green", KVRDemosys::tracks->GetValue(green, time));
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);  // the shader places its vertices as given
  shader->unbind();
}

void PresentTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  getColorTexture(GetFBO("offscreen"), 0)->drawFullscreen();
}

void WrongUniformTestEffect::init() { shader = GetShader("capture_tint"); }

void WrongUniformTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  shader->bind();
  shader->setUniform("red", 1.0f);
  shader->setUniform("gren", 1.0f);
  glRectf(-0.25f, -0.25f, 0.25f, 0.25f);
  shader->unbind();
}

void FeedbackTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  getColorTexture(fbo, 0)->drawFullscreen();
}
