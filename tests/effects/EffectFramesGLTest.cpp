// The grading effects with the production's shaders, at the test window's 640 x 360: with the
// production's pictures and empty tracks, then each on a picture that shows what it does.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "effects/CreditsEffect.h"
#include "effects/GlowEffect.h"
#include "effects/PostProcessEffect.h"
#include "effects/RadialBlurEffect.h"
#include "support/CapturedStdout.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int W = 640, H = 360, SIZE = 512;
const char* const CREDITS[] = {"Quor", "Mizt", "Ovar", "Sendrik", "KelvaroLogo", "BrinovaLogo"};

// Each grading effect wired to the production's pictures, drawing into `out`, its input a stand-in
// for a scene: the ocean surface.
class EffectFramesGLTest : public EffectHarness::Test, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    EffectHarness::Test::SetUp();
    out = addFBO("out", W, H);
    Texture* ocean = loadPicture("ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true);
    paint(out, ocean);
    scene = grab(out);
    fill(out, 0, 0, 0);
    name = GetParam();
    if (name == "PostProcessEffect")
      effect = makeGrading<PostProcessEffect>(SIZE, SIZE, out, [](PostProcessEffect& e) {
        e.overlayTexture = loadPicture("overlay", "FrameOverlay.png", GL_TEXTURE_2D, false);
        e.noiseTexture = loadPicture("color_noise", "Noise.png", GL_TEXTURE_2D, false);
        e.thresholdTexture = loadPicture("threshold", "Threshold.png", GL_TEXTURE_1D, true);
      });
    else if (name == "GlowEffect")
      effect = makeGrading<GlowEffect>(SIZE, SIZE, out, [](GlowEffect& e) {
        e.kernel = loadPicture("gaussian_kernel", "Kernel.png", GL_TEXTURE_2D, false);
      });
    else if (name == "RadialBlurEffect")
      effect = makeGrading<RadialBlurEffect>(SIZE, SIZE, out, [](RadialBlurEffect&) {});
    else
      effect = makeGrading<CreditsEffect>(SIZE, SIZE, out, [](CreditsEffect& e) {
        for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i)
          e.images[i] = loadPicture(CREDITS[i], std::string(CREDITS[i]) + ".png", GL_TEXTURE_2D, false);
      });
    paint(KVRDemosys::fboPool->getFBO(name == "GlowEffect" ? "glow_pre" : "staging0"), ocean);
  }
  std::string name;
  Effect* effect = nullptr;
  FBO* out = nullptr;
  Picture scene;
};

float uniform(Shader* shader, const char* name) {
  float value[4] = {-1, -1, -1, -1};
  glGetUniformfv(shader->getProgram(), glGetUniformLocation(shader->getProgram(), name), value);
  return value[0];
}

// The red of one pixel of `fbo`.
int red(FBO* fbo, int x, int y) { return pixel(fbo, x, y)[0]; }

}  // namespace

// Every uniform is set (nothing printed about a missing one); the settings are zero, which shows
// the scene unchanged, pixel for pixel, where the effect adds to it.
TEST_P(EffectFramesGLTest, EmptyTracksDrawWithoutMissingUniforms) {
  EXPECT_EQ("", stdoutOf([&] { step(0, 16); }));
  const Picture frame = grab(out);
  if (name == "PostProcessEffect") {
    for (const char* uniformName :
         {"brightness", "contrast", "negative", "fade", "vignett_radius", "noise_strength", "fade_color"})
      EXPECT_EQ(0.0f, uniform(static_cast<PostProcessEffect*>(effect)->shader, uniformName)) << uniformName;
    return;
  }
  double difference = 0.0;  // per colour value, out of 255
  for (size_t k = 0; k < frame.rgba.size(); ++k)
    difference += k % 4 == 3 ? 0 : std::abs(frame.rgba[k] - scene.rgba[k]);
  EXPECT_LT(difference / (frame.rgba.size() * 0.75), 2.5);  // what the 512 x 512 staging costs: 1.7
  if (name == "GlowEffect") {
    EXPECT_EQ(float(SIZE), uniform(static_cast<GlowEffect*>(effect)->blurXShader, "texture_size"));
  }
  if (name == "CreditsEffect") {
    EXPECT_EQ(0.0f, uniform(static_cast<CreditsEffect*>(effect)->shader, "scale"));
  }
  if (name == "RadialBlurEffect") {
    RadialBlurEffect* blur = static_cast<RadialBlurEffect*>(effect);
    for (float alpha : blur->passAlpha) EXPECT_TRUE(std::isfinite(alpha));
    EXPECT_TRUE(std::isfinite(blur->alpha));
    EXPECT_FALSE(isUsed(out)) << "without \"multiply\" the streaks are black";
  }
}

INSTANTIATE_TEST_SUITE_P(Grading, EffectFramesGLTest,
                         testing::Values("PostProcessEffect", "GlowEffect", "RadialBlurEffect",
                                         "CreditsEffect"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// Credit pictures of one opaque colour each (red, green, then black) over a dark blue scene.
using GradingEffectGLTest = EffectHarness::Test;

TEST_F(GradingEffectGLTest, CreditsIndexPicksThePicturePlacedAndFadedByTheTracks) {
  const int width = 160, height = 90;
  FBO* target = addFBO("out", width, height);
  CreditsEffect* effect = makeGrading<CreditsEffect>(width, height, target, [](CreditsEffect& e) {
    for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i) {
      std::vector<uint8_t> pixels;  // 4 x 1
      for (int p = 0; p < 4; ++p)
        pixels.insert(pixels.end(), {uint8_t(i == 0 ? 255 : 0), uint8_t(i == 1 ? 255 : 0), 0, 255});
      e.images[i] = makeTexture("credit" + std::to_string(i), 4, 1, 4, pixels);
      e.images[i]->setWrap(GL_REPEAT);
    }
  });
  fill(effect->backgroundFBO, 0, 0, 51);
  auto at = [&](float s, float t) { return pixel(target, int(s * width), int(t * height)); };
  // Scale 0.4: 0.4 wide, 0.4 * 5 / 11.25 high, so x 0.05..0.45 and t 0.41..0.59.
  setValues({{effect->index, 0.0f}, {effect->xpos, 0.25f}, {effect->ypos, 0.5f}});
  setValues({{effect->scale, 0.4f}, {effect->alpha, 1.0f}});
  step(0, 16);
  const std::vector<int> credit = {255, 0, 51}, background = {0, 0, 51};
  for (auto [s, t] : {std::pair{0.25f, 0.5f}, {0.07f, 0.43f}, {0.43f, 0.57f}})
    EXPECT_EQ(credit, at(s, t)) << s << "," << t;
  for (auto [s, t] : {std::pair{0.03f, 0.5f}, {0.47f, 0.5f}, {0.25f, 0.38f}, {0.25f, 0.62f}, {0.75f, 0.5f}})
    EXPECT_EQ(background, at(s, t)) << s << "," << t;
  EXPECT_TRUE(isUsed(effect->outputFBO));
  // Init clamps the pictures: the repeat set above leaves no copy at the credit's edges.
  for (Texture* image : effect->images) EXPECT_EQ(GLenum(GL_CLAMP_TO_EDGE), image->getWrapS());

  setValues({{effect->index, 1.0f}, {effect->alpha, 0.5f}});
  step(0, 16);
  const std::vector<int> centre = at(0.25f, 0.5f);
  EXPECT_EQ(0, centre[0]);
  EXPECT_NEAR(128, centre[1], 1);
  EXPECT_EQ(51, centre[2]);
}

// One white pixel glowing through the production's passes, with Gaussian weights (sigma 2.6 taps)
// in the kernel picture's layout: 15 taps, then a zero.
TEST_F(GradingEffectGLTest, GlowOfABrightDotSpreadsSymmetricallyAndFurtherWithTheRadius) {
  const int size = 64, dot = 32;
  FBO* target = addFBO("out", size, size);
  GlowEffect* effect = makeGrading<GlowEffect>(size, size, target, [](GlowEffect& e) {
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
    fill(effect->glowPre, 255, 255, 255, dot, dot, 1, 1);
    setValues({{effect->blurRadius, radius}});
    step(0, 16);
  };
  // Strong enough to see, weak enough that neither pass saturates.
  setValues({{effect->kernelAmp, 2.5f}});
  glow(1.0f);
  EXPECT_EQ(255, red(target, dot, dot));
  for (int d = 1; d <= 4; ++d) {
    EXPECT_GT(red(target, dot + d, dot), 0) << d;
    EXPECT_NEAR(red(target, dot + d, dot), red(target, dot - d, dot), 2) << d;
    EXPECT_NEAR(red(target, dot, dot + d), red(target, dot, dot - d), 2) << d;
    EXPECT_NEAR(red(target, dot + d, dot), red(target, dot, dot + d), 2) << d;
    EXPECT_LE(red(target, dot + d + 1, dot), red(target, dot + d, dot)) << d;
  }
  EXPECT_EQ(0, red(target, dot + 12, dot) + red(target, 2, 2));
  EXPECT_TRUE(isUsed(effect->blurY) && isUsed(effect->blurPre) && isUsed(target));

  setValues({{effect->kernelAmp, 8.0f}});
  glow(1.0f);
  const int near = red(target, dot + 8, dot);
  glow(2.0f);
  EXPECT_GT(red(target, dot + 8, dot), near);
}

// A bright dot right of the centre streaks away from the centre (64, 64), never towards it; the
// passes' opacities fall by one over the number of passes.
TEST_F(GradingEffectGLTest, RadialBlurStreaksABrightDotOutwards) {
  FBO* target = addFBO("out", 128, 128);
  RadialBlurEffect* effect = makeGrading<RadialBlurEffect>(128, 128, target, [](RadialBlurEffect&) {});
  fill(effect->sourceFBO, 0, 0, 0);
  fill(effect->sourceFBO, 255, 255, 255, 100, 63, 2, 2);
  setValues({{effect->numPasses, 30.0f}, {effect->multiply, 1.0f}});
  step(0, 16);
  EXPECT_EQ(255, red(target, 100, 63));
  int outward = 0;
  for (int x = 104; x < 116; ++x) {
    EXPECT_GT(red(target, x, 63), 0) << x;
    outward += red(target, x, 63);
  }
  EXPECT_GT(outward, 12 * 30);
  for (int x = 70; x < 99; ++x) EXPECT_EQ(0, red(target, x, 63)) << x;
  EXPECT_EQ(0, red(target, 100, 20) + red(target, 100, 110));
  for (int pass = 0; pass < RadialBlurEffect::PASS_COUNT; ++pass)
    EXPECT_NEAR(1.0f - pass / 30.0f, effect->passAlpha[pass], 1e-5f) << pass;
}
