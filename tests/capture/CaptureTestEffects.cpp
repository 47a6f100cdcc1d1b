#include "capture/CaptureTestEffects.h"

#include <GL/glew.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/TrackData.h"

namespace {

void drawQuad(float left, float bottom, float right, float top) {
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}

void target(FBO* fbo) {
  bind(fbo);
  markUsed(fbo);
}

}  // namespace

void TintTestEffect::init() { shader = GetShader("capture_tint"); }

void TintTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  shader->bind();
  shader->setUniform("red", (time % 1000) / 1000.0f);
  shader->setUniform("green", KVRDemosys::tracks->GetValue(green, time));
  drawQuad(-1.0f, -1.0f, 1.0f, 1.0f);
  shader->unbind();
}

void PresentTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  glDisable(GL_DEPTH_TEST);
  getColorTexture(GetFBO("offscreen"), 0)->drawFullscreen();
  glEnable(GL_DEPTH_TEST);
}

void WrongUniformTestEffect::init() { shader = GetShader("capture_tint"); }

void WrongUniformTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  shader->bind();
  shader->setUniform("red", 1.0f);
  shader->setUniform("gren", 1.0f);
  drawQuad(-0.25f, -0.25f, 0.25f, 0.25f);
  shader->unbind();
}

void FeedbackTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  target(fbo);
  glDisable(GL_DEPTH_TEST);
  getColorTexture(fbo, 0)->drawFullscreen();
  glEnable(GL_DEPTH_TEST);
}
