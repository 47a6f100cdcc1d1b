#pragma once

#include <archive.h>

#include <cstdint>
#include <string>
#include <vector>

// A 7z archive held in memory and read through libarchive. Entries are found by their exact
// stored path. libarchive reads forward only and decodes whatever it passes, so every entry the
// reader passes on its way is kept: each entry is decoded at most once, whatever order the
// loaders ask in (until the kept bytes would pass MAX_KEPT_BYTES; then only the last is kept).
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

  // Uncompressed size of the first entry named exactly `path`, or -1; an entry whose header
  // claims more than 1 GiB is refused with a line naming it.
  int32_t entrySize(const std::string& path) const;
  // 0 with the entry's bytes in `out`, 1 on a missing entry or a decoder error.
  int extract(const std::string& path, std::vector<uint8_t>& out);
  std::vector<std::string> entryNames() const;
  // How many entries have been decoded since opening (for tests and measurements).
  int decodedCount() const { return decoded; }

 private:
  struct Entry {
    std::string name;
    int64_t size;
    bool kept = false;
    std::vector<uint8_t> bytes;
  };

  static bool withinLimit(const Entry& entry);
  int findEntry(const std::string& path) const;
  bool indexEntries();
  bool startReader();
  void stopReader();
  bool advanceTo(int index);
  bool readEntryData(int index, std::vector<uint8_t>& bytes);
  void dropKeptEntries();

  std::vector<uint8_t> file;
  std::vector<Entry> entries;
  bool opened = false;
  struct archive* reader = nullptr;
  int readerIndex = -1;         // entry the reader's last header belongs to
  bool readerDataRead = false;  // whether that entry's data was consumed
  int decoded = 0;
  size_t keptBytes = 0;
};
