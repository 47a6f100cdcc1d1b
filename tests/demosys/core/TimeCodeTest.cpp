#include <gtest/gtest.h>

#include "demosys/core/TimeCode.h"

// Fields are minutes:seconds:milliseconds of any width; a lone minus reads as 0 and negative
// fields wrap like the unsigned fields they fill.
TEST(TimeCodeTest, ParsesTotalsAndFormats) {
  struct Case {
    const char* text;
    uint32_t total;
    const char* formatted;
  } cases[] = {{"02:30:850", 150850, "(0000150850)-[02:30:850]"},
               {"00:00:00", 0, "(0000000000)-[00:00:000]"},
               {"99:00:00", 5940000, "(0005940000)-[99:00:000]"},
               {"0:1:5", 1005, "(0000001005)-[00:01:005]"},
               {"123:45:6789", 7431789, "(0007431789)-[123:45:6789]"},
               {"-:01:000", 1000, "(0000001000)-[00:01:000]"},
               {"00:-1:500", uint32_t(-500), "(4294966796)-[00:4294967295:500]"}};
  for (const Case& c : cases) {
    TimeCode code = TimeCode::parse(c.text);
    EXPECT_TRUE(code.valid) << c.text;
    EXPECT_EQ(c.total, code.total) << c.text;
    EXPECT_EQ(c.formatted, code.format());
  }
  EXPECT_EQ("(0003723004)-[62:03:004]", TimeCode::fromMilliseconds(3723004).format());
  EXPECT_EQ("(4294967295)-[71582:47:295]", TimeCode::fromMilliseconds(4294967295u).format());
}

TEST(TimeCodeTest, BadTextGivesZerosAndInvalid) {
  for (const char* text : {"", "1:2", "1:2:3:4", "a:00:000", "01:0x:000", "01::000", "1.5:0:0", " 1:0:0"}) {
    TimeCode code = TimeCode::parse(text);
    EXPECT_FALSE(code.valid) << text;
    EXPECT_EQ(0u, code.minutes + code.seconds + code.milliseconds + code.total) << text;
  }
}
