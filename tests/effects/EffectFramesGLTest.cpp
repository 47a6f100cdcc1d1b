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
const char* const CREDITS[] = {"Quor", "Mizt", "Ovar", "Sendrik", "KelvaroLogo", "BrinovaLogo"};

// Each grading effect wired to the production's pictures, drawing into `out`, its input a stand-in
// for a scene: the ocean surface with a few bright lights on it.
class EffectFramesGLTest : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    begin();
    out = addFBO("out", W, H);
    ocean = loadPicture("ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true);
    light = loadPicture("particle", "light.png", GL_TEXTURE_2D, true);
    paintScene(out);
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
    paintScene(KVRDemosys::fboPool->getFBO(name == "GlowEffect" ? "glow_pre" : "staging0"));
  }
  void TearDown() override { end(); }

  void paintScene(FBO* fbo) {
    paint(fbo, ocean);
    const float lights[][3] = {{-0.55f, 0.45f, 0.35f},
                               {0.3f, 0.2f, 0.25f},
                               {0.05f, -0.35f, 0.5f},
                               {0.6f, -0.5f, 0.2f},
                               {-0.2f, 0.7f, 0.15f}};
    for (const float* l : lights) light->drawBlendedAt(GL_SRC_ALPHA, GL_ONE, l[2], l[2] * 16 / 9, l[0], l[1]);
  }

  std::string name;
  Effect* effect = nullptr;
  FBO* out = nullptr;
  Texture *ocean = nullptr, *light = nullptr;
  Picture scene;
};

float uniform(Shader* shader, const char* name) {
  float value[4] = {-1, -1, -1, -1};
  glGetUniformfv(shader->getProgram(), glGetUniformLocation(shader->getProgram(), name), value);
  return value[0];
}

}  // namespace

// Every uniform is set (nothing printed about a missing one); the settings are zero, which shows
// the scene unchanged where the effect adds to it.
TEST_P(EffectFramesGLTest, EmptyTracksDrawWithoutMissingUniforms) {
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

// A picture, not an empty or flat one: the negative turns the largest light (low and right of the
// centre) dark, glow and streaks add light around it, a credit covers the middle only.
TEST_P(EffectFramesGLTest, FrameShowsTheGradedScene) {
  if (auto* e = dynamic_cast<PostProcessEffect*>(effect))
    setValues({{e->contrast, 0.15f},
               {e->vignettRadius, 0.45f},
               {e->noiseStrength, 0.08f},
               {e->negative, 0.6f},
               {e->fade, 0.4f},
               {e->fadeB, 0.3f}});
  if (auto* e = dynamic_cast<GlowEffect*>(effect))
    setValues({{e->preBrightness, -0.1f},
               {e->preContrast, 0.8f},
               {e->postContrast, 0.2f},
               {e->blurRadius, 3.0f},
               {e->kernelAmp, 1.3f}});
  if (auto* e = dynamic_cast<RadialBlurEffect*>(effect))
    setValues({{e->numPasses, 30.0f}, {e->multiply, 1.0f}});
  if (auto* e = dynamic_cast<CreditsEffect*>(effect))
    setValues({{e->index, 4.0f}, {e->xpos, 0.5f}, {e->ypos, 0.45f}, {e->scale, 0.7f}, {e->alpha, 0.9f}});
  step(0, 16);
  const Picture frame = grab(out);
  show(out, "effects-post", name);
  EXPECT_GT(frame.mean(), 15.0);
  EXPECT_GT(frame.spread(), 5.0);
  const double atLight = frame.mean(395, 20, 435, 60);
  if (name == "PostProcessEffect") {
    EXPECT_LT(atLight, frame.mean()) << "the light turns dark in the negative";
  } else if (name == "CreditsEffect") {
    EXPECT_NEAR(scene.mean(0, 0, W, H / 8), frame.mean(0, 0, W, H / 8), 2.0);
    EXPECT_NEAR(scene.mean(0, 7 * H / 8, W, H), frame.mean(0, 7 * H / 8, W, H), 2.0);
    EXPECT_GT(std::fabs(frame.mean(W / 4, H / 3, 3 * W / 4, 2 * H / 3) -
                        scene.mean(W / 4, H / 3, 3 * W / 4, 2 * H / 3)),
              5);
  } else {
    EXPECT_GT(atLight, frame.mean() + 50);
    EXPECT_GT(frame.mean(), scene.mean() + 10) << "the effect adds light";
  }
}

INSTANTIATE_TEST_SUITE_P(Grading, EffectFramesGLTest,
                         testing::Values("PostProcessEffect", "GlowEffect", "RadialBlurEffect",
                                         "CreditsEffect"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });
