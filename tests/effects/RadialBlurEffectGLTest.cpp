#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/gl/FBO.h"
#include "effects/RadialBlurEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

// A bright dot right of the centre streaks away from the centre (64, 64), never towards it; the
// passes' opacities fall by one over the number of passes.
TEST(RadialBlurEffectGLTest, ABrightDotStreaksOutwards) {
  const int size = 128;
  begin();
  FBO* target = addFBO("out", size, size);
  RadialBlurEffect* effect = makeGrading<RadialBlurEffect>(size, size, target, [](RadialBlurEffect&) {});
  fill(effect->sourceFBO, 0, 0, 0);
  fillBlock(effect->sourceFBO, 100, 63, 2, 2, 255, 255, 255);
  setValues({{effect->numPasses, 30.0f}, {effect->multiply, 1.0f}});
  step(0, 16);
  auto red = [&](int x, int y) { return pixel(target, x, y)[0]; };
  EXPECT_EQ(255, red(100, 63));
  int outward = 0;
  for (int x = 104; x < 116; ++x) {
    EXPECT_GT(red(x, 63), 0) << x;
    outward += red(x, 63);
  }
  EXPECT_GT(outward, 12 * 30);
  for (int x = 70; x < 99; ++x) EXPECT_EQ(0, red(x, 63)) << x;
  EXPECT_EQ(0, red(100, 20));
  EXPECT_EQ(0, red(100, 110));
  for (int pass = 0; pass < RadialBlurEffect::PASS_COUNT; ++pass)
    EXPECT_NEAR(1.0f - pass / 30.0f, effect->passAlpha[pass], 1e-5f) << pass;
  end();
}
