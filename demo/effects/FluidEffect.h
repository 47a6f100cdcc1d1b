#pragma once

#include <cstdint>

#include "demosys/runtime/Effect.h"

class Shader;
class Texture;

// A two-dimensional stable-fluids solver on the GPU that pours one of six small credit images in
// as dye, with a pair of swirling velocity fields, and lays the dye over "staging0". Every step
// is a full-screen pass into a scratch FBO that is then copied back; fields and their previous
// values are swapped by exchanging pointers.
class FluidEffect : public Effect {
 public:
  // The velocity grid's size in cells, handed to the projection shaders.
  static constexpr float VELOCITY_GRID_SIZE = 64.0f;

  FluidEffect() = default;
  ~FluidEffect() override = default;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  // Clears the previous fields and, for 1 to 6, pours that source's dye and velocity images in.
  void SetSource(float source);
  void VelocityStep();
  void DensityStep();
  // Adds `src` scaled by the "time_step" track to `dst`.
  void AddSourcePass(FBO* src, FBO* dst, bool velocity);
  // Moves `from` along (u, v) by m_dt into `to`.
  void AdvectPass(FBO* from, FBO* to, FBO* u, FBO* v, bool velocity);
  // Makes (m_velocities_u, m_velocities_v) divergence-free with eight pressure iterations.
  void Project();

  Shader* addSourceShader = nullptr;
  Shader* advectShader = nullptr;
  Shader* projectPass0Shader = nullptr;
  Shader* projectPass1Shader = nullptr;
  Shader* projectPass2uShader = nullptr;
  Shader* projectPass2vShader = nullptr;
  Shader* normalizeShader = nullptr;
  Shader* compositeShader = nullptr;

  Texture* uSource = nullptr;
  Texture* vSource = nullptr;
  Texture* uSource2 = nullptr;
  Texture* vSource2 = nullptr;
  Texture* uSource3 = nullptr;
  Texture* vSource3 = nullptr;
  Texture* quorSmall = nullptr;
  Texture* miztSmall = nullptr;
  Texture* ovarSmall = nullptr;
  Texture* sendrikSmall = nullptr;
  Texture* kelvaroLogoSmall = nullptr;
  Texture* brinovaLogoSmall = nullptr;

  FBO* m_densities_source = nullptr;
  FBO* m_velocities_u_source = nullptr;
  FBO* m_velocities_v_source = nullptr;
  FBO* m_densities = nullptr;
  FBO* m_densities_prev = nullptr;
  FBO* m_velocities_u = nullptr;
  FBO* m_velocities_v = nullptr;
  FBO* m_velocities_u_prev = nullptr;
  FBO* m_velocities_v_prev = nullptr;
  FBO* m_d_tmp = nullptr;
  FBO* m_v_tmp = nullptr;
  FBO* m_tmp = nullptr;
  FBO* backgroundFBO = nullptr;
  FBO* staging1FBO = nullptr;

  float m_dt = 0.0f;
  float m_time = 0.0f;
  float m_source = 0.0f;
  float m_prev_source = 0.0f;

  TrackInterpolate* source = nullptr;
  TrackInterpolate* timeStep = nullptr;
  TrackInterpolate* xpos = nullptr;
  TrackInterpolate* ypos = nullptr;
  TrackInterpolate* opacity = nullptr;

 private:
  void composite(uint32_t time, FBO* target);
  void pourVelocity(Texture* image, FBO* sourceGrid, FBO* field);
  // Binds and clears the scratch FBO of the field's grid and makes it m_tmp.
  FBO* beginScratch(bool velocity);
  // Draws `from`'s colour texture over all of `to`.
  static void copy(FBO* from, FBO* to);
  static void clearField(FBO* field);
  static void drawQuad();
};
