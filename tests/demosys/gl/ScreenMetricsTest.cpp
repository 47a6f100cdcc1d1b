#include <gtest/gtest.h>

#include "demosys/gl/ScreenMetrics.h"

// The 16:9 picture is centred in any window, whatever its shape.
TEST(ScreenMetricsTest, ResizeLetterboxesTheSixteenByNinePicture) {
  struct Case {
    int width, height, viewportY, viewportHeight;
  } cases[] = {{1920, 1080, 0, 1080},
               {1280, 1024, 152, 720},
               {1280, 800, 40, 720},
               {1000, 1000, 219, 562},
               {2560, 1080, -180, 1440}};  // wider than 16:9: the picture overflows at top and bottom
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    ScreenMetrics metrics;
    metrics.resize(c.width, c.height);
    EXPECT_EQ(0, metrics.viewport[0]);
    EXPECT_EQ(c.viewportY, metrics.viewport[1]);
    EXPECT_EQ(c.viewportHeight, metrics.viewport[2]);
    EXPECT_EQ(c.width, metrics.viewport[3]);
    EXPECT_FLOAT_EQ(50.0f, metrics.fieldOfView);
    EXPECT_NEAR(16.0f / 9.0f, metrics.aspect, 2e-3f);
  }
}
