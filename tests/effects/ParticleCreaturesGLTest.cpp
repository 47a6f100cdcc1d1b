#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdio>
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
#include "support/EngineState.h"
#include "support/GLTestContext.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;

int brightness(const std::vector<uint8_t>& pixels) {
  int sum = 0;
  for (size_t k = 0; k < pixels.size(); k += 4) sum += pixels[k] + pixels[k + 1] + pixels[k + 2];
  return sum;
}

// Both creatures with the production's sprite shader and images, seen by a camera on +z.
class ParticleCreaturesGLTest : public testing::Test {
 protected:
  void SetUp() override {
    EffectHarness::begin();
    Shader* sprites = EffectHarness::loadShader("particlesprite", "particlesprite");
    Texture* sprite = EffectHarness::loadPicture("particle", "Particle.png", GL_TEXTURE_2D, true);
    Texture* light = EffectHarness::loadPicture("light", "light.png", GL_TEXTURE_2D, true);
    ASSERT_TRUE(sprites && sprite && light);
    monster.createTracks();
    monster.shader = anemone.shader = sprites;
    monster.particleTexture = anemone.particle3Texture = light;
    monster.spriteTexture = anemone.spriteTexture = sprite;
    monster.init();
    anemone.createTracks();
    anemone.init();
    lookFrom(14.0f);
  }
  void TearDown() override {
    bind(nullptr);
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
  void clearTo(FBO* fbo, float grey) {
    bind(fbo);
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
  }
  std::vector<uint8_t> pixels(FBO* fbo) {
    bind(fbo);
    return GLTestContext::readPixels(0, 0, getWidth(fbo), getHeight(fbo));
  }
  // Shows `fbo` on the screen and writes the picture for a person to look at.
  void saveFrame(FBO* fbo, const std::string& name) {
    bind(nullptr);
    glClear(GL_COLOR_BUFFER_BIT);
    drawTexture(fbo);
    std::string directory = EngineState::framesDirectory("effects-fluid-particles");
    ASSERT_TRUE(EngineState::saveFrame(directory + "/" + name));
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
  clearTo(&target, 0.2f);
  std::vector<uint8_t> background = pixels(&target);
  bind(&target);
  anemone.draw(1000, 20, &target);
  std::vector<uint8_t> once = pixels(&target);
  anemone.draw(1000, 20, &target);
  std::vector<uint8_t> twice = pixels(&target);
  for (size_t k = 0; k < once.size(); ++k) {
    ASSERT_GE(once[k], background[k]);
    ASSERT_GE(twice[k], once[k]);
  }
  EXPECT_GT(brightness(once), brightness(background) + 10000);
  EXPECT_GT(brightness(twice), brightness(once) + 10000);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
  EXPECT_FLOAT_EQ(320 * 0.03f, anemone.particles->getPointSize());
}

TEST_F(ParticleCreaturesGLTest, InactiveAnemoneOrScreenTargetDrawsNothing) {
  SetKeys(anemone.intensity, {{0, 1.0f}});
  clearTo(&target, 0.0f);
  anemone.draw(1000, 20, &target);
  EXPECT_EQ(0, brightness(pixels(&target)));
  // The screen as target gives point size zero.
  SetKeys(anemone.active1, {{0, 1.0f}});
  SetKeys(monster.intensity, {{0, 1.0f}});
  SetKeys(monster.scale, {{0, 0.5f}});
  bind(nullptr);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  anemone.draw(1000, 20, nullptr);
  monster.draw(1000, 20, nullptr);
  EXPECT_EQ(0.0f, anemone.particles->getPointSize());
  EXPECT_EQ(0.0f, monster.particles->getPointSize());
  EXPECT_EQ(0, brightness(GLTestContext::readPixels(0, 0, 640, 360)));
}

TEST_F(ParticleCreaturesGLTest, MonsterDrawsIntoItsTargetAndMarksIt) {
  SetKeys(monster.intensity, {{0, 0.5f}});
  SetKeys(monster.scale, {{0, 0.5f}});
  SetKeys(monster.anim, {{0, 2.0f}});
  clearTo(&target, 0.0f);
  bind(nullptr);
  monster.draw(1000, 20, &target);
  EXPECT_TRUE(isUsed(&target));
  EXPECT_FLOAT_EQ(16.0f, monster.particles->getPointSize());
  std::vector<uint8_t> lit = pixels(&target);
  EXPECT_GT(brightness(lit), 100000);
  // Four arms a quarter turn apart: light in all four quadrants around the centre.
  int quadrants[4] = {0, 0, 0, 0};
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 320; ++x)
      if (lit[(y * 320 + x) * 4] > 40) ++quadrants[(x >= 160) + 2 * (y >= 90)];
  for (int q : quadrants) EXPECT_GT(q, 50);
}

TEST_F(ParticleCreaturesGLTest, FramesOfBothCreatures) {
  SetKeys(monster.intensity, {{0, 0.3f}});
  SetKeys(monster.scale, {{0, 0.8f}});
  SetKeys(monster.anim, {{0, 0.0f}, {200, 8.0f}});
  SetKeys(monster.rotDelay, {{0, 250.0f}});
  SetKeys(monster.rotateY, {{0, 0.0f}, {80, 120.0f}});
  SetKeys(monster.rotateZ, {{0, 0.0f}, {80, 60.0f}});
  for (uint32_t time : {1000u, 2500u, 4000u}) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    clearTo(&picture, 0.0f);
    monster.draw(time, 20, &picture);
    glPopMatrix();
    char name[64];
    std::snprintf(name, sizeof name, "creature-%04u.png", time);
    saveFrame(&picture, name);
  }

  SetKeys(anemone.intensity, {{0, 0.25f}});
  SetKeys(anemone.active1, {{0, 1.0f}});
  SetKeys(anemone.active2, {{0, 0.0f}, {40, 1.0f}});
  SetKeys(anemone.posX, {{0, -1.6f}});
  SetKeys(anemone.posX2, {{0, 3.2f}});
  SetKeys(anemone.delay, {{0, 400.0f}});
  SetKeys(anemone.rotX, {{0, 20.0f}, {80, 80.0f}});
  SetKeys(anemone.rotZ, {{0, 0.0f}, {80, 90.0f}});
  lookFrom(7.0f);
  for (uint32_t time : {1000u, 2500u, 4000u}) {
    clearTo(&picture, 0.0f);
    anemone.draw(time, 20, &picture);
    char name[64];
    std::snprintf(name, sizeof name, "anemone-%04u.png", time);
    saveFrame(&picture, name);
  }
}
