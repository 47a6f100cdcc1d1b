#include <gtest/gtest.h>

#include "demosys/io/DataBinaryPool.h"
#include "support/CapturedStdout.h"

// Every add counts, the same object under a name again included; dumps and index lookups walk
// the names in byte order (upper case first), and only real entries answer an index.
TEST(DataPoolTest, BaseDumpAndCountingPoolsCountEveryAdd) {
  EXPECT_EQ("DataPool { size = 0 }\n", DataPool().toString());
  DataBinaryPool* pool = new DataBinaryPool();
  Binary* kept = new Binary({3, 4, 5});
  pool->add("b", new Binary({1, 2}));
  pool->add("B", new Binary({1}));
  pool->add("a", kept);
  pool->add("a", kept);
  EXPECT_EQ(4, pool->size());
  EXPECT_EQ(
      "DataBinaryPool {\n    num3dObjects = 4\n    B = Binary { size = 1 }\n    a = Binary { size = 3 }\n"
      "    b = Binary { size = 2 }\n}\n",
      pool->toString());
  EXPECT_EQ(kept, pool->get(1));
  for (int past : {3, -1}) EXPECT_EQ(nullptr, pool->get(past));
  EXPECT_FALSE(pool->get("c") || pool->contains("c"));
  pool->add("also a", kept);  // deleted once with the pool, not once per name
  EXPECT_EQ("[Dispose binaryPool]\n", stdoutOf([&] { delete pool; }));
}
