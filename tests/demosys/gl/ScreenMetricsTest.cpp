#include "demosys/gl/ScreenMetrics.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ScreenMetricsTest, ConstructionValues) {
  ScreenMetrics metrics;
  EXPECT_EQ(2, metrics.getQuality());
  EXPECT_EQ(0, metrics.getWidth());
  EXPECT_EQ(0, metrics.getHeight());
  EXPECT_TRUE(metrics.getFullscreen());
  EXPECT_TRUE(metrics.getVsync());
  EXPECT_EQ(0, metrics.getAntialiasing());
  EXPECT_FLOAT_EQ(1.0f, metrics.getNearPlane());
  EXPECT_FLOAT_EQ(800.0f, metrics.getFarPlane());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(i % 5 == 0 ? 1.0f : 0.0f, metrics.projection[i]) << i;
}

struct LetterboxCase {
  int width, height;
  int viewportY, viewportHeight;
};

class LetterboxTest : public testing::TestWithParam<LetterboxCase> {};

TEST_P(LetterboxTest, CentresTheSixteenByNinePicture) {
  const LetterboxCase& c = GetParam();
  ScreenMetrics metrics;
  metrics.setSize(c.width, c.height);
  metrics.computeViewport();
  EXPECT_EQ(0, metrics.viewport[0]);
  EXPECT_EQ(c.viewportY, metrics.viewport[1]);
  EXPECT_EQ(c.viewportHeight, metrics.viewport[2]);
  EXPECT_EQ(c.width, metrics.viewport[3]);
  EXPECT_FLOAT_EQ(50.0f, metrics.fieldOfView);
  EXPECT_FLOAT_EQ(static_cast<float>(c.width) / c.viewportHeight, metrics.aspect);
}

INSTANTIATE_TEST_SUITE_P(Windows, LetterboxTest,
                         testing::Values(LetterboxCase{1920, 1080, 0, 1080}, LetterboxCase{1280, 1024, 152, 720},
                                         LetterboxCase{1280, 800, 40, 720}, LetterboxCase{1000, 1000, 219, 562},
                                         // Wider than 16:9: the picture overflows at top and bottom.
                                         LetterboxCase{2560, 1080, -180, 1440}));

TEST(ScreenMetricsTest, AspectOfFullHd) {
  ScreenMetrics metrics;
  metrics.setSize(1920, 1080);
  metrics.computeViewport();
  EXPECT_NEAR(1.7777778f, metrics.aspect, 1e-6f);
}

TEST(ScreenMetricsTest, ProjectionOfTheDemoClipPlanes) {
  ScreenMetrics metrics;
  metrics.setSize(1920, 1080);
  metrics.computeViewport();
  metrics.setNearPlane(1.0f);
  metrics.setFarPlane(200.0f);
  metrics.computeProjection();
  const float f = 1.0f / std::tan(50.0 * M_PI / 360.0);
  EXPECT_FLOAT_EQ(f / metrics.aspect, metrics.projection[0]);
  EXPECT_FLOAT_EQ(f, metrics.projection[5]);
  EXPECT_NEAR(-1.0100503f, metrics.projection[10], 1e-6f);
  EXPECT_FLOAT_EQ(-1.0f, metrics.projection[11]);
  EXPECT_NEAR(-2.0100503f, metrics.projection[14], 1e-6f);
  for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 15}) EXPECT_EQ(0.0f, metrics.projection[i]) << i;
}

TEST(ScreenMetricsTest, ResizeRecomputesTheViewport) {
  ScreenMetrics metrics;
  metrics.setSize(640, 360);
  metrics.computeViewport();
  metrics.resize(1000, 1000);
  EXPECT_EQ(1000, metrics.getWidth());
  EXPECT_EQ(562, metrics.viewport[2]);
  EXPECT_EQ(219, metrics.viewport[1]);
}

TEST(ScreenMetricsTest, SetSizeRecomputesNothing) {
  ScreenMetrics metrics;
  metrics.setSize(1280, 720);
  metrics.computeViewport();
  metrics.setSize(1000, 1000);
  EXPECT_EQ(720, metrics.viewport[2]);
}
