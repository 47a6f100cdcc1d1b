#include "capture/CaptureTestEffects.h"

#include <GL/glew.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/TrackData.h"

namespace {

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
  shader->setUniform(greenUniform, KVRDemosys::tracks->GetValue(green, time));
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);  // the shader places its vertices as given
  shader->unbind();
}

void PresentTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  getColorTexture(source ? GetFBO(source) : fbo, 0)->drawFullscreen();
}
