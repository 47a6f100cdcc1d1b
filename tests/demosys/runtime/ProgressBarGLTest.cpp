#include <GL/glew.h>
#include <gtest/gtest.h>

#include "demosys/runtime/ProgressBar.h"
#include "support/GLTestContext.h"

namespace {

// Counts draws instead of drawing, to check when steps redraw; paint() is a draw's picture.
class CountingBar : public ProgressBar {
 public:
  using ProgressBar::paint, ProgressBar::ProgressBar;
  void draw() override { ++draws; }
  int draws = 0;
};

}  // namespace

// Each step redraws until the total, the first draw showing nothing done; the fill ends where
// the progress says.
TEST(ProgressBarGLTest, StepsAdvanceUntilTheTotalAndTheFillEndsAtTheProgress) {
  CountingBar bar(0.09f, 1.2f, 0.0f, 3);
  for (float progress : {0.0f, 1.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f}) {
    bar.step();
    EXPECT_FLOAT_EQ(progress, bar.getProgress());
  }
  EXPECT_EQ(3, bar.getCurrent());
  EXPECT_EQ(3, bar.draws);
  bar.paint();  // fill from x -0.585 to 0.195: column 382 of the 640 x 360 window
  EXPECT_EQ(255, GLTestContext::readPixels(376, 180, 1, 1)[0]);
  EXPECT_EQ(0, GLTestContext::readPixels(388, 180, 1, 1)[0]);
}
