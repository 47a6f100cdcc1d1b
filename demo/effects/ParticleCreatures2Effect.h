#pragma once

#include <noise.h>

#include <cstdint>
#include <vector>

#include "demosys/runtime/Effect.h"
#include "effects/DelayedRotation.h"

class Shader;
class Texture;
class VBO;

// The anemone: 72 noisy tentacles of point sprites built once, turned every frame by rotations
// that reach each particle later the farther it is from the centre, drawn at up to two places.
class ParticleCreatures2Effect : public Effect {
 public:
  ParticleCreatures2Effect() = default;
  ~ParticleCreatures2Effect() override;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  // The creature at rest and each point's distance from the centre; needs no GL.
  void initGeometry();
  // One frame's positions and colours for every base point (x, y, z and r, g, b).
  void computeParticles(uint32_t time, float* positions, float* colours);

  VBO* particles = nullptr;
  // x, y, z per point.
  std::vector<float> basePoints;
  float intensityValue = 0.0f;

  Shader* shader = nullptr;
  Texture* spriteTexture = nullptr;
  Texture* particle3Texture = nullptr;

  TrackInterpolate* intensity = nullptr;
  TrackInterpolate* posX = nullptr;
  TrackInterpolate* posY = nullptr;
  TrackInterpolate* posZ = nullptr;
  TrackInterpolate* delay = nullptr;
  TrackInterpolate* active1 = nullptr;
  TrackInterpolate* active2 = nullptr;
  TrackInterpolate* posX2 = nullptr;
  TrackInterpolate* posY2 = nullptr;
  TrackInterpolate* posZ2 = nullptr;
  TrackInterpolate* rotX = nullptr;
  TrackInterpolate* rotY = nullptr;
  TrackInterpolate* rotZ = nullptr;

 private:
  void appendTentacle(const noise::module::Perlin& perlin, double beta, int j, double reach);

  std::vector<float> baseDistances;
  DelayedRotation rotation;
};
