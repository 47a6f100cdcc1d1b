#include "support/PngWriter.h"

#include <algorithm>
#include <cstdio>

namespace PngWriter {
namespace {

void putU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

uint32_t crc32(const uint8_t* data, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  putU32(out, static_cast<uint32_t>(body.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  putU32(out, crc32(typed.data(), typed.size()));
}

std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t offset = 0;
  do {
    size_t block = std::min<size_t>(65535, raw.size() - offset);
    bool last = offset + block == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(uint8_t(block));
    out.push_back(uint8_t(block >> 8));
    out.push_back(uint8_t(~block));
    out.push_back(uint8_t(~block >> 8));
    out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + block);
    offset += block;
  } while (offset < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  putU32(out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<uint8_t> encode(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
  static const uint8_t colourTypes[5] = {0, 0, 4, 2, 6};
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putU32(header, static_cast<uint32_t>(width));
  putU32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, colourTypes[channels], 0, 0, 0});
  putChunk(out, "IHDR", header);
  std::vector<uint8_t> raw;
  size_t rowBytes = static_cast<size_t>(width) * channels;
  for (int row = 0; row < height; ++row) {
    raw.push_back(0);
    raw.insert(raw.end(), pixels.begin() + row * rowBytes, pixels.begin() + (row + 1) * rowBytes);
  }
  putChunk(out, "IDAT", storedZlib(raw));
  putChunk(out, "IEND", {});
  return out;
}

bool write(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> bytes = encode(width, height, channels, pixels);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace PngWriter
