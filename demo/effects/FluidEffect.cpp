#include "effects/FluidEffect.h"

#include <GL/glew.h>

#include <utility>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "effects/TrackValue.h"

namespace {

const int PRESSURE_ITERATIONS = 8;

void setWrap(FBO* fbo, GLenum wrap) {
  if (Texture* texture = getColorTexture(fbo, 0)) texture->setWrap(wrap);
}

}  // namespace

void FluidEffect::preDraw(uint32_t time) {}

void FluidEffect::postDraw(uint32_t time) {}

Effect* FluidEffect::clone() { return new FluidEffect(); }

void FluidEffect::createTracks() {
  NewTrack("source", source);
  NewTrack("time_step", timeStep);
  NewTrack("xpos", xpos);
  NewTrack("ypos", ypos);
  NewTrack("opacity", opacity);
}

// Velocity samples outside the grid read the border colour, so the walls hold no flow.
void FluidEffect::init() {
  for (FBO* dye : {m_densities, m_densities_prev, m_d_tmp}) setWrap(dye, GL_CLAMP_TO_EDGE);
  for (FBO* velocity : {m_velocities_u, m_velocities_v, m_velocities_u_prev, m_velocities_v_prev, m_v_tmp})
    setWrap(velocity, GL_CLAMP_TO_BORDER);
  m_source = m_prev_source = 0.0f;
  SetSource(0.0f);
}

void FluidEffect::drawQuad() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-1.0f, 1.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-1.0f, -1.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(1.0f, -1.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(1.0f, 1.0f);
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void FluidEffect::copy(FBO* from, FBO* to) {
  bind(to);
  getColorTexture(from, 0)->drawFullscreen();
}

void FluidEffect::clearField(FBO* field) {
  bind(field);
  clear(field);
}

FBO* FluidEffect::beginScratch(bool velocity) {
  m_tmp = velocity ? m_v_tmp : m_d_tmp;
  clearField(m_tmp);
  return m_tmp;
}

void FluidEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  m_dt = static_cast<float>(static_cast<double>(static_cast<uint64_t>(delta)) * 0.0005);
  m_source = trackValue(source, time);
  if (m_source != m_prev_source) {
    SetSource(m_source);
    m_prev_source = m_source;
  }
  m_time = static_cast<float>(time);
  VelocityStep();
  DensityStep();
  composite(time, target);
}

void FluidEffect::composite(uint32_t time, FBO* target) {
  bind(target);
  markUsed(target);
  compositeShader->bind();
  compositeShader->bindTexture0("source0", getColorTexture(m_densities, 0));
  compositeShader->bindTexture1("source1", getColorTexture(backgroundFBO, 0));
  compositeShader->setUniform("source0_opacity", trackValue(opacity, time));
  compositeShader->setUniform("source1_opacity", 1.0f);
  for (int s = 1; s <= 6; ++s) {
    if (m_source != static_cast<float>(s)) continue;
    compositeShader->setUniform("position", trackValue(xpos, time), trackValue(ypos, time));
    compositeShader->setUniform("scale", 3.0f, 1.8f);
  }
  drawQuad();
  compositeShader->unbind();
}

void FluidEffect::SetSource(float s) {
  clearField(m_densities_prev);
  clearField(m_velocities_u_prev);
  clearField(m_velocities_v_prev);
  m_dt = 0.0f;
  struct Pour {
    float source;
    Texture* dye;
    Texture* u;
    Texture* v;
  };
  const Pour pours[] = {
      {1.0f, kelvaroLogoSmall, uSource3, vSource3}, {2.0f, brinovaLogoSmall, uSource2, vSource2},
      {3.0f, quorSmall, uSource2, vSource2},        {4.0f, miztSmall, uSource3, vSource2},
      {5.0f, ovarSmall, uSource3, vSource3},        {6.0f, sendrikSmall, uSource2, vSource3},
  };
  for (const Pour& pour : pours) {
    if (s != pour.source) continue;
    bind(m_densities_source);
    pour.dye->drawFullscreen();
    copy(m_densities_source, m_densities);
    pourVelocity(pour.u, m_velocities_u_source, m_velocities_u);
    pourVelocity(pour.v, m_velocities_v_source, m_velocities_v);
  }
}

// The image stores a component as a grey level around 0.5; the normalise pass turns it into velocity.
void FluidEffect::pourVelocity(Texture* image, FBO* sourceGrid, FBO* field) {
  bind(sourceGrid);
  image->drawFullscreen();
  bind(field);
  normalizeShader->bind();
  normalizeShader->bindTexture0("source", getColorTexture(sourceGrid, 0));
  drawQuad();
  normalizeShader->unbind();
}

void FluidEffect::AddSourcePass(FBO* src, FBO* dst, bool velocity) {
  beginScratch(velocity);
  addSourceShader->bind();
  addSourceShader->bindTexture0("source", getColorTexture(src, 0));
  addSourceShader->bindTexture1("destination", getColorTexture(dst, 0));
  addSourceShader->setUniform("time_step", trackValue(timeStep, static_cast<uint32_t>(m_time)));
  drawQuad();
  addSourceShader->unbind();
  copy(m_tmp, dst);
}

void FluidEffect::AdvectPass(FBO* from, FBO* to, FBO* u, FBO* v, bool velocity) {
  beginScratch(velocity);
  advectShader->bind();
  advectShader->bindTexture0("velocities_u", getColorTexture(u, 0));
  advectShader->bindTexture1("velocities_v", getColorTexture(v, 0));
  advectShader->bindTexture2("prev_densities", getColorTexture(from, 0));
  advectShader->setUniform("time_step", m_dt);
  drawQuad();
  advectShader->unbind();
  copy(m_tmp, to);
}

// The pressure lives in m_velocities_u_prev and the divergence in m_velocities_v_prev meanwhile.
void FluidEffect::Project() {
  beginScratch(true);
  projectPass0Shader->bind();
  projectPass0Shader->bindTexture0("velocities_u", getColorTexture(m_velocities_u, 0));
  projectPass0Shader->bindTexture1("velocities_v", getColorTexture(m_velocities_v, 0));
  projectPass0Shader->setUniform("buffer_size", VELOCITY_GRID_SIZE);
  drawQuad();
  projectPass0Shader->unbind();
  copy(m_tmp, m_velocities_v_prev);

  clearField(m_velocities_u_prev);
  for (int i = 0; i < PRESSURE_ITERATIONS; ++i) {
    beginScratch(true);
    projectPass1Shader->bind();
    projectPass1Shader->bindTexture0("source0", getColorTexture(m_velocities_u_prev, 0));
    projectPass1Shader->bindTexture1("source1", getColorTexture(m_velocities_v_prev, 0));
    projectPass1Shader->setUniform("buffer_size", VELOCITY_GRID_SIZE);
    drawQuad();
    projectPass1Shader->unbind();
    copy(m_tmp, m_velocities_u_prev);
  }

  beginScratch(true);
  projectPass2uShader->bind();
  projectPass2uShader->bindTexture0("velocities_u", getColorTexture(m_velocities_u, 0));
  projectPass2uShader->bindTexture1("velocities_u_prev", getColorTexture(m_velocities_u_prev, 0));
  projectPass2uShader->setUniform("buffer_size", VELOCITY_GRID_SIZE);
  drawQuad();
  projectPass2uShader->unbind();
  copy(m_tmp, m_velocities_u);

  beginScratch(true);
  projectPass2vShader->bind();
  projectPass2vShader->bindTexture0("velocities_v", getColorTexture(m_velocities_v, 0));
  projectPass2vShader->bindTexture1("velocities_u_prev", getColorTexture(m_velocities_u_prev, 0));
  projectPass2vShader->setUniform("buffer_size", VELOCITY_GRID_SIZE);
  drawQuad();
  projectPass2vShader->unbind();
  copy(m_tmp, m_velocities_v);
}

void FluidEffect::VelocityStep() {
  AddSourcePass(m_velocities_u_prev, m_velocities_u, true);
  AddSourcePass(m_velocities_v_prev, m_velocities_v, true);
  Project();
  std::swap(m_velocities_u, m_velocities_u_prev);
  std::swap(m_velocities_v, m_velocities_v_prev);
  AdvectPass(m_velocities_u_prev, m_velocities_u, m_velocities_u_prev, m_velocities_v_prev, true);
  AdvectPass(m_velocities_v_prev, m_velocities_v, m_velocities_u_prev, m_velocities_v_prev, true);
}

void FluidEffect::DensityStep() {
  AddSourcePass(m_densities_prev, m_densities, false);
  std::swap(m_densities, m_densities_prev);
  AdvectPass(m_densities_prev, m_densities, m_velocities_u, m_velocities_v, false);
}
