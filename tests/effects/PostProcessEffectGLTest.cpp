#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "demosys/gl/Shader.h"
#include "demosys/gl/Texture.h"
#include "demosys/timing/TrackInterpolate.h"
#include "effects/PostProcessEffect.h"
#include "support/EffectHarness.h"

using namespace EffectHarness;

namespace {

const int kWidth = 64, kHeight = 36;

// A source picture whose pixels are all different: red across, green up, blue diagonal; (x, y)
// counted from the bottom row, as the FBO holds it.
std::vector<int> rampAt(int x, int y) {
  const int row = kHeight - 1 - y;
  return {x * 4, 255 - row * 7, (x + row) * 2};
}

}  // namespace

// Each setting against the ramp, over the target below the overlay's opaque row (stretched and
// filtered, it covers the top eight rows, which show its red); a small vignette darkens the
// corners only.
using PostProcessEffectGLTest = EffectHarness::Test;

TEST_F(PostProcessEffectGLTest, SettingsGradeEveryPixel) {
  FBO* target = addFBO("out", kWidth, kHeight);
  PostProcessEffect* effect =
      makeGrading<PostProcessEffect>(kWidth, kHeight, target, [](PostProcessEffect& e) {
        std::vector<uint8_t> identity;
        for (int i = 0; i < 256; ++i) identity.insert(identity.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
        e.thresholdTexture = makeTexture("threshold", 256, 1, 3, identity, GL_TEXTURE_1D, true);
        e.noiseTexture = makeTexture("color_noise", 4, 4, 3, std::vector<uint8_t>(48, 128));
        // Transparent but for the top row of the shown region, which is opaque red.
        std::vector<uint8_t> overlay(16 * 16 * 4, 0);
        for (int x = 0; x < 16; ++x) overlay[x * 4] = 255, overlay[x * 4 + 3] = 255;
        e.overlayTexture = makeTexture("overlay", 16, 16, 4, overlay);
        std::vector<uint8_t> ramp;
        for (int y = kHeight - 1; y >= 0; --y)
          for (int x = 0; x < kWidth; ++x)
            for (int value : rampAt(x, y)) ramp.push_back(uint8_t(value));
        paint(e.sourceFBO, makeTexture("ramp", kWidth, kHeight, 3, ramp));
      });
  // The tracks' values in their order: brightness, contrast, negative, fade, fade_r, fade_g, fade_b,
  // noise_strength, vignett_radius.
  const struct {
    const char* name;
    std::vector<float> values;
    std::function<int(int value, int channel)> expected;
    int tolerance;
  } cases[] = {
      {"neutral", {0, 0, 0, 0, 0, 0, 0, 0, 1.5f}, [](int v, int) { return v; }, 1},
      {"negative", {0, 0, 1, 0, 0, 0, 0, 0, 1.5f}, [](int v, int) { return 255 - v; }, 1},
      {"fade one gives the fade colour",
       {0, 0, 0, 1, 0.2f, 0.4f, 0.6f, 0.3f, 0.2f},
       [](int, int c) { return 51 * (c + 1); },
       1},
      {"brightness adds, contrast stretches",
       {0.1f, 1, 0, 0, 0, 0, 0, 0, 1.5f},
       [](int v, int) { return std::clamp(int((v / 255.0 - 0.5) * 2 * 255 + 153.5), 0, 255); },
       2},
      {"vignette", {0, 0, 0, 0, 0, 0, 0, 0, 0.3f}, nullptr, 0},
  };
  for (const auto& c : cases) {
    for (int i = 0; i < effect->GetTrackCount(); ++i) {
      effect->GetTrackAt(i)->Clear();
      setValues({{effect->GetTrackAt(i), c.values[i]}});
    }
    step(0, 16);
    if (!c.expected) {
      const std::vector<int> centre = pixel(target, kWidth / 2, kHeight / 2);
      for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(rampAt(kWidth / 2, kHeight / 2)[channel], centre[channel], 1);
      EXPECT_LT(pixel(target, kWidth - 1, 0)[0], rampAt(kWidth - 1, 0)[0] / 2);
      continue;
    }
    const Picture graded = grab(target);
    for (int y = 0; y < kHeight - 8; ++y)
      for (int x = 0; x < kWidth; ++x)
        for (int channel = 0; channel < 3; ++channel)
          ASSERT_NEAR(c.expected(rampAt(x, y)[channel], channel), graded.rgba[(y * kWidth + x) * 4 + channel],
                      c.tolerance)
              << c.name << ": pixel " << x << "," << y << " channel " << channel;
    if (&c == cases) {
      EXPECT_EQ((std::vector<int>{255, 0, 0}), pixel(target, kWidth / 2, kHeight - 1));
    }
  }
}
