#include "demosys/io/ResourceArchive.h"

#include <archive_entry.h>

#include <cstdio>
#include <iostream>

namespace {
// A header that claims more than this is damaged; nothing the engine reads comes close.
constexpr int64_t MAX_ENTRY_SIZE = int64_t(1) << 30;
// Entries kept beyond this are dropped again: an archive far larger than a demo's data then
// costs decoding time instead of memory.
constexpr size_t MAX_KEPT_BYTES = size_t(256) << 20;
}  // namespace

ResourceArchive::~ResourceArchive() { close(); }

bool ResourceArchive::open(const std::string& path) {
  close();
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) return false;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + count);
  bool readFailed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (readFailed) return false;
  return openMemory(std::move(bytes));
}

bool ResourceArchive::openMemory(std::vector<uint8_t> bytes) {
  close();
  file = std::move(bytes);
  if (!indexEntries()) {
    close();
    return false;
  }
  opened = true;
  return true;
}

void ResourceArchive::close() {
  stopReader();
  file.clear();
  file.shrink_to_fit();
  entries.clear();
  keptBytes = 0;
  decoded = 0;
  opened = false;
}

bool ResourceArchive::startReader() {
  stopReader();
  reader = archive_read_new();
  archive_read_support_format_7zip(reader);
  if (archive_read_open_memory(reader, file.data(), file.size()) != ARCHIVE_OK) {
    stopReader();
    return false;
  }
  return true;
}

void ResourceArchive::stopReader() {
  if (reader) archive_read_free(reader);
  reader = nullptr;
  readerIndex = -1;
  readerDataRead = false;
}

bool ResourceArchive::indexEntries() {
  if (!startReader()) return false;
  struct archive_entry* header;
  int result;
  while ((result = archive_read_next_header(reader, &header)) == ARCHIVE_OK) {
    const char* name = archive_entry_pathname_utf8(header);
    if (!name) name = archive_entry_pathname(header);
    int64_t size = archive_entry_size_is_set(header) ? archive_entry_size(header) : -1;
    Entry entry;
    entry.name = name ? name : "";
    entry.size = size;
    entries.push_back(std::move(entry));
  }
  stopReader();
  if (result != ARCHIVE_EOF) entries.clear();
  return result == ARCHIVE_EOF;
}

int ResourceArchive::findEntry(const std::string& path) const {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].name == path) return static_cast<int>(i);
  return -1;
}

bool ResourceArchive::withinLimit(const Entry& entry) {
  return entry.size >= 0 && entry.size <= MAX_ENTRY_SIZE;
}

int32_t ResourceArchive::entrySize(const std::string& path) const {
  int index = findEntry(path);
  if (index < 0) return -1;
  const Entry& entry = entries[index];
  if (!withinLimit(entry)) {
    // Otherwise the loaders would report a missing file that the archive does list.
    if (entry.size > MAX_ENTRY_SIZE)
      std::cout << "ERROR : Archive entry '" << entry.name << "' claims " << entry.size
                << " bytes, more than the " << MAX_ENTRY_SIZE << " an entry may hold; the archive is damaged"
                << std::endl;
    return -1;
  }
  return static_cast<int32_t>(entry.size);
}

// The size comes from the header, so it is checked here, where the buffer is made: a damaged
// header must not decide how much memory the reader takes, whichever way the entry is reached.
bool ResourceArchive::readEntryData(int index, std::vector<uint8_t>& bytes) {
  if (!withinLimit(entries[index])) return false;
  bytes.assign(static_cast<size_t>(entries[index].size), 0);
  la_ssize_t got = bytes.empty() ? 0 : archive_read_data(reader, bytes.data(), bytes.size());
  readerDataRead = true;
  ++decoded;
  return got == static_cast<la_ssize_t>(bytes.size());
}

// Moves the reader to entry `index`, keeping the data of every entry it passes.
bool ResourceArchive::advanceTo(int index) {
  if (!reader || readerIndex > index || (readerIndex == index && readerDataRead)) {
    if (!startReader()) return false;
  }
  struct archive_entry* header;
  while (readerIndex < index) {
    // Judged by the passed entry itself: a name lookup would find an earlier entry of that name.
    if (readerIndex >= 0 && !readerDataRead && !entries[readerIndex].kept &&
        withinLimit(entries[readerIndex])) {
      Entry& passed = entries[readerIndex];
      std::vector<uint8_t> bytes;
      if (readEntryData(readerIndex, bytes) && keptBytes + bytes.size() <= MAX_KEPT_BYTES) {
        keptBytes += bytes.size();
        passed.bytes = std::move(bytes);
        passed.kept = true;
      }
    }
    if (archive_read_next_header(reader, &header) != ARCHIVE_OK) {
      stopReader();
      return false;
    }
    ++readerIndex;
    readerDataRead = false;
  }
  return true;
}

int ResourceArchive::extract(const std::string& path, std::vector<uint8_t>& out) {
  if (entrySize(path) < 0) return 1;
  int index = findEntry(path);
  Entry& entry = entries[index];
  if (!entry.kept) {
    std::vector<uint8_t> bytes;
    if (!advanceTo(index) || !readEntryData(index, bytes)) {
      stopReader();
      return 1;
    }
    // The last entry read is always kept, so asking twice never decodes twice.
    if (keptBytes + bytes.size() > MAX_KEPT_BYTES) dropKeptEntries();
    keptBytes += bytes.size();
    entry.bytes = std::move(bytes);
    entry.kept = true;
  }
  out = entry.bytes;
  return 0;
}

void ResourceArchive::dropKeptEntries() {
  for (Entry& entry : entries) {
    entry.bytes.clear();
    entry.bytes.shrink_to_fit();
    entry.kept = false;
  }
  keptBytes = 0;
}

std::vector<std::string> ResourceArchive::entryNames() const {
  std::vector<std::string> names;
  for (const Entry& entry : entries) names.push_back(entry.name);
  return names;
}
