#include "demosys/io/ResourceArchive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/Binary.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"
#include "support/CapturedStdout.h"
#include "support/TempDir.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

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
  std::string solid =
      dir.pack7z("solid.7z", {"resources/graphics/A.png", "resources/tracks/track.data"}, "-ms=on");
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
    if (size >= 0)
      EXPECT_TRUE(archive.extract("resources/tracks/track.data", out) == 0 || out.empty());
    else
      EXPECT_EQ(1, archive.extract("resources/tracks/track.data", out));
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

namespace {

uint32_t crc32Of(const std::string& bytes) {
  uint32_t crc = ~0u;
  for (char byte : bytes) {
    crc ^= static_cast<uint8_t>(byte);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void putLittle(std::string& bytes, size_t at, uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Three stored entries (a, b, c of 5, 7 and 3 bytes) with a plain header, then b's size made
// huge and, when asked, its name made a's. The header's size and both checksums follow.
std::string archiveWithHugeEntry(const TempDir& dir, bool sameNameAsFirst) {
  dir.write("resources/a.png", "AAAAA");
  dir.write("resources/b.png", "BBBBBBB");
  dir.write("resources/c.png", "CCC");
  std::string bytes = readFile(dir.pack7z(
      "huge.7z", {"resources/a.png", "resources/b.png", "resources/c.png"}, "-mx=0 -ms=off -mhc=off"));
  std::string header = bytes.substr(32);
  size_t sizes = header.find(std::string("\x0c\x05\x07\x03", 4));  // the unpacked sizes, a number each
  if (sizes == std::string::npos) return "";
  header.replace(sizes + 2, 1, std::string("\xff", 1) + std::string(8, '\0'));  // 0xff: eight bytes follow
  putLittle(header, sizes + 3, uint64_t(1) << 50, 8);
  if (sameNameAsFirst) header[header.find(std::string("b\0.\0p\0n\0g", 9))] = 'a';
  bytes = bytes.substr(0, 32) + header;
  size_t headerStart = 32 + static_cast<uint8_t>(bytes[12]);  // the stored data: 15 bytes
  putLittle(bytes, 20, bytes.size() - headerStart, 8);
  putLittle(bytes, 28, crc32Of(bytes.substr(headerStart)), 4);
  putLittle(bytes, 8, crc32Of(bytes.substr(12, 20)), 4);
  return bytes;
}

}  // namespace

// A damaged header's size must neither be believed when the entry is asked for, nor when the
// reader passes it on the way to a later entry, also under a name an earlier entry holds. The
// entries behind it cannot be reached (the decoder cannot skip what is not there); those before can.
TEST(ResourceArchiveTest, EntriesClaimingHugeSizesAreRefusedWithoutAllocating) {
  for (bool sameName : {false, true}) {
    TempDir dir;
    std::string bytes = archiveWithHugeEntry(dir, sameName);
    ASSERT_FALSE(bytes.empty()) << "7zz wrote an unexpected header";
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

// PNGs and MP3s do not compress; packed with LZMA they would cost the loader a decode for every
// entry read or passed on the way to a later one (the track files lie behind the music).
TEST(ProductionArchiveTest, StoresThePicturesAndTheMusicAsTheyAre) {
  const std::string archive = std::string(KVR_BINARY_DIR) + "/resources.7z";
  if (!std::filesystem::exists(archive)) GTEST_SKIP() << "no " << archive;
  TempDir listing;
  const std::string command = "7zz l -slt " + archive + " >" + listing.path() + "/list";
  ASSERT_EQ(0, std::system(command.c_str()));
  std::ifstream lines(listing.path() + "/list");
  std::string line, path;
  int stored = 0, packedTracks = 0;
  while (std::getline(lines, line)) {
    if (line.rfind("Path = ", 0) == 0) path = line.substr(7);
    if (line.rfind("Method = ", 0) != 0) continue;
    const bool copied = line == "Method = Copy";
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".png" || extension == ".mp3") {
      EXPECT_TRUE(copied) << path << ": " << line;
      ++stored;
    }
    packedTracks += path.rfind("resources/tracks/", 0) == 0 && !copied;
  }
  EXPECT_GT(stored, 30);
  EXPECT_EQ(2, packedTracks);
}
