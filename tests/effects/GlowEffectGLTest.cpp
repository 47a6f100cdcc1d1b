#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

#include "demosys/gl/FBO.h"
#include "effects/GlowEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kSize = 64, kDot = 32;

// One white pixel glowing through the production's passes, with Gaussian weights (sigma 2.6 taps)
// in the kernel picture's layout: 15 taps, then a zero.
TEST(GlowEffectGLTest, ABrightDotSpreadsSymmetricallyAndFurtherWithTheRadius) {
  begin();
  FBO* target = addFBO("out", kSize, kSize);
  GlowEffect* effect = makeGrading<GlowEffect>(kSize, kSize, target, [](GlowEffect& e) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; ++i) {
      const double weight =
          i < 15 ? std::exp(-(i - 7) * (i - 7) / (2 * 2.6 * 2.6)) / (2.6 * std::sqrt(2 * M_PI)) : 0;
      pixels.insert(pixels.end(), 3, uint8_t(std::lround(weight * 255)));
    }
    e.kernel = makeTexture("gaussian_kernel", 16, 1, 3, pixels);
  });
  auto glow = [&](float radius) {
    fill(effect->glowPre, 0, 0, 0);
    fillBlock(effect->glowPre, kDot, kDot, 1, 1, 255, 255, 255);
    setValues({{effect->blurRadius, radius}});
    step(0, 16);
  };
  auto red = [&](int x, int y) { return pixel(target, x, y)[0]; };
  // Strong enough to see, weak enough that neither pass saturates.
  setValues({{effect->kernelAmp, 2.5f}});
  glow(1.0f);
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
  EXPECT_TRUE(isUsed(effect->blurY) && isUsed(effect->blurPre) && isUsed(target));

  setValues({{effect->kernelAmp, 8.0f}});
  glow(1.0f);
  const int near = red(kDot + 8, kDot);
  glow(2.0f);
  EXPECT_GT(red(kDot + 8, kDot), near);
  end();
}

}  // namespace
