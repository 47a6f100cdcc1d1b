#include "content/BrinovaResources.h"

#include <GL/glew.h>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/ScreenMetrics.h"
#include "effects/CameraLensEffect.h"
#include "effects/CreditsEffect.h"
#include "effects/FluidEffect.h"
#include "effects/GlowEffect.h"
#include "effects/ParticleCreatures2Effect.h"
#include "effects/ParticleCreaturesEffect.h"
#include "effects/PostProcessEffect.h"
#include "effects/RadialBlurEffect.h"
#include "effects/UnderwaterEffect.h"

namespace {

struct TextureEntry {
  const char* name;
  const char* file;
  GLenum target;
  bool mipmapped;
};

const TextureEntry kTextures[] = {
    {"ocean_surface_texture", "OceanSurface.png", GL_TEXTURE_2D, true},
    {"wave_normals0", "Waves1Normals.png", GL_TEXTURE_2D, false},
    {"wave_normals1", "Waves2Normals.png", GL_TEXTURE_2D, false},
    {"wave_normals2", "Waves3Normals.png", GL_TEXTURE_2D, false},
    {"overlay", "FrameOverlay.png", GL_TEXTURE_2D, false},
    {"color_noise", "Noise.png", GL_TEXTURE_2D, false},
    {"gaussian_kernel", "Kernel.png", GL_TEXTURE_2D, false},
    {"threshold", "Threshold.png", GL_TEXTURE_1D, true},
    {"particle", "light.png", GL_TEXTURE_2D, true},
    {"particle2", "Particle.png", GL_TEXTURE_2D, true},
    {"particle3", "ParticleBlack.png", GL_TEXTURE_2D, true},
    {"puff_particle", "Puff.png", GL_TEXTURE_2D, true},
    {"u_source", "Velocities.png", GL_TEXTURE_2D, false},
    {"v_source", "Velocities2.png", GL_TEXTURE_2D, false},
    {"u_source2", "Velocities3.png", GL_TEXTURE_2D, false},
    {"v_source2", "Velocities4.png", GL_TEXTURE_2D, false},
    {"u_source3", "Velocities5.png", GL_TEXTURE_2D, false},
    {"v_source3", "Velocities6.png", GL_TEXTURE_2D, false},
    {"quor", "Quor.png", GL_TEXTURE_2D, false},
    {"mizt", "Mizt.png", GL_TEXTURE_2D, false},
    {"ovar", "Ovar.png", GL_TEXTURE_2D, false},
    {"sendrik", "Sendrik.png", GL_TEXTURE_2D, false},
    {"kelvarologo", "KelvaroLogo.png", GL_TEXTURE_2D, false},
    {"brinovalogo", "BrinovaLogo.png", GL_TEXTURE_2D, false},
    {"quor_small", "QuorSmall.png", GL_TEXTURE_2D, false},
    {"mizt_small", "MiztSmall.png", GL_TEXTURE_2D, false},
    {"ovar_small", "OvarSmall.png", GL_TEXTURE_2D, false},
    {"sendrik_small", "SendrikSmall.png", GL_TEXTURE_2D, false},
    {"kelvarologo_small", "KelvaroLogoSmall.png", GL_TEXTURE_2D, false},
    {"brinovalogo_small", "BrinovaLogoSmall.png", GL_TEXTURE_2D, false},
};

// Pool name and file base name of every shader program; no shader of this demo takes defines.
const char* const kShaders[][2] = {
    {"standard_light", "standard_light"},
    {"point_light", "point_light"},
    {"laplace", "Laplacian"},
    {"dilate", "Dilate"},
    {"waves", "Waves"},
    {"b_n_c_shader", "BrightnessContrast"},
    {"blur_x", "Gaussian_x"},
    {"blur_y", "Gaussian_y"},
    {"copy", "Copy"},
    {"screen", "Screen"},
    {"screen_opacity", "ScreenOpacity"},
    {"screen_opacity2", "ScreenOpacity2"},
    {"post_process_shader", "PostProcess"},
    {"particlesprite_shader", "particlesprite"},
    {"add_source_shader", "AddSource"},
    {"advect_shader", "Advect"},
    {"project_pass0_shader", "ProjectPass0"},
    {"project_pass1_shader", "ProjectPass1"},
    {"project_pass2u_shader", "ProjectPass2u"},
    {"project_pass2v_shader", "ProjectPass2v"},
    {"normalize_shader", "Normalize"},
    {"zoom_blend", "ZoomBlend"},
};

struct FluidTarget {
  const char* name;
  int32_t size;
  bool dye;  // dye grids are RGB, velocity grids one channel
};

const FluidTarget kFluidTargets[] = {
    {"m_densities_source", 256, true},  {"m_velocities_u_source", 64, false},
    {"m_velocities_v_source", 64, false}, {"m_densities", 256, true},
    {"m_densities_prev", 256, true},    {"m_velocities_u", 64, false},
    {"m_velocities_v", 64, false},      {"m_velocities_u_prev", 64, false},
    {"m_velocities_v_prev", 64, false}, {"m_d_tmp", 256, true},
    {"m_v_tmp", 64, false},
};

}  // namespace

void BrinovaResources::setup(ScreenMetrics* metrics) {
  metrics->setNearPlane(1.0f);
  metrics->setFarPlane(200.0f);
  SetStartTime("00:00:00");
  SetEndTime("02:30:850");
}

void BrinovaResources::defineResources() {
  SetMusic("brinova_final_c.mp3");
  defineTextures();
  defineShaders();
  defineFramebuffers();
}

void BrinovaResources::defineTextures() {
  for (const TextureEntry& texture : kTextures)
    AddTexture({texture.name, texture.file, texture.target, texture.mipmapped});
}

void BrinovaResources::defineShaders() {
  for (const auto& shader : kShaders) AddShader({shader[0], shader[1], {}});
}

std::vector<BrinovaResources::ScreenTarget> BrinovaResources::screenTargets(int32_t quality, int32_t width,
                                                                             int32_t height) {
  if (quality < 0 || quality > 3) return {};
  // Sizes per quality: Low, Medium, High, Ultra; 0 stands for the window's own size.
  struct Row {
    const char* name;
    bool depth;
    int32_t sizes[4];
  };
  static const Row kRows[] = {
      {"offscreen0", true, {1024, 1024, 2048, 0}}, {"offscreen1", true, {1024, 1024, 2048, 0}},
      {"staging0", true, {1024, 2048, 0, 0}},      {"staging1", true, {1024, 2048, 0, 0}},
      {"glow_pre", false, {512, 512, 1024, 1024}}, {"blur_pre", false, {128, 256, 512, 512}},
      {"blurx", false, {128, 128, 256, 256}},      {"blury", false, {128, 128, 256, 256}},
  };
  std::vector<ScreenTarget> targets;
  for (const Row& row : kRows) {
    int32_t size = row.sizes[quality];
    targets.push_back({row.name, row.depth, size ? size : width, size ? size : height});
  }
  return targets;
}

void BrinovaResources::defineFramebuffers() {
  ScreenMetrics* metrics = KVRDemosys::screenMetrics;
  for (const ScreenTarget& target : screenTargets(metrics->getQuality(), metrics->getWidth(), metrics->getHeight()))
    AddFBO(target.name, new FBO(target.width, target.height, target.depth, false, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE));
  for (const FluidTarget& target : kFluidTargets)
    AddFBO(target.name, new FBO(target.size, target.size, false, false, target.dye ? GL_RGB16F : GL_R16F,
                                target.dye ? GL_RGB : GL_RED, GL_FLOAT));
}

void BrinovaResources::defineEffects() {
  DefineEffect("UnderwaterEffect", new UnderwaterEffect());
  DefineEffect("PostProcessEffect", new PostProcessEffect());
  DefineEffect("GlowEffect", new GlowEffect());
  DefineEffect("ParticleCreaturesEffect", new ParticleCreaturesEffect());
  DefineEffect("ParticleCreatures2Effect", new ParticleCreatures2Effect());
  DefineEffect("FluidEffect", new FluidEffect());
  DefineEffect("CameraLensEffect", new CameraLensEffect());
  DefineEffect("CreditsEffect", new CreditsEffect());
  DefineEffect("RadialBlurEffect", new RadialBlurEffect());
}

void BrinovaResources::defineInstances() {
  bindUnderwater();
  bindPostProcess();
  bindGlow();
  bindParticleCreatures();
  bindParticleCreatures2();
  bindFluid();
  CreateEffectInstance("CameraLensEffect", "camera", true);
  bindCredits();
  bindRadialBlur();
}

void BrinovaResources::bindUnderwater() {
  auto* effect = static_cast<UnderwaterEffect*>(CreateEffectInstance("UnderwaterEffect", "underwater_effect", true));
  effect->pointLightShader = GetShader("point_light");
  effect->laplaceShader = GetShader("laplace");
  effect->dilateShader = GetShader("dilate");
  effect->wavesShader = GetShader("waves");
  effect->spriteShader = GetShader("particlesprite_shader");
  effect->sceneFBO = GetFBO("offscreen0");
  effect->edgesFBO = GetFBO("offscreen1");
  effect->oceanTexture = GetTexture("ocean_surface_texture");
  effect->waveNormals0 = GetTexture("wave_normals0");
  effect->waveNormals1 = GetTexture("wave_normals1");
  effect->waveNormals2 = GetTexture("wave_normals2");
  effect->particleTexture = GetTexture("particle");
  effect->puffTexture = GetTexture("puff_particle");
}

void BrinovaResources::bindPostProcess() {
  auto* effect = static_cast<PostProcessEffect*>(CreateEffectInstance("PostProcessEffect", "postprocess_effect", true));
  effect->overlayTexture = GetTexture("overlay");
  effect->noiseTexture = GetTexture("color_noise");
  effect->thresholdTexture = GetTexture("threshold");
  effect->shader = GetShader("post_process_shader");
  effect->sourceFBO = GetFBO("staging0");
}

void BrinovaResources::bindGlow() {
  auto* effect = static_cast<GlowEffect*>(CreateEffectInstance("GlowEffect", "glow_effect", true));
  effect->blurPre = GetFBO("blur_pre");
  effect->blurX = GetFBO("blurx");
  effect->blurY = GetFBO("blury");
  effect->glowPre = GetFBO("glow_pre");
  effect->blurXShader = GetShader("blur_x");
  effect->blurYShader = GetShader("blur_y");
  effect->screenShader = GetShader("screen");
  effect->bncShader = GetShader("b_n_c_shader");
  effect->kernel = GetTexture("gaussian_kernel");
}

void BrinovaResources::bindParticleCreatures() {
  auto* effect = static_cast<ParticleCreaturesEffect*>(
      CreateEffectInstance("ParticleCreaturesEffect", "particle_creatures_effect", true));
  effect->shader = GetShader("particlesprite_shader");
  effect->particleTexture = GetTexture("particle");
  effect->spriteTexture = GetTexture("particle2");
}

void BrinovaResources::bindParticleCreatures2() {
  auto* effect = static_cast<ParticleCreatures2Effect*>(
      CreateEffectInstance("ParticleCreatures2Effect", "particle_creatures2_effect", true));
  effect->shader = GetShader("particlesprite_shader");
  effect->spriteTexture = GetTexture("particle2");
  effect->particle3Texture = GetTexture("particle3");
}

void BrinovaResources::bindFluid() {
  auto* effect = static_cast<FluidEffect*>(CreateEffectInstance("FluidEffect", "fluid_effect", true));
  effect->addSourceShader = GetShader("add_source_shader");
  effect->advectShader = GetShader("advect_shader");
  effect->projectPass0Shader = GetShader("project_pass0_shader");
  effect->projectPass1Shader = GetShader("project_pass1_shader");
  effect->projectPass2uShader = GetShader("project_pass2u_shader");
  effect->projectPass2vShader = GetShader("project_pass2v_shader");
  effect->normalizeShader = GetShader("normalize_shader");
  effect->uSource = GetTexture("u_source");
  effect->vSource = GetTexture("v_source");
  effect->uSource2 = GetTexture("u_source2");
  effect->vSource2 = GetTexture("v_source2");
  effect->uSource3 = GetTexture("u_source3");
  effect->vSource3 = GetTexture("v_source3");
  effect->quorSmall = GetTexture("quor_small");
  effect->miztSmall = GetTexture("mizt_small");
  effect->ovarSmall = GetTexture("ovar_small");
  effect->sendrikSmall = GetTexture("sendrik_small");
  effect->kelvaroLogoSmall = GetTexture("kelvarologo_small");
  effect->brinovaLogoSmall = GetTexture("brinovalogo_small");
  effect->m_densities_source = GetFBO("m_densities_source");
  effect->m_velocities_u_source = GetFBO("m_velocities_u_source");
  effect->m_velocities_v_source = GetFBO("m_velocities_v_source");
  effect->m_densities = GetFBO("m_densities");
  effect->m_densities_prev = GetFBO("m_densities_prev");
  effect->m_velocities_u = GetFBO("m_velocities_u");
  effect->m_velocities_v = GetFBO("m_velocities_v");
  effect->m_velocities_u_prev = GetFBO("m_velocities_u_prev");
  effect->m_velocities_v_prev = GetFBO("m_velocities_v_prev");
  effect->m_d_tmp = GetFBO("m_d_tmp");
  effect->m_v_tmp = GetFBO("m_v_tmp");
  effect->compositeShader = GetShader("screen_opacity2");
  effect->backgroundFBO = GetFBO("staging0");
  effect->staging1FBO = GetFBO("staging1");
}

void BrinovaResources::bindCredits() {
  auto* effect = static_cast<CreditsEffect*>(CreateEffectInstance("CreditsEffect", "credits_effect", true));
  const char* const names[] = {"quor", "mizt", "ovar", "sendrik", "kelvarologo", "brinovalogo"};
  for (int i = 0; i < 6; ++i) effect->images[i] = GetTexture(names[i]);
  effect->shader = GetShader("screen_opacity");
  effect->backgroundFBO = GetFBO("staging0");
  effect->outputFBO = GetFBO("staging1");
}

void BrinovaResources::bindRadialBlur() {
  auto* effect = static_cast<RadialBlurEffect*>(CreateEffectInstance("RadialBlurEffect", "radial_blur_effect", true));
  effect->sourceFBO = GetFBO("staging0");
  effect->copyFBO = GetFBO("offscreen0");
  effect->workFBO = GetFBO("blurx");
  effect->accumFBO = GetFBO("blury");
  effect->zoomShader = GetShader("zoom_blend");
  effect->screenShader = GetShader("screen");
}
