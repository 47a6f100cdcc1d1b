#include <gtest/gtest.h>

#include "content/BrinovaProgressBar.h"

// Each step of the seventy reveals the next of seven stages; past the seventh the widest quad is
// drawn again.
TEST(BrinovaProgressBarTest, RevealsSevenStagesOfTheBar) {
  const struct {
    int current, total;
    size_t quads;
    float lastEdge;
  } cases[] = {
      {1, 70, 1, -0.8f}, {11, 70, 2, -0.4668f}, {60, 70, 6, 0}, {61, 70, 7, 0}, {70, 70, 7, 1.1992f}};
  EXPECT_TRUE(BrinovaProgressBar::revealEdges(0, 70).empty());
  for (const auto& c : cases) {
    std::vector<float> edges = BrinovaProgressBar::revealEdges(c.current, c.total);
    ASSERT_EQ(c.quads, edges.size()) << c.current;
    if (c.lastEdge != 0) {
      EXPECT_FLOAT_EQ(c.lastEdge, edges.back()) << c.current;
    }
  }
  std::vector<float> beyond = BrinovaProgressBar::revealEdges(9, 8);
  ASSERT_EQ(8u, beyond.size());
  EXPECT_FLOAT_EQ(beyond[6], beyond[7]);
}
