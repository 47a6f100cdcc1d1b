// Renders the grading effects on the production's pictures at the test window's 640 x 360 and
// writes them to build/frames/effects-post/ for a person to look at.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <string>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"
#include "effects/CreditsEffect.h"
#include "effects/GlowEffect.h"
#include "effects/PostProcessEffect.h"
#include "effects/RadialBlurEffect.h"
#include "support/EffectHarness.h"
#include "support/EngineState.h"

using namespace EffectHarness;

namespace {

class EffectFramesGLTest : public testing::Test {
 protected:
  void SetUp() override {
    begin();
    // The quality Low sizes of the production's framebuffer objects.
    staging0 = addFBO("staging0", 1024, 1024, true);
    staging1 = addFBO("staging1", 1024, 1024, true);
    offscreen0 = addFBO("offscreen0", 1024, 1024, true);
    glowPre = addFBO("glow_pre", 512, 512);
    blurPre = addFBO("blur_pre", 128, 128);
    blurX = addFBO("blurx", 128, 128);
    blurY = addFBO("blury", 128, 128);
    ocean = loadPicture("ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true);
    light = loadPicture("particle", "light.png", GL_TEXTURE_2D, true);
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

  void save(const std::string& name) {
    bind(nullptr);
    EXPECT_TRUE(EngineState::saveFrame(EngineState::framesDirectory("effects-post") + "/" + name + ".png"));
  }

  FBO *staging0, *staging1, *offscreen0, *glowPre, *blurPre, *blurX, *blurY;
  Texture *ocean, *light;
};

TEST_F(EffectFramesGLTest, PostProcess) {
  PostProcessEffect* effect = new PostProcessEffect();
  effect->shader = loadShader("post_process_shader", "PostProcess");
  effect->overlayTexture = loadPicture("overlay", "FrameOverlay.png", GL_TEXTURE_2D, false);
  effect->noiseTexture = loadPicture("color_noise", "Noise.png", GL_TEXTURE_2D, false);
  effect->thresholdTexture = loadPicture("threshold", "Threshold.png", GL_TEXTURE_1D, true);
  effect->sourceFBO = staging0;
  run(effect, "postprocess_effect", nullptr);
  effect->init();
  setValue(effect->contrast, 0.15f);
  setValue(effect->brightness, 0.02f);
  setValue(effect->vignettRadius, 0.45f);
  setValue(effect->noiseStrength, 0.08f);
  paintScene(staging0);
  step(20000, 16);
  save("postprocess");

  setValue(effect->negative, 0.6f);
  setValue(effect->fade, 0.4f);
  setValue(effect->fadeB, 0.3f);
  paintScene(staging0);
  step(20000, 16);
  save("postprocess-negative-fade");
}

TEST_F(EffectFramesGLTest, Glow) {
  GlowEffect* effect = new GlowEffect();
  effect->blurPre = blurPre;
  effect->blurX = blurX;
  effect->blurY = blurY;
  effect->glowPre = glowPre;
  effect->blurXShader = loadShader("blur_x", "Gaussian_x");
  effect->blurYShader = loadShader("blur_y", "Gaussian_y");
  effect->screenShader = loadShader("screen", "Screen");
  effect->bncShader = loadShader("b_n_c_shader", "BrightnessContrast");
  effect->kernel = loadPicture("gaussian_kernel", "Kernel.png", GL_TEXTURE_2D, false);
  run(effect, "glow_effect", nullptr);
  setValue(effect->preBrightness, -0.1f);
  setValue(effect->preContrast, 0.8f);
  setValue(effect->postContrast, 0.2f);
  setValue(effect->blurRadius, 3.0f);
  setValue(effect->kernelAmp, 1.3f);
  paintScene(glowPre);
  step(0, 16);
  save("glow");
}

TEST_F(EffectFramesGLTest, RadialBlur) {
  RadialBlurEffect* effect = new RadialBlurEffect();
  effect->sourceFBO = staging0;
  effect->copyFBO = offscreen0;
  effect->workFBO = blurX;
  effect->accumFBO = blurY;
  effect->zoomShader = loadShader("zoom_blend", "ZoomBlend");
  effect->screenShader = loadShader("screen", "Screen");
  run(effect, "radial_blur_effect", nullptr);
  effect->init();
  setValue(effect->numPasses, 30.0f);
  setValue(effect->multiply, 1.0f);
  paintScene(staging0);
  step(0, 16);
  save("radialblur");
  bind(nullptr);
  getColorTexture(blurY, 0)->drawFullscreen();
  save("radialblur-streaks");
}

TEST_F(EffectFramesGLTest, Credits) {
  CreditsEffect* effect = new CreditsEffect();
  const char* names[] = {"quor", "mizt", "ovar", "sendrik", "kelvarologo", "brinovalogo"};
  const char* files[] = {"Quor.png",    "Mizt.png",        "Ovar.png",
                         "Sendrik.png", "KelvaroLogo.png", "BrinovaLogo.png"};
  for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i)
    effect->images[i] = loadPicture(names[i], files[i], GL_TEXTURE_2D, false);
  effect->shader = loadShader("screen_opacity", "ScreenOpacity");
  effect->backgroundFBO = staging0;
  effect->outputFBO = staging1;
  run(effect, "credits_effect", nullptr);
  effect->init();
  setValue(effect->xpos, 0.5f);
  setValue(effect->ypos, 0.45f);
  setValue(effect->scale, 0.7f);
  setValue(effect->alpha, 0.9f);
  for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i) {
    setValue(effect->index, float(i));
    paintScene(staging0);
    step(0, 16);
    save(std::string("credits-") + names[i]);
  }
}

}  // namespace
