#pragma once

#include <archive.h>

#include <cstdint>
#include <string>
#include <vector>

// A 7z archive held in memory and read through libarchive. Entries are found by their exact
// stored path. The reader that produced the last entry is kept open, so entries read in archive
// order (one solid block after another) are each decoded once; the last entry's bytes are cached.
class ResourceArchive {
 public:
  ResourceArchive() = default;
  ~ResourceArchive();
  ResourceArchive(const ResourceArchive&) = delete;
  ResourceArchive& operator=(const ResourceArchive&) = delete;

  // False when the file is missing or its header cannot be read; the archive then has no entries.
  bool open(const std::string& path);
  bool openMemory(std::vector<uint8_t> bytes);
  void close();
  bool isOpen() const { return !entries.empty() || opened; }

  // Uncompressed size of the entry named exactly `path`, or -1.
  int32_t entrySize(const std::string& path) const;
  // 0 with the entry's bytes in `out`, 1 on a missing entry or a decoder error.
  int extract(const std::string& path, std::vector<uint8_t>& out);
  std::vector<std::string> entryNames() const;

 private:
  struct Entry {
    std::string name;
    int64_t size;
  };

  int findEntry(const std::string& path) const;
  bool indexEntries();
  bool startReader();
  void stopReader();
  bool advanceTo(int index);

  std::vector<uint8_t> file;
  std::vector<Entry> entries;
  bool opened = false;
  struct archive* reader = nullptr;
  int readerIndex = -1;  // entry the reader's last header belongs to
  int cachedIndex = -1;
  std::vector<uint8_t> cachedBytes;
};
