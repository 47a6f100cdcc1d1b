#include <gtest/gtest.h>

#include "demosys/core/TimeCode.h"

// Fields are minutes:seconds:milliseconds of any width, zero-padded when short; a lone minus
// reads as 0 and negative fields wrap like the unsigned fields they fill.
TEST(TimeCodeTest, ParsesTotalsAndFormats) {
  for (auto [text, total, formatted] : {std::tuple{"0:1:5", 1005u, "(0000001005)-[00:01:005]"},
                                        {"123:45:6789", 7431789u, "(0007431789)-[123:45:6789]"},
                                        {"-:01:000", 1000u, "(0000001000)-[00:01:000]"},
                                        {"00:-1:500", uint32_t(-500), "(4294966796)-[00:4294967295:500]"}}) {
    TimeCode code = TimeCode::parse(text);
    EXPECT_EQ(std::pair(true, total), std::pair(code.valid, code.total)) << text;
    EXPECT_EQ(formatted, code.format());
  }
  EXPECT_EQ("(4294967295)-[71582:47:295]", TimeCode::fromMilliseconds(4294967295u).format());
}

TEST(TimeCodeTest, BadTextGivesZerosAndInvalid) {
  for (const char* text : {"", "1:2", "1:2:3:4", "01:0x:000", "01::000", "1.5:0:0", " 1:0:0"}) {
    TimeCode code = TimeCode::parse(text);
    EXPECT_EQ(std::pair(false, 0u),
              std::pair(code.valid, code.minutes + code.seconds + code.milliseconds + code.total))
        << text;
  }
}
