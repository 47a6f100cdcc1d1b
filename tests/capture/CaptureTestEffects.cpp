#include <GL/glew.h>

#include "capture/CaptureTestDemo.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/runtime/TrackData.h"

void TintTestEffect::init() { shader = GetShader("capture_tint"); }

void TintTestEffect::draw(uint32_t time, uint32_t delta, FBO* fbo) {
  bind(fbo);
  markUsed(fbo);
  glDisable(GL_DEPTH_TEST);
  Texture* texture = sampled ? getColorTexture(*sampled ? GetFBO(sampled) : fbo, 0) : nullptr;
  if (texture) texture->bind();
  shader->bind();
  shader->setUniform("red", (time % 1000) / 1000.0f);
  shader->setUniform(greenUniform, KVRDemosys::tracks->GetValue(green, time));
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);  // the shader places its vertices as given
  shader->unbind();
  if (texture) texture->unbind();
}
