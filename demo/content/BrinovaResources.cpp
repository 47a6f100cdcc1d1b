#include "content/BrinovaResources.h"

#include <GL/glew.h>

#include "demosys/FBO.h"
#include "demosys/KVRDemosys.h"
#include "demosys/ScreenMetrics.h"

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
