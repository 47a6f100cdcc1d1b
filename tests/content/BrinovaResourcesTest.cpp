#include <gtest/gtest.h>

#include <string>

#include "content/BrinovaResources.h"

// Per quality level the framebuffers' sizes: the screen's size (Ultra, High staging), or fixed
// powers of two; the order stays, and levels outside 0..3 make none.
TEST(BrinovaResourcesTest, ScreenTargetsFollowTheQualityLevel) {
  const struct {
    int quality, screenWidth, screenHeight;
    const char* name;
    int width, height;
    bool depth;
  } cases[] = {{3, 1920, 1080, "staging1", 1920, 1080, true},  {3, 1920, 1080, "glow_pre", 1024, 1024, false},
               {0, 2560, 480, "staging0", 1024, 1024, true},   {0, 2560, 480, "blur_pre", 128, 128, false},
               {1, 800, 600, "staging1", 2048, 2048, true},    {1, 800, 600, "blur_pre", 256, 256, false},
               {2, 1280, 720, "offscreen1", 2048, 2048, true}, {2, 1280, 720, "staging0", 1280, 720, true}};
  for (const auto& c : cases) {
    std::vector<std::string> names;
    for (const auto& target : BrinovaResources::screenTargets(c.quality, c.screenWidth, c.screenHeight)) {
      names.push_back(target.name);
      if (c.name != std::string(target.name)) continue;
      EXPECT_EQ(c.width, target.width) << c.quality << " " << c.name;
      EXPECT_EQ(c.height, target.height) << c.quality << " " << c.name;
      EXPECT_EQ(c.depth, target.depth) << c.quality << " " << c.name;
    }
    EXPECT_EQ(std::vector<std::string>({"offscreen0", "offscreen1", "staging0", "staging1", "glow_pre",
                                        "blur_pre", "blurx", "blury"}),
              names);
  }
  EXPECT_TRUE(BrinovaResources::screenTargets(-1, 1280, 720).empty());
  EXPECT_TRUE(BrinovaResources::screenTargets(4, 1280, 720).empty());
}
