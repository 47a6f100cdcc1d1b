// The grading effects with the production's shaders and pictures, at the test window's 640 x 360.
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
class EffectFramesGLTest : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    begin();
    out = addFBO("out", W, H);
    ocean = loadPicture("ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true);
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

  void paintScene(FBO* fbo) { paint(fbo, ocean); }

  std::string name;
  Effect* effect = nullptr;
  FBO* out = nullptr;
  Texture* ocean = nullptr;
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

INSTANTIATE_TEST_SUITE_P(Grading, EffectFramesGLTest,
                         testing::Values("PostProcessEffect", "GlowEffect", "RadialBlurEffect",
                                         "CreditsEffect"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });
