#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"
#include "demosys/timing/TrackInterpolate.h"
#include "effects/FluidEffect.h"
#include "support/EffectHarness.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::SetKeys;

const int V = 64;   // velocity grid
const int D = 256;  // dye grid

// The float texture of `fbo`, read (`values` empty) or written.
std::vector<float> field(FBO* fbo, GLenum format, int channels, const std::vector<float>& values = {}) {
  Texture* texture = getColorTexture(fbo, 0);
  std::vector<float> read(size_t(texture->getWidth()) * texture->getHeight() * channels);
  glBindTexture(GL_TEXTURE_2D, texture->getName());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (values.empty())
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_FLOAT, read.data());
  else
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, texture->getWidth(), texture->getHeight(), format, GL_FLOAT,
                    values.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return read;
}

// The outflow of each cell as the solver sees it: u and v on the cells' low faces, 0 outside.
double divergenceRms(const std::vector<float>& u, const std::vector<float>& v) {
  auto at = [](const std::vector<float>& f, int i, int j) {
    return i < V && j < V ? double(f[j * V + i]) : 0.0;
  };
  double sum = 0.0;
  for (int j = 0; j < V; ++j)
    for (int i = 0; i < V; ++i)
      sum += std::pow((at(u, i + 1, j) - at(u, i, j) + at(v, i, j + 1) - at(v, i, j)) * V, 2);
  return std::sqrt(sum / (V * V));
}

class FluidEffectGLTest : public EffectHarness::Test {
 protected:
  void SetUp() override {
    EffectHarness::Test::SetUp();
    effect.createTracks();
    const std::pair<Shader**, const char*> shaders[] = {
        {&effect.addSourceShader, "AddSource"},         {&effect.advectShader, "Advect"},
        {&effect.projectPass0Shader, "ProjectPass0"},   {&effect.projectPass1Shader, "ProjectPass1"},
        {&effect.projectPass2uShader, "ProjectPass2u"}, {&effect.projectPass2vShader, "ProjectPass2v"},
        {&effect.normalizeShader, "Normalize"},         {&effect.compositeShader, "ScreenOpacity2"}};
    for (const auto& [shader, name] : shaders) *shader = EffectHarness::loadShader(name, name);
    // Source 1 pours the Kelvaro logo with these velocities.
    for (auto [picture, file] : {std::pair{&effect.uSource3, "Velocities5.png"},
                                 {&effect.vSource3, "Velocities6.png"},
                                 {&effect.kelvaroLogoSmall, "KelvaroLogoSmall.png"}})
      *picture = EffectHarness::loadPicture(file, file, GL_TEXTURE_2D, false);
    for (FBO** dye :
         {&effect.m_densities_source, &effect.m_densities, &effect.m_densities_prev, &effect.m_d_tmp})
      *dye = grid(D, D, GL_RGB16F, GL_RGB);
    for (FBO** velocity :
         {&effect.m_velocities_u_source, &effect.m_velocities_v_source, &effect.m_velocities_u,
          &effect.m_velocities_v, &effect.m_velocities_u_prev, &effect.m_velocities_v_prev, &effect.m_v_tmp})
      *velocity = grid(V, V, GL_R16F, GL_RED);
    effect.backgroundFBO = effect.staging1FBO = screenGrid();
    effect.init();
  }

  FBO* grid(int w, int h, GLint internal, GLenum format) {
    fbos.emplace_back(new FBO(w, h, internal == GL_RGBA, false, internal, format,
                              internal == GL_RGBA ? GL_UNSIGNED_BYTE : GL_FLOAT));
    clear(fbos.back().get());
    return fbos.back().get();
  }
  FBO* screenGrid() { return grid(320, 180, GL_RGBA, GL_RGBA); }

  FluidEffect effect;
  std::vector<std::unique_ptr<FBO>> fbos;
};

}  // namespace

TEST_F(FluidEffectGLTest, ProjectRemovesDivergenceAndKeepsTheSwirl) {
  // Sources and sinks eight cells apart, on top of one big divergence-free whirl.
  std::vector<float> u(V * V), v(V * V), swirlU(V * V), swirlV(V * V);
  auto stream = [](int i, int j) {
    return i < V && j < V ? 0.3 * std::sin(M_PI * i / V) * std::sin(M_PI * j / V) : 0.0;
  };
  for (int j = 0; j < V; ++j)
    for (int i = 0; i < V; ++i) {
      const int k = j * V + i;
      const double window = 0.5 * std::sin(M_PI * (i + 0.5) / V) * std::sin(M_PI * (j + 0.5) / V);
      swirlU[k] = float((stream(i, j + 1) - stream(i, j)) * V);
      swirlV[k] = float(-(stream(i + 1, j) - stream(i, j)) * V);
      u[k] = swirlU[k] + float(window * std::sin(2 * M_PI * i / 8) * std::cos(2 * M_PI * j / 8));
      v[k] = swirlV[k] + float(window * std::cos(2 * M_PI * i / 8) * std::sin(2 * M_PI * j / 8));
    }
  field(effect.m_velocities_u, GL_RED, 1, u);
  field(effect.m_velocities_v, GL_RED, 1, v);
  ASSERT_NEAR(0.0, divergenceRms(swirlU, swirlV), 1e-3);

  effect.Project();
  const auto pu = field(effect.m_velocities_u, GL_RED, 1), pv = field(effect.m_velocities_v, GL_RED, 1);
  EXPECT_LT(divergenceRms(pu, pv) * 5.0, divergenceRms(u, v));
  double along = 0.0, swirl = 0.0;
  for (int k = 0; k < V * V; ++k) {
    along += pu[k] * swirlU[k] + pv[k] * swirlV[k];
    swirl += swirlU[k] * swirlU[k] + swirlV[k] * swirlV[k];
  }
  EXPECT_NEAR(1.0, along / swirl, 0.05);
}

// Source 0 pours nothing and shows the background untouched; a source lands at xpos, ypos.
TEST_F(FluidEffectGLTest, CompositePlacesTheDyeOnlyWhenPouring) {
  EffectHarness::fill(effect.backgroundFBO, 51, 102, 153);
  FBO* target = screenGrid();
  SetKeys(effect.opacity, {{0, 1.0f}});
  SetKeys(effect.xpos, {{0, 0.25f}});
  SetKeys(effect.ypos, {{0, 0.6f}});
  for (uint32_t time = 0; time < 200; time += 20) effect.draw(time, 20, target);
  for (float value : field(effect.m_densities, GL_RGB, 3)) ASSERT_EQ(0.0f, value);
  const std::vector<uint8_t> pixels = EffectHarness::grab(target).rgba;
  for (size_t k = 0; k < pixels.size(); ++k)
    ASSERT_NEAR(k % 4 == 3 ? pixels[k] : 51 * (k % 4 + 1), pixels[k], 1) << k;

  EffectHarness::fill(effect.backgroundFBO, 0, 0, 0);
  SetKeys(effect.source, {{0, 1.0f}});
  effect.draw(200, 16, target);
  // The dye square covers x 27 to 133 and y 58 to 158 of the 320 x 180 target; nothing shows outside.
  const EffectHarness::Picture frame = EffectHarness::grab(target);
  EXPECT_GT(frame.mean(27, 58, 133, 158), 5.0);
  EXPECT_EQ(0.0, frame.mean(0, 0, 26, 180) + frame.mean(134, 0, 320, 180) + frame.mean(0, 0, 320, 57) +
                     frame.mean(0, 159, 320, 180));
  EXPECT_TRUE(isUsed(target));
}
