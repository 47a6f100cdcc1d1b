#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One resource file in memory, read from the archive or the disk, with the little-endian
// byte-stream reads and writes of the engine's binary formats.
//
// Reads never leave the data: a read that needs bytes past the end returns zero (an empty
// string for readString), moves the position to the end and sets the overrun flag, which
// the loaders test after reading a record.
class ResourceFile {
 public:
  enum Mode : uint32_t { Read = 0, Write = 2 };

  // An empty, not yet filled file for `name` (the archive path fills it later).
  explicit ResourceFile(const std::string& name);
  // Opens `name` on disk: Read loads the whole file, Write creates or truncates it.
  ResourceFile(const std::string& name, Mode mode);
  ~ResourceFile();
  ResourceFile(const ResourceFile&) = delete;
  ResourceFile& operator=(const ResourceFile&) = delete;

  // Replaces the data with an entry of the open archive; false when it has no such entry.
  bool fillFromArchive();
  // Replaces the data with bytes already in memory (tests and generated files).
  void fill(const std::vector<uint8_t>& bytes);

  const std::string& getName() const { return name; }
  bool isOk() const { return ok; }
  uint32_t size() const { return static_cast<uint32_t>(data.size()); }
  const std::vector<uint8_t>& bytes() const { return data; }
  std::vector<uint8_t> copyData() const { return data; }
  std::string text() const;
  // Split at line feeds; a carriage return right before a line feed goes with it.
  std::vector<std::string> lines() const;

  void setPosition(uint32_t offset) { position = offset; }
  uint32_t getPosition() const { return position; }
  bool overrun() const { return readPastEnd; }
  uint32_t readU32();
  int32_t readI32() { return static_cast<int32_t>(readU32()); }
  float readF32();
  // Bytes up to the next zero byte, which is consumed; a zero first byte reads as "Object".
  std::string readString();

  void appendByte(uint8_t value) { data.push_back(value); }
  void appendU32(uint32_t value);
  void appendF32(float value);
  void appendChars(const std::string& text);
  bool writeAndClose();
  uint32_t getWrittenSize() const { return writtenSize; }

 private:
  bool available(uint32_t count);

  std::string name;
  std::vector<uint8_t> data;
  std::FILE* stream = nullptr;
  uint32_t mode = Read;
  uint32_t writtenSize = 0;
  uint32_t position = 0;
  bool ok = false;
  bool readPastEnd = false;
};
