#include "content/BrinovaResources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

BrinovaResources::ScreenTarget find(const std::vector<BrinovaResources::ScreenTarget>& targets,
                                    const std::string& name) {
  for (const auto& target : targets)
    if (name == target.name) return target;
  ADD_FAILURE() << name << " missing";
  return {"", false, 0, 0};
}

}  // namespace

TEST(BrinovaResourcesTest, ScreenTargetsFollowTheQualityLevel) {
  auto ultra = BrinovaResources::screenTargets(3, 1920, 1080);
  ASSERT_EQ(8u, ultra.size());
  for (const char* big : {"offscreen0", "offscreen1", "staging0", "staging1"}) {
    EXPECT_EQ(1920, find(ultra, big).width) << big;
    EXPECT_EQ(1080, find(ultra, big).height) << big;
    EXPECT_TRUE(find(ultra, big).depth) << big;
  }
  EXPECT_EQ(1024, find(ultra, "glow_pre").width);
  EXPECT_FALSE(find(ultra, "glow_pre").depth);

  for (int width : {640, 2560}) {
    auto low = BrinovaResources::screenTargets(0, width, 480);
    for (const char* big : {"offscreen0", "offscreen1", "staging0", "staging1"})
      EXPECT_EQ(1024, find(low, big).width) << big;
    EXPECT_EQ(128, find(low, "blur_pre").width);
  }
  auto medium = BrinovaResources::screenTargets(1, 800, 600);
  EXPECT_EQ(1024, find(medium, "offscreen0").width);
  EXPECT_EQ(2048, find(medium, "staging1").height);
  EXPECT_EQ(256, find(medium, "blur_pre").width);
  auto high = BrinovaResources::screenTargets(2, 1280, 720);
  EXPECT_EQ(2048, find(high, "offscreen1").width);
  EXPECT_EQ(1280, find(high, "staging0").width);
  EXPECT_EQ(720, find(high, "staging0").height);
  EXPECT_EQ(256, find(high, "blury").height);
}

TEST(BrinovaResourcesTest, ScreenTargetsKeepTheirOrderAndNoneOutsideTheLevels) {
  auto targets = BrinovaResources::screenTargets(2, 1280, 720);
  std::vector<std::string> names;
  for (const auto& target : targets) names.push_back(target.name);
  EXPECT_EQ(std::vector<std::string>(
                {"offscreen0", "offscreen1", "staging0", "staging1", "glow_pre", "blur_pre", "blurx", "blury"}),
            names);
  EXPECT_TRUE(BrinovaResources::screenTargets(-1, 1280, 720).empty());
  EXPECT_TRUE(BrinovaResources::screenTargets(4, 1280, 720).empty());
}
