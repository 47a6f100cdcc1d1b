#include "capture/CaptureStats.h"

#include <gtest/gtest.h>

#include "demosys/core/KVRDemosys.h"

namespace {

// Texture 7 belongs to framebuffer 3, texture 8 to framebuffer 4; 9 is an image texture.
class CaptureStatsTest : public testing::Test {
 protected:
  void SetUp() override {
    stats.setOwner(7, 3);
    stats.setOwner(8, 4);
    KVRDemosys::boundFramebuffer = 0;
  }
  void TearDown() override { KVRDemosys::boundFramebuffer = 0; }

  void bindFramebuffer(uint32_t framebuffer) {
    KVRDemosys::boundFramebuffer = framebuffer;
    stats.framebufferBound(framebuffer);
  }

  CaptureStats stats;
};

TEST_F(CaptureStatsTest, SamplingTheBoundTargetIsAFeedbackLoop) {
  stats.beginInstance();
  bindFramebuffer(3);
  stats.textureBound(7);
  EXPECT_TRUE(stats.endInstance());
}

TEST_F(CaptureStatsTest, BindingTheTargetOfABoundTextureIsAFeedbackLoop) {
  stats.beginInstance();
  stats.textureBound(7);
  bindFramebuffer(3);
  EXPECT_TRUE(stats.endInstance());
}

TEST_F(CaptureStatsTest, OtherTargetsImagesAndUnboundTexturesAreNot) {
  stats.beginInstance();
  bindFramebuffer(3);
  stats.textureBound(8);
  stats.textureBound(9);
  stats.textureUnbound(8);
  bindFramebuffer(4);
  bindFramebuffer(0);
  stats.textureBound(7);
  EXPECT_FALSE(stats.endInstance());
}

TEST_F(CaptureStatsTest, OnlyBindsInsideAnInstanceCountAndEachInstanceStartsClean) {
  bindFramebuffer(3);
  stats.textureBound(7);  // the engine's own clearing, between instances
  stats.beginInstance();
  EXPECT_FALSE(stats.endInstance());
  stats.beginInstance();
  stats.textureBound(7);
  EXPECT_TRUE(stats.endInstance());
  stats.beginInstance();
  EXPECT_FALSE(stats.endInstance());
}

}  // namespace
