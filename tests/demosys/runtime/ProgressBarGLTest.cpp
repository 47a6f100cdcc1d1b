#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/runtime/ProgressBar.h"
#include "support/GLTestContext.h"

namespace {

// Counts draws instead of drawing, to check when steps redraw.
class CountingBar : public ProgressBar {
 public:
  using ProgressBar::ProgressBar;
  void draw() override { ++draws; }
  int draws = 0;
};

class PaintedBar : public ProgressBar {
 public:
  using ProgressBar::paint;
  using ProgressBar::ProgressBar;
};

}  // namespace

// Each step redraws until the total; the first draw shows nothing done.
TEST(ProgressBarGLTest, StepsAdvanceUntilTheTotalAndRedrawEachTime) {
  CountingBar bar(0.09f, 1.2f, 0.0f, 3);
  for (float progress : {0.0f, 1.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f}) {
    bar.step();
    EXPECT_FLOAT_EQ(progress, bar.getProgress());
  }
  EXPECT_EQ(3, bar.getCurrent());
  EXPECT_EQ(3, bar.draws);
}

TEST(ProgressBarGLTest, DrawsTheFrameAndTheFill) {
  PaintedBar bar(0.5f, 1.2f, 0.0f, 2);
  bar.step();
  bar.step();  // progress 0.5: fill to x = 0
  bar.paint();
  // 640 x 360 window, viewport set by the test context to the letterboxed 640 x 360.
  auto pixel = [](int x, int y) { return GLTestContext::readPixels(x, y, 1, 1)[0]; };
  EXPECT_EQ(255, pixel(320 - 150, 180));  // inside the fill (x -0.585 .. 0)
  EXPECT_EQ(0, pixel(320 + 100, 180));    // inside the frame, right of the fill
  EXPECT_EQ(255, pixel(320 + 190, 180));  // the frame's right border (x 0.59 .. 0.6)
  EXPECT_EQ(0, pixel(320 + 194, 180));    // outside the bar
  EXPECT_EQ(0, pixel(320, 340));          // above the bar
}
