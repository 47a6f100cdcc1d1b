#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/Binary.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceArchive.h"
#include "demosys/io/ResourceFile.h"
#include "support/CapturedStdout.h"
#include "support/TempDir.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

const std::vector<std::string> ENTRIES = {"resources/graphics/A.png", "resources/shaders/empty.frag",
                                          "resources/misc/blob.bin", "resources/tracks/track.data"};

// A small archive with the engine's layout, an upper-case name, a zero-length entry and one
// large enough to span several blocks.
class ArchiveFixture : public testing::Test {
 protected:
  void SetUp() override {
    std::string big;
    for (int i = 0; i < 200000; ++i) big += static_cast<char>('a' + i % 26);
    const std::string contents[] = {"PNGDATA", "", std::string("\x80\xff\x00\x01", 4), big};
    for (size_t i = 0; i < ENTRIES.size(); ++i) dir.write(ENTRIES[i], contents[i]);
    archivePath = dir.pack7z("resources.7z", ENTRIES);
  }
  void TearDown() override {
    ResourceAccess::closeArchive();
    KVRDemosys::resourceSource = 0;
  }
  std::vector<uint8_t> contentOf(const std::string& entry) {
    return bytesOf(readFile(dir.path() + "/" + entry));
  }

  TempDir dir;
  std::string archivePath;
};

}  // namespace

// Entries are found by their exact name only. Backwards, then forwards again, solid or not: every
// entry (the zero-length one too) is decoded once and kept. Nothing is found after closing.
TEST_F(ArchiveFixture, EntriesAreFoundByTheirExactNameAndDecodedAtMostOnce) {
  for (const std::string& path : {archivePath, dir.pack7z("solid.7z", ENTRIES, "-ms=on")}) {
    ResourceArchive archive;
    ASSERT_TRUE(archive.open(path));
    std::vector<std::string> names = archive.entryNames();
    ASSERT_EQ(4u, names.size());
    std::vector<uint8_t> bytes;
    for (int round = 0; round < 2; ++round)
      for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = round == 0 ? names[names.size() - 1 - i] : names[i];
        EXPECT_EQ(0, archive.extract(name, bytes)) << name;
        EXPECT_EQ(contentOf(name), bytes) << name;
      }
    EXPECT_EQ(4, archive.decodedCount());
    EXPECT_EQ(std::make_tuple(7, 0),
              std::make_tuple(archive.entrySize(ENTRIES[0]), archive.entrySize(ENTRIES[1])));
    for (const char* name : {"resources/graphics/a.png", "./resources/graphics/A.png", "graphics/A.png"})
      EXPECT_TRUE(archive.entrySize(name) == -1 && archive.extract(name, bytes) == 1) << name;
    archive.close();
    EXPECT_TRUE(archive.entrySize(ENTRIES[0]) == -1 && archive.extract(ENTRIES[0], bytes) == 1);
  }
  ResourceArchive missing;
  EXPECT_TRUE(!missing.open(dir.path() + "/nothing.7z") && missing.entrySize(ENTRIES[0]) == -1);
}

// A damaged archive has no entries, or entries that fail to decode, leaving nothing behind, or
// decode to what was packed; it never crashes. The packed streams follow the 32-byte signature header.
TEST_F(ArchiveFixture, DamagedArchivesFailCleanly) {
  const std::string bytes = readFile(archivePath);
  std::string packedData = bytes;
  for (size_t i = 32; i < 96; ++i) packedData[i] = static_cast<char>(packedData[i] ^ 0x5a);
  for (const std::string& content :
       {bytes.substr(0, bytes.size() / 2), std::string("not an archive"), packedData}) {
    ResourceArchive archive;
    archive.openMemory(bytesOf(content));
    for (const std::string& name : ENTRIES) {
      std::vector<uint8_t> out;
      EXPECT_EQ(archive.extract(name, out) == 0 ? contentOf(name) : std::vector<uint8_t>(), out) << name;
    }
  }
}

// The loaders read the resource tree (0) or the archive (1); a missing file, a closed archive and
// a source that does not exist give nothing. (What the archive's files hold is read in the
// texture and scene tests.)
TEST_F(ArchiveFixture, LoadersReadFromTheSelectedSource) {
  WorkingDirectory inside(dir.path());
  for (int source : {0, 1}) {
    ResourceAccess::selectSource(source);
    std::unique_ptr<Binary> blob(ResourceAccess::loadBinaryFile("resources/misc/blob.bin")),
        none(ResourceAccess::loadBinaryFile("resources/misc/none.bin"));
    EXPECT_TRUE(blob && blob->GetSize() == 4 && !none) << source;
    EXPECT_FALSE(std::unique_ptr<ResourceFile>(ResourceAccess::loadFile("resources/graphics/a.png"))->isOk());
  }
  ResourceAccess::closeArchive();
  EXPECT_FALSE(std::unique_ptr<ResourceFile>(ResourceAccess::loadFile("resources/graphics/A.png"))->isOk());
  ResourceAccess::selectSource(7);
  EXPECT_EQ(nullptr, std::unique_ptr<ResourceFile>(ResourceAccess::loadFile("resources/graphics/A.png")));
}

// Bytes become floats in [0, 1); a range reaching past the end is zero there.
TEST(BinaryTest, FloatRangesScaleBytesAndStayInside) {
  std::unique_ptr<float[]> range(Binary({0, 64, 128, 255}).GetFloatRange(1, 5));
  EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.99609375f, 0.0f, 0.0f}),
            std::vector<float>(range.get(), range.get() + 5));
}

namespace {

uint32_t crc32Of(const std::string& bytes) {
  uint32_t crc = ~0u;
  for (size_t bit = 0; bit < 8 * bytes.size(); ++bit) {
    if (bit % 8 == 0) crc ^= static_cast<uint8_t>(bytes[bit / 8]);
    crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

}  // namespace

// Three stored entries (a, b, c of 5, 7 and 3 bytes) with a plain header; b's size is made huge
// and, in the second round, its name a's; the header's size and both checksums are then redone.
// The huge size must neither be believed when the entry is asked for, nor when the reader passes
// it on the way to a later entry. The entries behind it cannot be reached (the decoder cannot
// skip what is not there); those before can.
TEST(ResourceArchiveTest, EntriesClaimingHugeSizesAreRefusedWithoutAllocating) {
  TempDir dir;
  const std::vector<std::string> names = {"resources/a.png", "resources/b.png", "resources/c.png"};
  for (int i = 0; i < 3; ++i) dir.write(names[i], std::string("\5\7\3"[i], char('A' + i)));
  const std::string packed = readFile(dir.pack7z("huge.7z", names, "-mx=0 -ms=off -mhc=off"));
  const size_t sizes = packed.find(std::string("\x0c\x05\x07\x03", 4), 32);  // a number per entry
  ASSERT_NE(std::string::npos, sizes) << "7zz wrote an unexpected header";
  for (bool sameName : {false, true}) {
    // 0xff: an eight-byte number follows, here 2^50.
    std::string bytes =
        packed.substr(0, sizes + 2) + "\xff" + std::string("\0\0\0\0\0\0\4\0", 8) + packed.substr(sizes + 3);
    if (sameName) bytes[bytes.find(std::string("b\0.\0p\0n\0g", 9))] = 'a';
    const size_t headerStart = 32 + static_cast<uint8_t>(bytes[12]);
    auto put = [&bytes](size_t at, uint64_t value, int count) {
      for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(20, bytes.size() - headerStart, 8);
    put(28, crc32Of(bytes.substr(headerStart)), 4);
    put(8, crc32Of(bytes.substr(12, 20)), 4);
    ResourceArchive archive;
    ASSERT_TRUE(archive.openMemory(bytesOf(bytes))) << sameName;
    std::vector<uint8_t> out;
    EXPECT_EQ(1, archive.extract("resources/c.png", out)) << sameName;
    EXPECT_EQ(0, archive.extract("resources/a.png", out)) << sameName;
    EXPECT_EQ(bytesOf("AAAAA"), out);
    std::string printed = stdoutOf([&] { EXPECT_EQ(1, archive.extract("resources/b.png", out)); });
    EXPECT_EQ(sameName
                  ? ""
                  : "ERROR : Archive entry 'resources/b.png' claims 1125899906842624 bytes, more than the "
                    "1073741824 an entry may hold; the archive is damaged\n",
              printed);
  }
}
