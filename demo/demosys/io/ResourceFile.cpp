#include "demosys/io/ResourceFile.h"

#include <cstring>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceArchive.h"

ResourceFile::ResourceFile(const std::string& name) : name(name) {}

ResourceFile::ResourceFile(const std::string& name, Mode mode) : name(name), mode(mode) {
  if (mode == Write) {
    stream = std::fopen(name.c_str(), "wb");
    ok = stream != nullptr;
    return;
  }
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) return;
  uint8_t buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    data.insert(data.end(), buffer, buffer + count);
  ok = !std::ferror(file);
  std::fclose(file);
}

ResourceFile::~ResourceFile() {
  if (stream) std::fclose(stream);
}

bool ResourceFile::fillFromArchive() {
  ResourceArchive* archive = KVRDemosys::archive;
  int32_t entrySize = archive ? archive->entrySize(name) : -1;
  if (entrySize < 0) {
    ok = false;
    return false;
  }
  std::vector<uint8_t> buffer(static_cast<size_t>(entrySize));
  if (archive->extract(name, buffer) != 0) return false;
  data = std::move(buffer);
  position = 0;
  ok = true;
  return true;
}

void ResourceFile::fill(const std::vector<uint8_t>& bytes) {
  data = bytes;
  position = 0;
  ok = true;
}

std::string ResourceFile::text() const { return std::string(data.begin(), data.end()); }

std::vector<std::string> ResourceFile::lines() const {
  std::vector<std::string> result;
  std::string line;
  for (uint8_t byte : data) {
    if (byte == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      result.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(byte);
    }
  }
  result.push_back(line);
  return result;
}

bool ResourceFile::available(uint32_t count) {
  if (position <= data.size() && data.size() - position >= count) return true;
  position = size();
  readPastEnd = true;
  return false;
}

uint32_t ResourceFile::readU32() {
  if (!available(4)) return 0;
  const uint8_t* p = &data[position];
  position += 4;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

float ResourceFile::readF32() {
  uint32_t bits = readU32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string ResourceFile::readString() {
  if (!available(1)) return std::string();
  const uint8_t* begin = &data[position];
  const void* zero = std::memchr(begin, 0, data.size() - position);
  if (!zero) {
    // An unterminated string runs into the end of the file: a damaged record.
    available(data.size() - position + 1);
    return std::string();
  }
  size_t length = static_cast<const uint8_t*>(zero) - begin;
  position += static_cast<uint32_t>(length + 1);
  if (length == 0) return "Object";
  return std::string(reinterpret_cast<const char*>(begin), length);
}

void ResourceFile::appendU32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data.push_back(uint8_t(value >> shift));
}

void ResourceFile::appendF32(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  appendU32(bits);
}

void ResourceFile::appendChars(const std::string& text) { data.insert(data.end(), text.begin(), text.end()); }

bool ResourceFile::writeAndClose() {
  if (!stream) return false;
  // An empty vector may hold no buffer at all, and fwrite must not be given a null one.
  writtenSize = data.empty() ? 0 : static_cast<uint32_t>(std::fwrite(data.data(), 1, data.size(), stream));
  bool success = writtenSize == data.size();
  success = std::fclose(stream) == 0 && success;
  stream = nullptr;
  return success;
}
