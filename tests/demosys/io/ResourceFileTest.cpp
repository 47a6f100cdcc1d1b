#include <gtest/gtest.h>

#include <cstring>

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
  EXPECT_EQ(19u, file->getPosition());
  EXPECT_FALSE(file->overrun());
}

// Short data, an unterminated string, a position far past the end (where position + 4 wraps).
TEST(ResourceFileTest, ReadsPastTheEndGiveZeroAndSetTheFlag) {
  for (uint32_t start : {0u, 0xfffffffeu}) {
    auto numbers = holding({1, 2, 3}, start), text = holding({'a', 'b'}, start);
    EXPECT_EQ(0u, numbers->readU32()) << start;
    EXPECT_EQ(0.0f, numbers->readF32()) << start;
    EXPECT_EQ("", text->readString()) << start;
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
  for (const std::string& path :
       {dir.path() + "/full", dir.path() + "/empty", std::string("/nonexistent/kvr/file")}) {
    const bool full = path == dir.path() + "/full", writable = path.rfind("/nonexistent", 0) != 0;
    {
      ResourceFile file(path, ResourceFile::Write);
      EXPECT_EQ(writable, file.isOk()) << path;
      if (full) {
        file.appendU32(0x01020304);
        file.appendF32(-2.0f);
        file.appendChars("ab");
        file.appendByte(0);
      }
      EXPECT_EQ(writable, file.writeAndClose()) << path;
      EXPECT_EQ(full ? 11u : 0u, file.getWrittenSize()) << path;
      EXPECT_FALSE(file.writeAndClose()) << path;
    }
    ResourceFile back(path, ResourceFile::Read);
    EXPECT_EQ(writable, back.isOk()) << path;
    EXPECT_EQ(full ? std::vector<uint8_t>({4, 3, 2, 1, 0, 0, 0, 0xc0, 'a', 'b', 0}) : std::vector<uint8_t>(),
              back.copyData())
        << path;
  }
}
