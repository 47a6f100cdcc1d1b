#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A raw byte blob that effects read as bytes or as floats in [0, 1).
class Binary {
 public:
  explicit Binary(const std::vector<uint8_t>& bytes);
  ~Binary();
  Binary(const Binary&) = delete;
  Binary& operator=(const Binary&) = delete;

  uint32_t GetSize() const { return static_cast<uint32_t>(data.size()); }
  uint8_t GetByte(uint32_t index) const { return data[index]; }
  // Every byte / 256, made on first use and owned by the blob.
  const float* GetFloats();
  // count bytes from offset / 256, in a new array the caller deletes; bytes past the end read 0.
  float* GetFloatRange(uint32_t offset, uint32_t count) const;
  std::string Describe() const;

 private:
  std::vector<uint8_t> data;
  float* normalised = nullptr;
};
