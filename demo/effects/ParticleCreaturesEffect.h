#pragma once

#include <noise.h>

#include <cstdint>
#include <vector>

#include "demosys/runtime/Effect.h"
#include "effects/DelayedRotation.h"

class NoisePath;
class Shader;
class Texture;
class VBO;

// The four-armed particle monster: a tube of glowing point sprites along a noise path, its rings
// breathing with noise, turned by rotations that reach each particle later the farther it is
// from the origin, drawn four times a quarter turn apart.
class ParticleCreaturesEffect : public Effect {
 public:
  ParticleCreaturesEffect() = default;
  ~ParticleCreaturesEffect() override;

  void preDraw(uint32_t time) override;
  void draw(uint32_t time, uint32_t delta, FBO* target) override;
  void postDraw(uint32_t time) override;
  void init() override;
  Effect* clone() override;
  void createTracks() override;

  // The path and what every frame reuses (ring frames, ring angles, colour noise); needs no GL.
  void initGeometry();
  // One frame's pathLength x ringSize positions and colours (x, y, z and r, g, b per particle).
  void computeParticles(uint32_t time, float* positions, float* colours);

  NoisePath* path = nullptr;
  VBO* particles = nullptr;
  noise::module::Perlin noise;
  float* points = nullptr;
  int32_t ringSize = 0;
  int32_t pathLength = 0;

  Shader* shader = nullptr;
  Texture* particleTexture = nullptr;
  Texture* spriteTexture = nullptr;

  TrackInterpolate* scale = nullptr;
  TrackInterpolate* anim = nullptr;
  TrackInterpolate* posX = nullptr;
  TrackInterpolate* posY = nullptr;
  TrackInterpolate* posZ = nullptr;
  TrackInterpolate* rotateX = nullptr;
  TrackInterpolate* rotateY = nullptr;
  TrackInterpolate* rotateZ = nullptr;
  TrackInterpolate* intensity = nullptr;
  TrackInterpolate* rotDelay = nullptr;

 private:
  // A ring's centre on the scaled path and the two unit vectors that span its plane.
  struct Ring {
    float centre[3];
    double normal[3];
    double binormal[3];
  };
  void buildRings();
  // The ring plane of the segment from the ring's centre to `nextPoint`; false when it has none.
  bool segmentFrame(Ring& ring, const float* nextPoint);
  void buildColourNoise();
  void writeRing(const Ring& ring, float radius, uint32_t time, float delay, float* out);

  std::vector<Ring> rings;
  std::vector<double> ringCos;
  std::vector<double> ringSin;
  std::vector<float> colourNoise;
  DelayedRotation rotation;
};
