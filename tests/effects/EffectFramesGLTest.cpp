// The grading effects on the production's pictures at the test window's 640 x 360: what each
// frame must show; the frames are written to build/frames/effects-post/ for a person to look at.
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
const char* const CREDITS[][2] = {{"quor", "Quor.png"},
                                  {"mizt", "Mizt.png"},
                                  {"ovar", "Ovar.png"},
                                  {"sendrik", "Sendrik.png"},
                                  {"kelvarologo", "KelvaroLogo.png"},
                                  {"brinovalogo", "BrinovaLogo.png"}};

class EffectFramesGLTest : public testing::Test {
 protected:
  void SetUp() override {
    begin();
    out = addFBO("out", W, H);
    ocean = loadPicture("ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true);
    light = loadPicture("particle", "light.png", GL_TEXTURE_2D, true);
    paintScene(out);
    scene = grab(out);
    fill(out, 0, 0, 0);
  }
  void TearDown() override { end(); }

  // A stand-in for a scene: the ocean surface with a few bright lights on it.
  void paintScene(FBO* fbo) {
    paint(fbo, ocean);
    const float lights[][3] = {{-0.55f, 0.45f, 0.35f},
                               {0.3f, 0.2f, 0.25f},
                               {0.05f, -0.35f, 0.5f},
                               {0.6f, -0.5f, 0.2f},
                               {-0.2f, 0.7f, 0.15f}};
    for (const float* l : lights) light->drawBlendedAt(GL_SRC_ALPHA, GL_ONE, l[2], l[2] * 16 / 9, l[0], l[1]);
  }

  // The named effect wired to the production's pictures, drawing into `out`, its input painted.
  Effect* make(const std::string& name) {
    Effect* effect = nullptr;
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
          e.images[i] = loadPicture(CREDITS[i][0], CREDITS[i][1], GL_TEXTURE_2D, false);
      });
    paintScene(KVRDemosys::fboPool->getFBO(name == "GlowEffect" ? "glow_pre" : "staging0"));
    return effect;
  }

  // Luminance around the largest light, low and right of the centre.
  static double atTheLight(const Picture& frame) { return frame.mean(395, 20, 435, 60); }
  // A picture, not an empty or flat one, with light where the scene has it.
  static void expectAPicture(const Picture& frame) {
    EXPECT_GT(frame.mean(), 15.0);
    EXPECT_GT(frame.spread(), 15.0);
    EXPECT_GT(atTheLight(frame), frame.mean() + 50);
  }

  FBO* out;
  Texture *ocean, *light;
  Picture scene;
};

class EffectEmptyTracksGLTest : public EffectFramesGLTest, public testing::WithParamInterface<const char*> {};

float uniform(Shader* shader, const char* name) {
  float value[4] = {-1, -1, -1, -1};
  glGetUniformfv(shader->getProgram(), glGetUniformLocation(shader->getProgram(), name), value);
  return value[0];
}

}  // namespace

// Every uniform is set (nothing printed about a missing one); the settings are zero, which shows
// the scene unchanged where the effect adds to it.
TEST_P(EffectEmptyTracksGLTest, DrawWithoutMissingUniforms) {
  const std::string name = GetParam();
  Effect* effect = make(name);
  EXPECT_EQ("", stdoutOf([&] { step(0, 16); }));
  const Picture frame = grab(out);
  if (name == "PostProcessEffect") {
    for (const char* uniformName :
         {"brightness", "contrast", "negative", "fade", "vignett_radius", "noise_strength", "fade_color"})
      EXPECT_EQ(0.0f, uniform(static_cast<PostProcessEffect*>(effect)->shader, uniformName)) << uniformName;
    return;
  }
  EXPECT_NEAR(scene.mean(), frame.mean(), 2.0);
  EXPECT_NEAR(scene.spread(), frame.spread(), 2.0);
  if (name == "GlowEffect")
    EXPECT_EQ(float(SIZE), uniform(static_cast<GlowEffect*>(effect)->blurXShader, "texture_size"));
  if (name == "CreditsEffect") EXPECT_EQ(0.0f, uniform(static_cast<CreditsEffect*>(effect)->shader, "scale"));
  if (name == "RadialBlurEffect") {
    RadialBlurEffect* blur = static_cast<RadialBlurEffect*>(effect);
    for (float alpha : blur->passAlpha) EXPECT_TRUE(std::isfinite(alpha));
    EXPECT_TRUE(std::isfinite(blur->alpha));
    EXPECT_FALSE(isUsed(out)) << "without \"multiply\" the streaks are black";
  }
}

INSTANTIATE_TEST_SUITE_P(Grading, EffectEmptyTracksGLTest,
                         testing::Values("PostProcessEffect", "GlowEffect", "RadialBlurEffect",
                                         "CreditsEffect"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

TEST_F(EffectFramesGLTest, PostProcess) {
  PostProcessEffect* effect = static_cast<PostProcessEffect*>(make("PostProcessEffect"));
  setValues({{effect->contrast, 0.15f},
             {effect->brightness, 0.02f},
             {effect->vignettRadius, 0.45f},
             {effect->noiseStrength, 0.08f}});
  step(20000, 16);
  const Picture graded = grab(out);
  show(out, "effects-post", "postprocess");
  expectAPicture(graded);

  setValues({{effect->negative, 0.6f}, {effect->fade, 0.4f}, {effect->fadeB, 0.3f}});
  step(20000, 16);
  const Picture faded = grab(out);
  show(out, "effects-post", "postprocess-negative-fade");
  EXPECT_GT(faded.spread(), 5.0);
  EXPECT_LT(atTheLight(faded), faded.mean()) << "the light turns dark in the negative";
}

TEST_F(EffectFramesGLTest, Glow) {
  GlowEffect* effect = static_cast<GlowEffect*>(make("GlowEffect"));
  setValues({{effect->preBrightness, -0.1f},
             {effect->preContrast, 0.8f},
             {effect->postContrast, 0.2f},
             {effect->blurRadius, 3.0f},
             {effect->kernelAmp, 1.3f}});
  step(0, 16);
  const Picture glowing = grab(out);
  show(out, "effects-post", "glow");
  expectAPicture(glowing);
  EXPECT_GT(glowing.mean(), scene.mean() + 10) << "the glow adds light";
}

TEST_F(EffectFramesGLTest, RadialBlur) {
  RadialBlurEffect* effect = static_cast<RadialBlurEffect*>(make("RadialBlurEffect"));
  setValues({{effect->numPasses, 30.0f}, {effect->multiply, 1.0f}});
  step(0, 16);
  const Picture blurred = grab(out), streaks = grab(KVRDemosys::fboPool->getFBO("blury"));
  show(out, "effects-post", "radialblur");
  show(KVRDemosys::fboPool->getFBO("blury"), "effects-post", "radialblur-streaks");
  expectAPicture(blurred);
  EXPECT_GT(blurred.mean(), scene.mean() + 10) << "the streaks add light";
  EXPECT_GT(streaks.spread(), 10.0);
}

TEST_F(EffectFramesGLTest, Credits) {
  CreditsEffect* effect = static_cast<CreditsEffect*>(make("CreditsEffect"));
  setValues({{effect->xpos, 0.5f}, {effect->ypos, 0.45f}, {effect->scale, 0.7f}, {effect->alpha, 0.9f}});
  for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i) {
    setValues({{effect->index, float(i)}});
    step(0, 16);
    const Picture frame = grab(out);
    show(out, "effects-post", std::string("credits-") + CREDITS[i][0]);
    // The credit covers the middle; the top and bottom are the scene.
    EXPECT_NEAR(scene.mean(0, 0, W, H / 8), frame.mean(0, 0, W, H / 8), 2.0) << CREDITS[i][0];
    EXPECT_NEAR(scene.mean(0, 7 * H / 8, W, H), frame.mean(0, 7 * H / 8, W, H), 2.0) << CREDITS[i][0];
    EXPECT_GT(std::fabs(frame.mean(W / 4, H / 3, 3 * W / 4, 2 * H / 3) -
                        scene.mean(W / 4, H / 3, 3 * W / 4, 2 * H / 3)),
              5)
        << CREDITS[i][0];
  }
}
