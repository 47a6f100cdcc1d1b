#include "demosys/io/ResourceArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/Binary.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "support/TempDir.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// A small archive with the engine's layout, a zero-length entry and an upper-case name.
class ArchiveFixture : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("resources/graphics/A.png", "PNGDATA");
    dir.write("resources/shaders/empty.frag", "");
    dir.write("resources/misc/blob.bin", std::string("\x80\xff\x00\x01", 4));
    std::string big;
    for (int i = 0; i < 200000; ++i) big += static_cast<char>('a' + i % 26);
    dir.write("resources/tracks/track.data", big);
    archivePath = dir.pack7z("resources.7z", {"resources/graphics/A.png", "resources/shaders/empty.frag",
                                              "resources/misc/blob.bin", "resources/tracks/track.data"});
  }
  void TearDown() override {
    ResourceAccess::closeArchive();
    KVRDemosys::resourceSource = 0;
  }

  TempDir dir;
  std::string archivePath;
};

}  // namespace

TEST_F(ArchiveFixture, FindsEntriesByExactName) {
  ResourceArchive archive;
  ASSERT_TRUE(archive.open(archivePath));
  EXPECT_EQ(7, archive.entrySize("resources/graphics/A.png"));
  EXPECT_EQ(-1, archive.entrySize("resources/graphics/a.png"));
  EXPECT_EQ(-1, archive.entrySize("./resources/graphics/A.png"));
  EXPECT_EQ(-1, archive.entrySize("graphics/A.png"));
  std::vector<uint8_t> bytes;
  EXPECT_EQ(0, archive.extract("resources/graphics/A.png", bytes));
  EXPECT_EQ(bytesOf("PNGDATA"), bytes);
  EXPECT_EQ(1, archive.extract("resources/graphics/a.png", bytes));
  archive.close();
  EXPECT_EQ(-1, archive.entrySize("resources/graphics/A.png"));
  EXPECT_EQ(1, archive.extract("resources/graphics/A.png", bytes));
}

TEST_F(ArchiveFixture, SolidArchivesReadTheSame) {
  std::string solid = dir.pack7z("solid.7z", {"resources/graphics/A.png", "resources/tracks/track.data"}, "-ms=on");
  ResourceArchive archive;
  ASSERT_TRUE(archive.open(solid));
  std::vector<uint8_t> bytes;
  EXPECT_EQ(0, archive.extract("resources/tracks/track.data", bytes));
  EXPECT_EQ(200000u, bytes.size());
  EXPECT_EQ(0, archive.extract("resources/graphics/A.png", bytes));
  EXPECT_EQ(bytesOf("PNGDATA"), bytes);
}

TEST_F(ArchiveFixture, DamagedOrMissingArchivesHaveNoEntries) {
  std::string bytes = readFile(archivePath);
  std::vector<std::string> damaged = {
      bytes.substr(0, bytes.size() / 2),  // truncated: the header database is at the end
      bytes.substr(0, 20),
      "not an archive at all",
      "",
  };
  std::string flipped = bytes;
  for (size_t i = 40; i < flipped.size(); i += 7) flipped[i] = static_cast<char>(~flipped[i]);
  damaged.push_back(flipped);
  for (const std::string& content : damaged) {
    ResourceArchive archive;
    archive.openMemory(bytesOf(content));
    std::vector<uint8_t> out;
    int32_t size = archive.entrySize("resources/tracks/track.data");
    // A damaged archive either has no such entry or fails to decode it; it never crashes.
    if (size >= 0) EXPECT_TRUE(archive.extract("resources/tracks/track.data", out) == 0 || out.empty());
    else EXPECT_EQ(1, archive.extract("resources/tracks/track.data", out));
  }
  ResourceArchive missing;
  EXPECT_FALSE(missing.open(dir.path() + "/nothing.7z"));
  EXPECT_EQ(-1, missing.entrySize("resources/graphics/A.png"));
}

TEST_F(ArchiveFixture, CorruptedEntryDataIsADecoderError) {
  std::string bytes = readFile(archivePath);
  // The packed streams follow the 32-byte signature header; damage the first entry's data.
  for (size_t i = 32; i < 32 + 64 && i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
  ResourceArchive archive;
  if (!archive.openMemory(bytesOf(bytes))) GTEST_SKIP() << "header damaged too";
  std::string big = readFile(dir.path() + "/resources/tracks/track.data");
  std::vector<uint8_t> out;
  int result = archive.extract("resources/tracks/track.data", out);
  EXPECT_TRUE(result == 1 || out == bytesOf(big));
}

TEST_F(ArchiveFixture, LoadersReadFromTheArchiveSource) {
  WorkingDirectory inside(dir.path());
  ResourceAccess::selectSource(1);
  ResourceFile* file = ResourceAccess::loadFile("resources/graphics/A.png");
  ASSERT_NE(nullptr, file);
  EXPECT_TRUE(file->isOk());
  EXPECT_EQ("PNGDATA", file->text());
  delete file;

  ResourceFile* empty = ResourceAccess::loadTextFile("resources/shaders/empty.frag");
  EXPECT_TRUE(empty->isOk());
  EXPECT_EQ(0u, empty->size());
  delete empty;

  ResourceFile* missing = ResourceAccess::loadFile("resources/graphics/a.png");
  EXPECT_FALSE(missing->isOk());
  delete missing;

  Binary* blob = ResourceAccess::loadBinaryFile("resources/misc/blob.bin");
  ASSERT_NE(nullptr, blob);
  EXPECT_EQ(4u, blob->GetSize());
  EXPECT_FLOAT_EQ(0.5f, blob->GetFloats()[0]);
  EXPECT_FLOAT_EQ(0.99609375f, blob->GetFloats()[1]);
  EXPECT_EQ("Binary { size = 4 }\n", blob->Describe());
  delete blob;
  EXPECT_EQ(nullptr, ResourceAccess::loadBinaryFile("resources/misc/none.bin"));

  ResourceAccess::closeArchive();
  ResourceFile* afterClose = ResourceAccess::loadFile("resources/graphics/A.png");
  EXPECT_FALSE(afterClose->isOk());
  delete afterClose;
}

TEST_F(ArchiveFixture, LoadersReadFromTheDirectorySourceAndRejectOthers) {
  WorkingDirectory inside(dir.path());
  ResourceAccess::selectSource(0);
  ResourceFile* file = ResourceAccess::loadFile("resources/graphics/A.png");
  EXPECT_TRUE(file->isOk());
  EXPECT_EQ("PNGDATA", file->text());
  delete file;
  EXPECT_TRUE(ResourceAccess::fileExists("resources/graphics/A.png"));
  EXPECT_FALSE(ResourceAccess::fileExists("resources/graphics/a.png"));

  ResourceAccess::selectSource(7);
  EXPECT_EQ(nullptr, ResourceAccess::loadFile("resources/graphics/A.png"));
  EXPECT_EQ(nullptr, ResourceAccess::loadTextFile("resources/graphics/A.png"));
  EXPECT_EQ(nullptr, ResourceAccess::loadBinaryFile("resources/misc/blob.bin"));
}

TEST(ResourceAccessTest, UsedFilesAreListedOnceInFirstUseOrder) {
  KVRDemosys::usedResourceFiles.clear();
  ResourceAccess::registerUsedFile("resources/shaders/common.glsl");
  ResourceAccess::registerUsedFile("resources/shaders/light.glsl");
  ResourceAccess::registerUsedFile("resources/shaders/common.glsl");
  EXPECT_EQ(std::vector<std::string>({"resources/shaders/common.glsl", "resources/shaders/light.glsl"}),
            KVRDemosys::usedResourceFiles);
  KVRDemosys::usedResourceFiles.clear();
}

TEST(BinaryTest, FloatRangesScaleBytesAndStayInside) {
  Binary blob({0, 64, 128, 255});
  float* range = blob.GetFloatRange(1, 5);
  EXPECT_FLOAT_EQ(0.25f, range[0]);
  EXPECT_FLOAT_EQ(0.5f, range[1]);
  EXPECT_FLOAT_EQ(0.99609375f, range[2]);
  EXPECT_EQ(0.0f, range[3]);
  EXPECT_EQ(0.0f, range[4]);
  delete[] range;
  EXPECT_EQ(blob.GetFloats(), blob.GetFloats());
  EXPECT_EQ(128, blob.GetByte(2));
}

// Backwards, then forwards again: every entry (the zero-length one too) is decoded once and kept.
TEST_F(ArchiveFixture, EveryEntryIsDecodedAtMostOnceInAnyOrder) {
  ResourceArchive archive;
  ASSERT_TRUE(archive.open(archivePath));
  std::vector<uint8_t> bytes;
  std::vector<std::string> names = archive.entryNames();
  ASSERT_EQ(4u, names.size());
  for (int round = 0; round < 2; ++round)
    for (size_t i = 0; i < names.size(); ++i) {
      const std::string& name = round == 0 ? names[names.size() - 1 - i] : names[i];
      EXPECT_EQ(0, archive.extract(name, bytes)) << name;
      EXPECT_EQ(bytesOf(readFile(dir.path() + "/" + name)), bytes) << name;
    }
  EXPECT_EQ(4, archive.decodedCount());
  EXPECT_EQ(0, archive.entrySize("resources/shaders/empty.frag"));
}
