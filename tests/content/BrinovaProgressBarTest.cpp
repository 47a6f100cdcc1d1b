#include <gtest/gtest.h>

#include "content/BrinovaProgressBar.h"

TEST(BrinovaProgressBarTest, RevealsSevenStagesOfTheBar) {
  EXPECT_TRUE(BrinovaProgressBar::revealEdges(0, 70).empty());
  std::vector<float> one = BrinovaProgressBar::revealEdges(1, 70);
  ASSERT_EQ(1u, one.size());
  EXPECT_FLOAT_EQ(-0.8f, one[0]);
  std::vector<float> two = BrinovaProgressBar::revealEdges(11, 70);
  ASSERT_EQ(2u, two.size());
  EXPECT_FLOAT_EQ(-0.4668f, two[1]);
  EXPECT_EQ(6u, BrinovaProgressBar::revealEdges(60, 70).size());
  EXPECT_EQ(7u, BrinovaProgressBar::revealEdges(61, 70).size());
  std::vector<float> full = BrinovaProgressBar::revealEdges(70, 70);
  ASSERT_EQ(7u, full.size());
  EXPECT_FLOAT_EQ(1.1992f, full[6]);
  // Past the seventh stage the widest quad is drawn again.
  std::vector<float> beyond = BrinovaProgressBar::revealEdges(9, 8);
  ASSERT_EQ(8u, beyond.size());
  EXPECT_FLOAT_EQ(beyond[6], beyond[7]);
}
