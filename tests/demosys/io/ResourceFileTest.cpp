#include "demosys/io/ResourceFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/TempDir.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  ResourceFile file("text");
  file.fill(std::vector<uint8_t>(text.begin(), text.end()));
  return file.lines();
}

}  // namespace

TEST(ResourceFileTest, ReadsLittleEndianNumbers) {
  ResourceFile file("memory");
  file.fill({0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3f, 0xff, 0xff, 0xff, 0xff});
  EXPECT_EQ(0x12345678u, file.readU32());
  EXPECT_FLOAT_EQ(1.0f, file.readF32());
  EXPECT_EQ(-1, file.readI32());
  EXPECT_EQ(12u, file.getPosition());
  EXPECT_FALSE(file.overrun());
}

TEST(ResourceFileTest, StringsEndAtZeroAndAnEmptyOneReadsAsObject) {
  ResourceFile file("memory");
  file.fill({'f', 'b', 'o', 0, 0, 's', 0});
  EXPECT_EQ("fbo", file.readString());
  EXPECT_EQ("Object", file.readString());
  EXPECT_EQ("s", file.readString());
  EXPECT_FALSE(file.overrun());
}

TEST(ResourceFileTest, ReadsPastTheEndGiveZeroAndSetTheFlag) {
  ResourceFile file("memory");
  file.fill({1, 2, 3});
  EXPECT_EQ(0u, file.readU32());
  EXPECT_TRUE(file.overrun());
  EXPECT_EQ(3u, file.getPosition());
  EXPECT_EQ(0.0f, file.readF32());

  ResourceFile unterminated("memory");
  unterminated.fill({'a', 'b'});
  EXPECT_EQ("", unterminated.readString());
  EXPECT_TRUE(unterminated.overrun());

  ResourceFile farAway("memory");
  farAway.fill({1, 2, 3, 4});
  farAway.setPosition(0xfffffffe);
  EXPECT_EQ(0u, farAway.readU32());
  EXPECT_EQ("", farAway.readString());
  EXPECT_TRUE(farAway.overrun());
}

TEST(ResourceFileTest, LinesSplitAtLineFeeds) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(Lines({""}), linesOf(""));
  EXPECT_EQ(Lines({"a"}), linesOf("a"));
  EXPECT_EQ(Lines({"a", ""}), linesOf("a\n"));
  EXPECT_EQ(Lines({"a", "b"}), linesOf("a\r\nb"));
  EXPECT_EQ(Lines({"a\rb", ""}), linesOf("a\rb\r\n"));
  EXPECT_EQ(Lines({"", "", ""}), linesOf("\n\n"));
  EXPECT_EQ(Lines({"x\r"}), linesOf("x\r"));
}

TEST(ResourceFileTest, WritesWhatWasAppended) {
  TempDir dir;
  std::string path = dir.path() + "/out.bin";
  {
    ResourceFile file(path, ResourceFile::Write);
    ASSERT_TRUE(file.isOk());
    file.appendU32(0x01020304);
    file.appendF32(-2.0f);
    file.appendChars("ab");
    file.appendByte(0);
    EXPECT_TRUE(file.writeAndClose());
    EXPECT_EQ(11u, file.getWrittenSize());
    EXPECT_FALSE(file.writeAndClose());
  }
  ResourceFile back(path, ResourceFile::Read);
  ASSERT_TRUE(back.isOk());
  EXPECT_EQ(std::vector<uint8_t>({4, 3, 2, 1, 0, 0, 0, 0xc0, 'a', 'b', 0}), back.copyData());
  EXPECT_EQ(0x01020304u, back.readU32());
  EXPECT_EQ(-2.0f, back.readF32());
  EXPECT_EQ("ab", back.readString());
}

// The track compiler writes an empty "track.data" for a timeline without instances.
TEST(ResourceFileTest, WritesAnEmptyFile) {
  TempDir dir;
  std::string path = dir.path() + "/empty.bin";
  {
    ResourceFile file(path, ResourceFile::Write);
    ASSERT_TRUE(file.isOk());
    EXPECT_TRUE(file.writeAndClose());
    EXPECT_EQ(0u, file.getWrittenSize());
  }
  ResourceFile back(path, ResourceFile::Read);
  EXPECT_TRUE(back.isOk());
  EXPECT_EQ(0u, back.size());
}

TEST(ResourceFileTest, MissingDiskFileIsNotOk) {
  ResourceFile file("/nonexistent/kvr/file", ResourceFile::Read);
  EXPECT_FALSE(file.isOk());
  EXPECT_EQ(0u, file.size());
  ResourceFile unwritable("/nonexistent/kvr/file", ResourceFile::Write);
  EXPECT_FALSE(unwritable.isOk());
  EXPECT_FALSE(unwritable.writeAndClose());
}
