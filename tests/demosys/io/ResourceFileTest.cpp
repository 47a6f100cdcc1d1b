#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "demosys/io/ResourceFile.h"
#include "support/TempDir.h"

namespace {

std::unique_ptr<ResourceFile> holding(const std::vector<uint8_t>& bytes, uint32_t position = 0) {
  auto file = std::make_unique<ResourceFile>("memory");
  file->fill(bytes);
  file->setPosition(position);
  return file;
}

}  // namespace

TEST(ResourceFileTest, ReadsLittleEndianNumbersAndZeroEndedStrings) {
  auto file = holding(
      {0x78, 0x56, 0x34, 0x12, 0, 0, 0x80, 0x3f, 0xff, 0xff, 0xff, 0xff, 'f', 'b', 'o', 0, 0, 's', 0});
  EXPECT_EQ(0x12345678u, file->readU32());
  EXPECT_FLOAT_EQ(1.0f, file->readF32());
  EXPECT_EQ(-1, file->readI32());
  EXPECT_EQ("fbo", file->readString());
  EXPECT_EQ("Object", file->readString());  // an empty name
  EXPECT_EQ("s", file->readString());
  EXPECT_FALSE(file->overrun());
}

// Short data, an unterminated string, a position far past the end (where position + 4 wraps).
TEST(ResourceFileTest, ReadsPastTheEndGiveZeroAndSetTheFlag) {
  for (uint32_t start : {0u, 0xfffffffeu}) {
    auto numbers = holding({1, 2, 3}, start), text = holding({'a', 'b'}, start);
    EXPECT_TRUE(numbers->readU32() == 0 && numbers->readF32() == 0.0f && text->readString().empty()) << start;
    EXPECT_TRUE(numbers->overrun() && text->overrun()) << start;
  }
}

TEST(ResourceFileTest, LinesSplitAtLineFeeds) {
  using Lines = std::vector<std::string>;
  const std::pair<const char*, Lines> cases[] = {
      {"", {""}},       {"a", {"a"}},           {"a\n", {"a", ""}},         {"a\r\nb", {"a", "b"}},
      {"x\r", {"x\r"}}, {"\n\n", {"", "", ""}}, {"a\rb\r\n", {"a\rb", ""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.second, holding(std::vector<uint8_t>(c.first, c.first + strlen(c.first)))->lines())
        << c.first;
}

// The track compiler writes an empty "track.data" for a timeline without instances.
TEST(ResourceFileTest, WritesWhatWasAppendedOnceOrNothingWhereItCannot) {
  TempDir dir;
  ResourceFile full(dir.path() + "/full", ResourceFile::Write),
      empty(dir.path() + "/empty", ResourceFile::Write),
      unwritable("/nonexistent/kvr/file", ResourceFile::Write);
  full.appendU32(0x01020304);
  full.appendF32(-2.0f);
  full.appendChars("ab");
  full.appendByte(0);
  EXPECT_TRUE(full.writeAndClose() && empty.writeAndClose());
  EXPECT_FALSE(full.writeAndClose());
  EXPECT_EQ(std::make_tuple(11u, 0u), std::make_tuple(full.getWrittenSize(), empty.getWrittenSize()));
  EXPECT_EQ((std::vector<uint8_t>{4, 3, 2, 1, 0, 0, 0, 0xc0, 'a', 'b', 0}),
            ResourceFile(dir.path() + "/full", ResourceFile::Read).copyData());
  EXPECT_TRUE(ResourceFile(dir.path() + "/empty", ResourceFile::Read).isOk());
  EXPECT_FALSE(unwritable.isOk() || unwritable.writeAndClose());
}
