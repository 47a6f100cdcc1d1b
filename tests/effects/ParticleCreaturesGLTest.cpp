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
};

}  // namespace

// Sprites add up, blending on top of what is there, and leave blending off and depth writes on;
// an inactive anemone, or the screen as target (point size zero), draws nothing.
TEST_F(ParticleCreaturesGLTest, SpritesAddUpOnlyWhenActiveIntoATargetAndWhereTheTracksSay) {
  EffectHarness::setValues({{anemone.intensity, 0.3f}, {monster.intensity, 1.0f}, {monster.scale, 0.5f}});
  EffectHarness::fill(&target, 51, 51, 51);
  const EffectHarness::Picture background = grab(&target);
  anemone.draw(1000, 20, &target);
  EXPECT_EQ(background.rgba, grab(&target).rgba) << "inactive";
  EffectHarness::setValues({{anemone.active1, 1.0f}});
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

  monster.draw(1000, 20, &target);
  EXPECT_TRUE(isUsed(&target));
  EXPECT_FLOAT_EQ(16.0f, monster.particles->getPointSize());
  EXPECT_GT(grab(&target).mean(), twice.mean() + 0.1) << "the monster adds its sprites";
  EffectHarness::fill(nullptr, 0, 0, 0);
  anemone.draw(1000, 20, nullptr);
  monster.draw(1000, 20, nullptr);
  EXPECT_EQ(0.0f, anemone.particles->getPointSize());
  EXPECT_EQ(0.0f, monster.particles->getPointSize());
  EXPECT_EQ(0.0, grab(nullptr).mean());

  // The anemone's first copy left of the centre, the second, switched on at 2 s, as far to the right.
  EffectHarness::setValues({{anemone.posX, -1.6f}, {anemone.posX2, 3.2f}});
  SetKeys(anemone.active2, {{0, 0.0f}, {40, 1.0f}}, ValueKeyframe::Step);
  lookFrom(7.0f);
  for (uint32_t time : {1000u, 2500u}) {
    EffectHarness::fill(&target, 0, 0, 0);
    anemone.draw(time, 20, &target);
    const EffectHarness::Picture frame = grab(&target);
    EXPECT_GT(frame.mean(101, 85, 111, 95), 50.0) << time;
    EXPECT_LT(frame.mean(155, 85, 165, 95), 10.0) << time;
    const double second = frame.mean(202, 85, 212, 95);
    EXPECT_TRUE(time < 2000 ? second < 1.0 : second > 50.0) << time << ": " << second;
  }
}
