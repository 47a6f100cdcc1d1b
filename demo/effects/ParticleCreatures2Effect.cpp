#include "effects/ParticleCreatures2Effect.h"

#include <GL/glew.h>
#include <noise.h>

#include <algorithm>
#include <cmath>

#include "demosys/gl/FBO.h"
#include "demosys/gl/VBO.h"
#include "effects/TrackValue.h"

namespace {

const double PI = 3.14159265358979323846;
const int GROUPS = 6;
const int TENTACLES_PER_GROUP = 12;
const int POINTS_PER_TENTACLE = 100;

double degrees(double value) { return value * PI / 180.0; }

}  // namespace

ParticleCreatures2Effect::~ParticleCreatures2Effect() {
  if (particles) particles->release();
  delete particles;
}

void ParticleCreatures2Effect::preDraw(uint32_t time) {}

void ParticleCreatures2Effect::postDraw(uint32_t time) {}

Effect* ParticleCreatures2Effect::clone() { return new ParticleCreatures2Effect(); }

void ParticleCreatures2Effect::createTracks() {
  NewTrack("intensity", intensity);
  NewTrack("pos_x", posX);
  NewTrack("pos_y", posY);
  NewTrack("pos_z", posZ);
  NewTrack("delay", delay);
  NewTrack("active1", active1);
  NewTrack("active2", active2);
  NewTrack("pos_x2", posX2);
  NewTrack("pos_y2", posY2);
  NewTrack("pos_z2", posZ2);
  NewTrack("rot_x", rotX);
  NewTrack("rot_y", rotY);
  NewTrack("rot_z", rotZ);
}

// One tentacle from the centre to its end point, wiggled by noise and turned about y by beta.
// The first point has no finite 1/i noise coordinate and stays at the centre.
void ParticleCreatures2Effect::appendTentacle(const noise::module::Perlin& perlin, double beta, int j,
                                              double reach) {
  double alpha = degrees(30.0 * j);
  double endX = reach * std::sin(alpha);
  double endY = reach * std::cos(alpha);
  float t = 0.0f;
  for (int i = 0; i < POINTS_PER_TENTACLE; ++i, t += 0.01f) {
    double x = t * endX;
    double y = t * endY;
    double z = 0.0;
    if (i > 0) {
      float inverse = 1.0f / static_cast<float>(i);
      x += 0.25 * perlin.GetValue(t + j, 0.0, inverse);
      z = 0.25 * perlin.GetValue(inverse, j, t + j);
    }
    basePoints.push_back(static_cast<float>(std::cos(beta) * x - std::sin(beta) * z));
    basePoints.push_back(static_cast<float>(y));
    basePoints.push_back(static_cast<float>(std::sin(beta) * x + std::cos(beta) * z));
  }
}

void ParticleCreatures2Effect::initGeometry() {
  noise::module::Perlin perlin;
  basePoints.clear();
  for (int group = 0; group < GROUPS; ++group) {
    double beta = degrees(30.0 * group);
    float a = 0.5f, b = 0.75f, c = 0.0f;
    for (int j = 0; j < TENTACLES_PER_GROUP; ++j) {
      double n = perlin.GetValue(a, b, c);
      a += 0.01f;
      b += 0.02f;
      c += 0.04f;
      appendTentacle(perlin, beta, j, std::fabs(n) + 0.75);
    }
  }
  baseDistances.clear();
  for (size_t k = 0; k + 2 < basePoints.size(); k += 3) {
    const float* p = &basePoints[k];
    baseDistances.push_back(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]));
  }
}

void ParticleCreatures2Effect::init() {
  initGeometry();
  int32_t count = static_cast<int32_t>(baseDistances.size());
  particles = new VBO(count, 1, true, false, false, false);
  float* positions = particles->mapPositions(GL_WRITE_ONLY);
  float* colours = particles->mapColours(GL_WRITE_ONLY);
  if (positions && colours) {
    std::copy(basePoints.begin(), basePoints.end(), positions);
    std::fill(colours, colours + basePoints.size(), 1.0f);
  }
  particles->unmapColours();
  particles->unmapPositions();
}

void ParticleCreatures2Effect::computeParticles(uint32_t time, float* positions, float* colours) {
  intensityValue = trackValue(intensity, time);
  float delayValue = trackValue(delay, time);
  rotation.begin(rotX, rotY, rotZ);
  std::fill(colours, colours + basePoints.size(), intensityValue);
  for (size_t k = 0; k < baseDistances.size(); ++k)
    rotation.apply(&basePoints[3 * k], baseDistances[k], time, delayValue, positions + 3 * k);
}

void ParticleCreatures2Effect::draw(uint32_t time, uint32_t delta, FBO* target) {
  particles->setPointSize(3.0f, static_cast<float>(getWidth(target)));
  float* positions = particles->mapPositions(GL_WRITE_ONLY);
  float* colours = particles->mapColours(GL_WRITE_ONLY);
  if (positions && colours) computeParticles(time, positions, colours);
  particles->unmapColours();
  particles->unmapPositions();

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  if (trackValue(active1, time) > 0.0f) {
    glTranslatef(trackValue(posX, time), trackValue(posY, time), trackValue(posZ, time));
    particles->drawSprites(shader, spriteTexture, -1.0f);
  }
  // The second copy's offset adds to the first's when both are shown.
  if (trackValue(active2, time) > 0.0f) {
    glTranslatef(trackValue(posX2, time), trackValue(posY2, time), trackValue(posZ2, time));
    particles->drawSprites(shader, spriteTexture, -1.0f);
  }
  glPopMatrix();
}
