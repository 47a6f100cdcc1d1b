#include "demosys/core/TimeCode.h"

#include <gtest/gtest.h>

TEST(TimeCodeTest, ParsesAndFormatsTheDemoEnd) {
  TimeCode end = TimeCode::parse("02:30:850");
  EXPECT_TRUE(end.valid);
  EXPECT_EQ(2u, end.minutes);
  EXPECT_EQ(30u, end.seconds);
  EXPECT_EQ(850u, end.milliseconds);
  EXPECT_EQ(150850u, end.total);
  EXPECT_EQ("(0000150850)-[02:30:850]", end.format());
}

TEST(TimeCodeTest, ShortFieldsAreTheDefaultsOfTheResourceScript) {
  EXPECT_EQ(0u, TimeCode::parse("00:00:00").total);
  EXPECT_EQ(99u * 60000u, TimeCode::parse("99:00:00").total);
  EXPECT_EQ(1005u, TimeCode::parse("0:1:5").total);
}

TEST(TimeCodeTest, BadTextGivesZerosAndInvalid) {
  for (const char* text : {"", "1:2", "1:2:3:4", "a:00:000", "01:0x:000", "01::000", "1.5:0:0", " 1:0:0"}) {
    TimeCode code = TimeCode::parse(text);
    EXPECT_FALSE(code.valid) << text;
    EXPECT_EQ(0u, code.minutes) << text;
    EXPECT_EQ(0u, code.seconds) << text;
    EXPECT_EQ(0u, code.milliseconds) << text;
    EXPECT_EQ(0u, code.total) << text;
  }
}

TEST(TimeCodeTest, MinusSignsAreAcceptedAndALoneMinusIsZero) {
  TimeCode lone = TimeCode::parse("-:01:000");
  EXPECT_TRUE(lone.valid);
  EXPECT_EQ(1000u, lone.total);
  // Negative fields wrap like the unsigned fields they fill; the total wraps with them.
  TimeCode negative = TimeCode::parse("00:-1:500");
  EXPECT_TRUE(negative.valid);
  EXPECT_EQ(4294967295u, negative.seconds);
  EXPECT_EQ(static_cast<uint32_t>(-1000 + 500), negative.total);
}

TEST(TimeCodeTest, FromMillisecondsSplitsTheTotalAndLongNumbersAreWrittenWhole) {
  TimeCode code = TimeCode::fromMilliseconds(3723004);
  EXPECT_EQ(62u, code.minutes);
  EXPECT_EQ(3u, code.seconds);
  EXPECT_EQ(4u, code.milliseconds);
  EXPECT_EQ("(0003723004)-[62:03:004]", code.format());
  EXPECT_EQ("(0007431789)-[123:45:6789]", TimeCode::parse("123:45:6789").format());
  EXPECT_EQ("(4294967295)-[71582:47:295]", TimeCode::fromMilliseconds(4294967295u).format());
}
