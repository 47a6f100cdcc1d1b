#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes captured frames as 8-bit RGB PNG files DIR/frame_NNNNNN.png. The files hold no time
// stamp, so equal pictures give equal files.
class PngFrameWriter {
 public:
  // Creates the directory when needed.
  bool open(const std::string& directory);
  bool write(uint32_t index, int width, int height, const std::vector<uint8_t>& topDownRgb);
  static std::string fileName(uint32_t index);
  const std::string& getError() const { return error; }

 private:
  std::string directory;
  std::string error;
};
