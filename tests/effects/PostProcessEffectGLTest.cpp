#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "effects/PostProcessEffect.h"
#include "support/CapturedStdout.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kWidth = 64, kHeight = 36;

// A source picture whose pixels are all different: red across, green up, blue diagonal.
std::vector<uint8_t> rampPixels() {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      pixels.push_back(uint8_t(x * 4));
      pixels.push_back(uint8_t(255 - y * 7));
      pixels.push_back(uint8_t((x + y) * 2));
    }
  return pixels;
}

// The ramp's pixel at (x, y) counted from the bottom row, as the FBO holds it.
std::vector<int> rampAt(int x, int y) {
  int row = kHeight - 1 - y;
  return {x * 4, 255 - row * 7, (x + row) * 2};
}

class PostProcessEffectGLTest : public testing::Test {
 protected:
  void SetUp() override {
    begin();
    effect = new PostProcessEffect();
    effect->shader = loadShader("post_process_shader", "PostProcess");
    effect->sourceFBO = addFBO("staging0", kWidth, kHeight, true);
    target = addFBO("out", kWidth, kHeight);
    std::vector<uint8_t> identity;
    for (int i = 0; i < 256; ++i) identity.insert(identity.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    effect->thresholdTexture = makeTexture("threshold", 256, 1, 3, identity, GL_TEXTURE_1D, true);
    effect->noiseTexture = makeTexture("color_noise", 4, 4, 3, std::vector<uint8_t>(48, 128));
    // Transparent but for the top row of the shown region, which is opaque red.
    std::vector<uint8_t> overlay(16 * 16 * 4, 0);
    for (int x = 0; x < 16; ++x) overlay[x * 4] = 255, overlay[x * 4 + 3] = 255;
    effect->overlayTexture = makeTexture("overlay", 16, 16, 4, overlay);
    paint(effect->sourceFBO, makeTexture("ramp", kWidth, kHeight, 3, rampPixels()));
    run(effect, "postprocess_effect", target);
    effect->init();
  }
  void TearDown() override { end(); }

  void expectEverywhere(const std::function<std::vector<int>(int, int)>& expected, int tolerance) {
    // The overlay's opaque row, stretched and filtered, covers the top eight rows of the target.
    for (int y = 0; y < kHeight - 8; ++y)
      for (int x = 0; x < kWidth; ++x) {
        std::vector<int> got = pixel(target, x, y), want = expected(x, y);
        for (int c = 0; c < 3; ++c)
          ASSERT_LE(std::abs(got[c] - want[c]), tolerance) << "pixel " << x << "," << y << " channel " << c;
      }
  }

  PostProcessEffect* effect = nullptr;
  FBO* target = nullptr;
};

TEST_F(PostProcessEffectGLTest, NeutralValuesLeaveThePictureUnderTheOverlayUnchanged) {
  setValue(effect->vignettRadius, 1.5f);
  step(0, 16);
  expectEverywhere(rampAt, 1);
  EXPECT_EQ((std::vector<int>{255, 0, 0}), pixel(target, kWidth / 2, kHeight - 1));
}

TEST_F(PostProcessEffectGLTest, FadeOneGivesTheFadeColour) {
  setValue(effect->vignettRadius, 0.2f);
  setValue(effect->noiseStrength, 0.3f);
  setValue(effect->fade, 1.0f);
  setValue(effect->fadeR, 0.2f);
  setValue(effect->fadeG, 0.4f);
  setValue(effect->fadeB, 0.6f);
  step(0, 16);
  expectEverywhere([](int, int) { return std::vector<int>{51, 102, 153}; }, 1);
}

TEST_F(PostProcessEffectGLTest, NegativeOneInverts) {
  setValue(effect->vignettRadius, 1.5f);
  setValue(effect->negative, 1.0f);
  step(0, 16);
  expectEverywhere(
      [](int x, int y) {
        std::vector<int> c = rampAt(x, y);
        return std::vector<int>{255 - c[0], 255 - c[1], 255 - c[2]};
      },
      1);
}

TEST_F(PostProcessEffectGLTest, VignetteDarkensTheCornersOnly) {
  setValue(effect->vignettRadius, 0.3f);
  step(0, 16);
  std::vector<int> centre = pixel(target, kWidth / 2, kHeight / 2), corner = pixel(target, kWidth - 1, 0);
  std::vector<int> wantCentre = rampAt(kWidth / 2, kHeight / 2), wantCorner = rampAt(kWidth - 1, 0);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(wantCentre[c], centre[c], 1);
  EXPECT_LT(corner[0], wantCorner[0] / 2);
}

TEST_F(PostProcessEffectGLTest, BrightnessAddsAndContrastStretches) {
  setValue(effect->vignettRadius, 1.5f);
  setValue(effect->brightness, 0.1f);
  setValue(effect->contrast, 1.0f);
  step(0, 16);
  expectEverywhere(
      [](int x, int y) {
        std::vector<int> c = rampAt(x, y), out;
        for (int v : c) out.push_back(std::min(255, std::max(0, int((v / 255.0 - 0.5) * 2 * 255 + 153.5))));
        return out;
      },
      2);
}

TEST_F(PostProcessEffectGLTest, TheAnimationAdvancesWithTheDeltas) {
  for (uint32_t t = 0; t < 1000; t += 100) step(t, 100);
  EXPECT_NEAR(0.55f, effect->gradientScrollX, 1e-6f);
  EXPECT_NEAR(-0.175f, effect->gradientScrollY, 1e-6f);
  EXPECT_NEAR(0.25f, effect->noiseOffset, 1e-6f);
}

TEST_F(PostProcessEffectGLTest, InitRestartsTheAnimationAndClampsTheCurve) {
  step(0, 500);
  effect->thresholdTexture->setWrap(GL_REPEAT);
  effect->init();
  EXPECT_EQ(0.5f, effect->gradientScrollX);
  EXPECT_EQ(-0.125f, effect->gradientScrollY);
  EXPECT_EQ(0.0f, effect->noiseOffset);
  EXPECT_EQ(GLenum(GL_CLAMP_TO_EDGE), effect->thresholdTexture->getWrapS());
  EXPECT_EQ(GLenum(GL_CLAMP_TO_EDGE), effect->thresholdTexture->getWrapT());
}

TEST_F(PostProcessEffectGLTest, EmptyTracksSetZerosWithoutMissingUniforms) {
  EXPECT_EQ("", stdoutOf([&] { step(0, 16); }));
  GLuint program = effect->shader->getProgram();
  for (const char* name :
       {"brightness", "contrast", "negative", "fade", "vignett_radius", "noise_strength"}) {
    float value = -1.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    EXPECT_EQ(0.0f, value) << name;
  }
  float colour[3] = {-1, -1, -1};
  glGetUniformfv(program, glGetUniformLocation(program, "fade_color"), colour);
  EXPECT_EQ(0.0f, colour[0] + colour[1] + colour[2]);
}

}  // namespace
