#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "effects/GlowEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kSize = 64, kDot = 32;

// Gaussian weights (sigma 2.6 taps) in the kernel picture's layout: 15 taps, then a zero.
std::vector<uint8_t> kernelPixels() {
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 16; ++i) {
    double weight = i < 15 ? std::exp(-(i - 7) * (i - 7) / (2 * 2.6 * 2.6)) / (2.6 * std::sqrt(2 * M_PI)) : 0;
    uint8_t level = uint8_t(std::lround(weight * 255));
    pixels.insert(pixels.end(), {level, level, level});
  }
  return pixels;
}

class GlowEffectGLTest : public testing::Test {
 protected:
  void SetUp() override {
    begin();
    target = addFBO("out", kSize, kSize);
    effect = makeGrading<GlowEffect>(kSize, kSize, target, [](GlowEffect& e) {
      e.kernel = makeTexture("gaussian_kernel", 16, 1, 3, kernelPixels());
    });
    fill(effect->glowPre, 0, 0, 0);
    fillBlock(effect->glowPre, kDot, kDot, 1, 1, 255, 255, 255);
  }
  void TearDown() override { end(); }

  int red(int x, int y) { return pixel(target, x, y)[0]; }

  GlowEffect* effect = nullptr;
  FBO* target = nullptr;
};

TEST_F(GlowEffectGLTest, ABrightDotSpreadsSymmetricallyAndStays) {
  setValues({{effect->blurRadius, 1.0f}});
  // Strong enough to see, weak enough that neither pass saturates.
  setValues({{effect->kernelAmp, 2.5f}});
  step(0, 16);
  EXPECT_EQ(255, red(kDot, kDot));
  for (int d = 1; d <= 4; ++d) {
    EXPECT_GT(red(kDot + d, kDot), 0) << d;
    EXPECT_NEAR(red(kDot + d, kDot), red(kDot - d, kDot), 2) << d;
    EXPECT_NEAR(red(kDot, kDot + d), red(kDot, kDot - d), 2) << d;
    EXPECT_NEAR(red(kDot + d, kDot), red(kDot, kDot + d), 2) << d;
    EXPECT_LE(red(kDot + d + 1, kDot), red(kDot + d, kDot)) << d;
  }
  EXPECT_EQ(0, red(kDot + 12, kDot));
  EXPECT_EQ(0, red(2, 2));
  EXPECT_TRUE(isUsed(effect->blurY));
  EXPECT_TRUE(isUsed(effect->blurPre));
  EXPECT_TRUE(isUsed(target));
}

TEST_F(GlowEffectGLTest, ALargerRadiusSpreadsFurther) {
  setValues({{effect->kernelAmp, 8.0f}, {effect->blurRadius, 1.0f}});
  step(0, 16);
  int near = red(kDot + 8, kDot);
  fill(effect->glowPre, 0, 0, 0);
  fillBlock(effect->glowPre, kDot, kDot, 1, 1, 255, 255, 255);
  setValues({{effect->blurRadius, 2.0f}});
  step(0, 16);
  EXPECT_GT(red(kDot + 8, kDot), near);
}

}  // namespace
