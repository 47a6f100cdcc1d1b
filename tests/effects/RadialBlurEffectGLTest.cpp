#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "demosys/gl/FBO.h"
#include "effects/RadialBlurEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kSize = 128;

class RadialBlurEffectGLTest : public testing::Test {
 protected:
  void SetUp() override {
    begin();
    target = addFBO("out", kSize, kSize);
    effect = makeGrading<RadialBlurEffect>(kSize, kSize, target, [](RadialBlurEffect&) {});
    fill(effect->sourceFBO, 0, 0, 0);
    // A bright dot right of the centre.
    fillBlock(effect->sourceFBO, 100, 63, 2, 2, 255, 255, 255);
  }
  void TearDown() override { end(); }

  int red(int x, int y) { return pixel(target, x, y)[0]; }

  RadialBlurEffect* effect = nullptr;
  FBO* target = nullptr;
};

TEST_F(RadialBlurEffectGLTest, ABrightDotStreaksOutwards) {
  setValues({{effect->numPasses, 30.0f}, {effect->multiply, 1.0f}});
  step(0, 16);
  EXPECT_EQ(255, red(100, 63));
  // The streak runs from the dot away from the centre (64, 64), brightest a few pixels out.
  int outward = 0;
  for (int x = 104; x < 116; ++x) {
    EXPECT_GT(red(x, 63), 0) << x;
    outward += red(x, 63);
  }
  EXPECT_GT(outward, 12 * 30);
  for (int x = 70; x < 99; ++x) EXPECT_EQ(0, red(x, 63)) << x;
  EXPECT_EQ(0, red(100, 20));
  EXPECT_EQ(0, red(100, 110));
}

TEST_F(RadialBlurEffectGLTest, OpacityFallsByOneOverTheNumberOfPasses) {
  setValues({{effect->numPasses, 30.0f}});
  step(0, 16);
  for (int pass = 0; pass < RadialBlurEffect::PASS_COUNT; ++pass)
    EXPECT_NEAR(1.0f - pass / 30.0f, effect->passAlpha[pass], 1e-5f) << pass;
  EXPECT_EQ(0.033333335f, effect->zoomStep);
  EXPECT_NEAR(2.0f, effect->zoom, 1e-5f);
  EXPECT_NEAR(1.0f / 30.0f, effect->alphaStep, 1e-7f);
}

}  // namespace
