#include "demosys/TimeCode.h"

#include <gtest/gtest.h>

TEST(TimeCodeTest, ParsesAndFormatsTheDemoEnd) {
  TimeCode end = TimeCode::parse("02:30:850");
  EXPECT_TRUE(end.valid);
  EXPECT_EQ(150850u, end.total);
  EXPECT_EQ("(0000150850)-[02:30:850]", end.format());
}
