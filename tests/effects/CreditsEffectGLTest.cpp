#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"
#include "effects/CreditsEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kWidth = 160, kHeight = 90;

// Credit pictures of one opaque colour each (red, green, then shades of blue) over a dark blue scene.
TEST(CreditsEffectGLTest, IndexPicksThePicturePlacedAndFadedByTheTracks) {
  begin();
  FBO* target = addFBO("out", kWidth, kHeight);
  CreditsEffect* effect = makeGrading<CreditsEffect>(kWidth, kHeight, target, [](CreditsEffect& e) {
    for (int i = 0; i < CreditsEffect::IMAGE_COUNT; ++i) {
      const uint8_t colour[] = {uint8_t(i == 0 ? 255 : 0), uint8_t(i == 1 ? 255 : 0),
                                uint8_t(i >= 2 ? 40 * i : 0), 255};
      std::vector<uint8_t> pixels;
      for (int p = 0; p < 8 * 2; ++p) pixels.insert(pixels.end(), colour, colour + 4);
      e.images[i] = makeTexture("credit" + std::to_string(i), 8, 2, 4, pixels);
      e.images[i]->setWrap(GL_REPEAT);
    }
  });
  fill(effect->backgroundFBO, 0, 0, 51);
  auto at = [&](float s, float t) { return pixel(target, int(s * kWidth), int(t * kHeight)); };
  // Scale 0.4: 0.4 wide, 0.4 * 5 / 11.25 high, so x 0.05..0.45 and t 0.41..0.59.
  setValues({{effect->index, 0.0f},
             {effect->xpos, 0.25f},
             {effect->ypos, 0.5f},
             {effect->scale, 0.4f},
             {effect->alpha, 1.0f}});
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
  end();
}

}  // namespace
