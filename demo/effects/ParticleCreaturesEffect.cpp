#include "effects/ParticleCreaturesEffect.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "demosys/gl/FBO.h"
#include "demosys/gl/VBO.h"
#include "effects/NoisePath.h"
#include "effects/TrackValue.h"

namespace {

const double PI = 3.14159265358979323846;

void cross(const double* a, const double* b, double* out) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

bool normalise(double* v) {
  double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (!(length > 0.0)) return false;
  for (int i = 0; i < 3; ++i) v[i] /= length;
  return true;
}

// The path is stretched along z so that the body reads as long and thin.
void scaledPoint(const float* p, float* out) {
  out[0] = p[0] * 2.0f;
  out[1] = p[1] * 2.0f;
  out[2] = p[2] * 6.0f;
}

}  // namespace

ParticleCreaturesEffect::~ParticleCreaturesEffect() {
  delete path;
  if (particles) particles->release();
  delete particles;
}

void ParticleCreaturesEffect::preDraw(uint32_t time) {}

void ParticleCreaturesEffect::postDraw(uint32_t time) {}

Effect* ParticleCreaturesEffect::clone() { return new ParticleCreaturesEffect(); }

void ParticleCreaturesEffect::createTracks() {
  NewTrack("scale", scale);
  NewTrack("particle_monster_anim", anim);
  NewTrack("pos_x", posX);
  NewTrack("pos_y", posY);
  NewTrack("pos_z", posZ);
  NewTrack("particle_monster_rotate_x", rotateX);
  NewTrack("particle_monster_rotate_y", rotateY);
  NewTrack("particle_monster_rotate_z", rotateZ);
  NewTrack("particle_monster_intensity", intensity);
  NewTrack("particle_monster_rot_delay", rotDelay);
}

void ParticleCreaturesEffect::init() {
  initGeometry();
  particles = new VBO(pathLength, ringSize, true, false, false, false);
}

void ParticleCreaturesEffect::initGeometry() {
  ringSize = 10;
  pathLength = 220;
  delete path;
  path = new NoisePath(0.0f, 0.0f, 0.0f, 0.005f, pathLength, 123456789);
  points = path->GetPoints();
  buildRings();
  buildColourNoise();
}

// Each segment's ring frame depends on the path only. The last point, which starts no segment,
// gets a ring too, with the frame of the segment before it, so that every particle is defined.
// A segment whose frame has no direction (the first one: the path starts at the origin, so the
// segment and the sum of its ends are parallel) borrows the frame of its nearest neighbour.
void ParticleCreaturesEffect::buildRings() {
  rings.assign(static_cast<size_t>(pathLength), Ring{});
  std::vector<bool> framed(rings.size(), false);
  for (int32_t s = 0; s < pathLength; ++s) {
    Ring& ring = rings[static_cast<size_t>(s)];
    scaledPoint(points + 3 * s, ring.centre);
    if (s + 1 < pathLength) framed[static_cast<size_t>(s)] = segmentFrame(ring, points + 3 * (s + 1));
  }
  for (size_t s = 0; s < rings.size(); ++s) {
    if (framed[s]) continue;
    size_t from = s;
    while (from > 0 && !framed[from]) --from;
    if (!framed[from]) from = s;
    while (from < rings.size() && !framed[from]) ++from;
    if (from == rings.size()) continue;
    std::copy_n(rings[from].normal, 3, rings[s].normal);
    std::copy_n(rings[from].binormal, 3, rings[s].binormal);
  }
  float angleStep = 360.0f / static_cast<float>(ringSize);
  ringCos.clear();
  ringSin.clear();
  float angle = 0.0f;
  for (int32_t k = 0; k < ringSize; ++k, angle += angleStep) {
    ringCos.push_back(std::cos(angle * PI / 180.0));
    ringSin.push_back(std::sin(angle * PI / 180.0));
  }
}

bool ParticleCreaturesEffect::segmentFrame(Ring& ring, const float* nextPoint) {
  float next[3];
  scaledPoint(nextPoint, next);
  double d[3], m[3];
  for (int i = 0; i < 3; ++i) {
    d[i] = next[i] - ring.centre[i];
    m[i] = next[i] + ring.centre[i];
  }
  cross(d, m, ring.normal);
  cross(ring.normal, d, ring.binormal);
  if (!normalise(ring.normal) || !normalise(ring.binormal)) return false;
  return true;
}

// The colour noise runs along the particles and never changes; only the intensity scales it.
void ParticleCreaturesEffect::buildColourNoise() {
  colourNoise.clear();
  float w = 0.0f;
  for (int32_t j = 0; j < pathLength * ringSize; ++j, w += 0.1f)
    colourNoise.push_back(static_cast<float>(std::fabs(noise.GetValue(w, 0.0, 0.0) * 0.25 + 0.125)));
}

void ParticleCreaturesEffect::writeRing(const Ring& ring, float radius, uint32_t time, float delay,
                                        float* out) {
  for (int32_t k = 0; k < ringSize; ++k, out += 3) {
    double along = ringCos[static_cast<size_t>(k)] * radius;
    double across = ringSin[static_cast<size_t>(k)] * radius;
    float p[3];
    for (int i = 0; i < 3; ++i)
      p[i] = static_cast<float>(ring.centre[i] + (ring.binormal[i] * along + ring.normal[i] * across));
    float distance = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    rotation.apply(p, distance, time, delay, out);
  }
}

void ParticleCreaturesEffect::computeParticles(uint32_t time, float* positions, float* colours) {
  float t = trackValue(anim, time);
  float delay = trackValue(rotDelay, time);
  rotation.begin(rotateX, rotateY, rotateZ);
  for (size_t s = 0; s < rings.size(); ++s, t += 0.02f) {
    float radius = static_cast<float>(std::fabs(noise.GetValue(t, 0.0, 0.0)) * 1.5);
    writeRing(rings[s], radius, time, delay, positions + s * 3 * static_cast<size_t>(ringSize));
  }
  float level = trackValue(intensity, time);
  for (size_t j = 0; j < colourNoise.size(); ++j) {
    float grey = colourNoise[j] * level * 2.5f;
    colours[3 * j] = colours[3 * j + 1] = colours[3 * j + 2] = grey;
  }
}

void ParticleCreaturesEffect::draw(uint32_t time, uint32_t delta, FBO* target) {
  bind(target);
  markUsed(target);
  float* positions = particles->mapPositions(GL_WRITE_ONLY);
  float* colours = particles->mapColours(GL_WRITE_ONLY);
  if (positions && colours) computeParticles(time, positions, colours);
  particles->unmapColours();
  particles->unmapPositions();

  // Left in place on purpose: later instances of the frame that keep the matrix see the creature's space.
  glMatrixMode(GL_MODELVIEW);
  float size = trackValue(scale, time);
  glScalef(size, size, size);
  glTranslatef(trackValue(posX, time), trackValue(posY, time), trackValue(posZ, time));
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  particles->setPointSize(5.0f, static_cast<float>(getWidth(target)));
  for (int arm = 0; arm < 4; ++arm) {
    if (arm > 0) glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    particles->drawSprites(shader, spriteTexture, -1.0f);
  }
}
