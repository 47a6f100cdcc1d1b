#include <gtest/gtest.h>

#include "demosys/io/DataBinaryPool.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(DataPoolTest, BaseDumpAndCountingPoolsCountEveryAdd) {
  DataPool base;
  EXPECT_EQ("DataPool { size = 0 }\n", base.toString());

  CaptureStdout();
  {
    DataBinaryPool pool;
    pool.add("b", new Binary({1, 2}));
    pool.add("B", new Binary({1}));
    Binary* kept = new Binary({3, 4, 5});
    pool.add("a", kept);
    pool.add("a", kept);
    EXPECT_EQ(4, pool.size());
    EXPECT_EQ(
        "DataBinaryPool {\n    num3dObjects = 4\n    B = Binary { size = 1 }\n    a = Binary { size = 3 }\n"
        "    b = Binary { size = 2 }\n}\n",
        pool.toString());
    EXPECT_EQ(kept, pool.get(1));
    EXPECT_EQ(nullptr, pool.get(3));  // past the last of three real entries
    EXPECT_EQ(nullptr, pool.get(-1));
    EXPECT_EQ(nullptr, pool.get("c"));
    EXPECT_FALSE(pool.contains("c"));
  }
  EXPECT_EQ("[Dispose binaryPool]\n", GetCapturedStdout());
}
