#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit PNG files for test fixtures without any image library: uncompressed deflate
// blocks, rows top to bottom as the format defines them. Channels: 1 grey, 3 RGB, 4 RGBA.
namespace PngWriter {

std::vector<uint8_t> encode(int width, int height, int channels, const std::vector<uint8_t>& topDownPixels);
bool write(const std::string& path, int width, int height, int channels,
           const std::vector<uint8_t>& topDownPixels);

}  // namespace PngWriter
