#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/VBO.h"
#include "demosys/timing/TrackInterpolate.h"
#include "effects/ParticleCreatures2Effect.h"
#include "effects/ParticleCreaturesEffect.h"
#include "support/EffectHarness.h"
#include "support/TrackFixtures.h"

namespace {

using EffectHarness::grab;
using TrackFixtures::SetKeys;

// Both creatures with the production's sprite shader and images, seen by a camera on +z.
class ParticleCreaturesGLTest : public testing::Test {
 protected:
  void SetUp() override {
    EffectHarness::begin();
    Shader* sprites = EffectHarness::loadShader("particlesprite", "particlesprite");
    Texture* sprite = EffectHarness::loadPicture("particle", "Particle.png", GL_TEXTURE_2D, true);
    Texture* light = EffectHarness::loadPicture("light", "light.png", GL_TEXTURE_2D, true);
    ASSERT_TRUE(sprites && sprite && light);
    monster.shader = anemone.shader = sprites;
    monster.particleTexture = anemone.particle3Texture = light;
    monster.spriteTexture = anemone.spriteTexture = sprite;
    for (Effect* effect : {static_cast<Effect*>(&monster), static_cast<Effect*>(&anemone)}) {
      effect->createTracks();
      effect->init();
    }
    lookFrom(14.0f);
  }
  void TearDown() override {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    EffectHarness::end();
  }

  void lookFrom(float distance) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 16.0 / 9.0, 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, distance, 0, 0, 0, 0, 1, 0);
  }

  ParticleCreaturesEffect monster;
  ParticleCreatures2Effect anemone;
  FBO target{320, 180, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE};
  FBO picture{640, 360, true, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE};
};

}  // namespace

TEST_F(ParticleCreaturesGLTest, SpritesAddUpAndLeaveTheBlendStateAsFound) {
  SetKeys(anemone.intensity, {{0, 0.3f}});
  SetKeys(anemone.active1, {{0, 1.0f}});
  EffectHarness::fill(&target, 51, 51, 51);
  const EffectHarness::Picture background = grab(&target);
  anemone.draw(1000, 20, &target);
  const EffectHarness::Picture once = grab(&target);
  anemone.draw(1000, 20, &target);
  const EffectHarness::Picture twice = grab(&target);
  for (size_t k = 0; k < once.rgba.size(); ++k) {
    ASSERT_GE(once.rgba[k], background.rgba[k]);
    ASSERT_GE(twice.rgba[k], once.rgba[k]);
  }
  EXPECT_GT(once.mean(), background.mean() + 0.1);
  EXPECT_GT(twice.mean(), once.mean() + 0.1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
  EXPECT_FLOAT_EQ(320 * 0.03f, anemone.particles->getPointSize());
}

TEST_F(ParticleCreaturesGLTest, InactiveAnemoneOrScreenTargetDrawsNothing) {
  SetKeys(anemone.intensity, {{0, 1.0f}});
  EffectHarness::fill(&target, 0, 0, 0);
  anemone.draw(1000, 20, &target);
  EXPECT_EQ(0.0, grab(&target).mean());
  // The screen as target gives point size zero.
  SetKeys(anemone.active1, {{0, 1.0f}});
  SetKeys(monster.intensity, {{0, 1.0f}});
  SetKeys(monster.scale, {{0, 0.5f}});
  EffectHarness::fill(nullptr, 0, 0, 0);
  anemone.draw(1000, 20, nullptr);
  monster.draw(1000, 20, nullptr);
  EXPECT_EQ(0.0f, anemone.particles->getPointSize());
  EXPECT_EQ(0.0f, monster.particles->getPointSize());
  EXPECT_EQ(0.0, grab(nullptr).mean());
}

// Four arms a quarter turn apart: light in all four quadrants around the centre.
TEST_F(ParticleCreaturesGLTest, MonsterDrawsIntoItsTargetAndMarksIt) {
  SetKeys(monster.intensity, {{0, 0.5f}});
  SetKeys(monster.scale, {{0, 0.5f}});
  SetKeys(monster.anim, {{0, 2.0f}});
  EffectHarness::fill(&target, 0, 0, 0);
  bind(nullptr);
  monster.draw(1000, 20, &target);
  EXPECT_TRUE(isUsed(&target));
  EXPECT_FLOAT_EQ(16.0f, monster.particles->getPointSize());
  const EffectHarness::Picture lit = grab(&target);
  for (int quadrant = 0; quadrant < 4; ++quadrant) {
    const int x = quadrant % 2 * 160, y = quadrant / 2 * 90;
    EXPECT_GT(lit.mean(x, y, x + 160, y + 90), 4.0) << "quadrant " << quadrant;
  }
}

// The monster turning and swimming in the middle of the picture; the anemone's first copy left
// of the centre, the second, switched on at 2 s, as far to the right.
TEST_F(ParticleCreaturesGLTest, FramesOfBothCreatures) {
  SetKeys(monster.intensity, {{0, 0.3f}});
  SetKeys(monster.scale, {{0, 0.8f}});
  SetKeys(monster.anim, {{0, 0.0f}, {200, 8.0f}});
  SetKeys(monster.rotDelay, {{0, 250.0f}});
  SetKeys(monster.rotateY, {{0, 0.0f}, {80, 120.0f}});
  SetKeys(monster.rotateZ, {{0, 0.0f}, {80, 60.0f}});
  for (uint32_t time : {1000u, 2500u, 4000u}) {
    glPushMatrix();
    EffectHarness::fill(&picture, 0, 0, 0);
    monster.draw(time, 20, &picture);
    glPopMatrix();
    const EffectHarness::Picture frame = grab(&picture);
    EffectHarness::show(&picture, "effects-fluid-particles", "creature-" + std::to_string(time));
    const double middle = frame.mean(213, 0, 427, 360);
    EXPECT_GT(frame.spread(), 10.0) << time;
    EXPECT_GT(middle, 10.0) << time;
    EXPECT_GT(middle, 3 * frame.mean(0, 0, 213, 360)) << time;
    EXPECT_GT(middle, 3 * frame.mean(427, 0, 640, 360)) << time;
  }

  SetKeys(anemone.intensity, {{0, 0.25f}});
  SetKeys(anemone.active1, {{0, 1.0f}});
  SetKeys(anemone.active2, {{0, 0.0f}, {40, 1.0f}}, ValueKeyframe::Step);
  SetKeys(anemone.posX, {{0, -1.6f}});
  SetKeys(anemone.posX2, {{0, 3.2f}});
  SetKeys(anemone.delay, {{0, 400.0f}});
  SetKeys(anemone.rotX, {{0, 20.0f}, {80, 80.0f}});
  SetKeys(anemone.rotZ, {{0, 0.0f}, {80, 90.0f}});
  lookFrom(7.0f);
  for (uint32_t time : {1000u, 2500u, 4000u}) {
    EffectHarness::fill(&picture, 0, 0, 0);
    anemone.draw(time, 20, &picture);
    const EffectHarness::Picture frame = grab(&picture);
    EffectHarness::show(&picture, "effects-fluid-particles", "anemone-" + std::to_string(time));
    EXPECT_GT(frame.mean(203, 170, 223, 190), 50.0) << time;
    EXPECT_LT(frame.mean(310, 170, 330, 190), 10.0) << time;
    EXPECT_LT(frame.mean(0, 0, 60, 60), 1.0) << time;
    if (time < 2000)
      EXPECT_LT(frame.mean(405, 170, 425, 190), 1.0);
    else
      EXPECT_GT(frame.mean(405, 170, 425, 190), 50.0) << time;
  }
}
