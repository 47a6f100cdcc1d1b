#include <gtest/gtest.h>

#include <array>

#include "demosys/gl/ScreenMetrics.h"

// The 16:9 picture is centred in any window, whatever its shape; wider than 16:9, it overflows
// at top and bottom.
TEST(ScreenMetricsTest, ResizeLetterboxesTheSixteenByNinePicture) {
  for (auto [width, height, viewportY, viewportHeight] :
       {std::array{1280, 1024, 152, 720}, {1000, 1000, 219, 562}, {2560, 1080, -180, 1440}}) {
    ScreenMetrics metrics;
    metrics.resize(width, height);
    EXPECT_EQ((std::vector<int32_t>{0, viewportY, viewportHeight, width}),
              std::vector<int32_t>(metrics.viewport, metrics.viewport + 4));
    EXPECT_NEAR(16.0f / 9.0f, metrics.aspect, 2e-3f) << width;
  }
}
