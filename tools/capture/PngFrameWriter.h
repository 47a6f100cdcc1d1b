#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes captured frames as 8-bit RGB PNG files DIR/frame_NNNNNN.png. The files hold no time
// stamp, so equal pictures give equal files.
class PngFrameWriter {
 public:
  // Creates the directory when needed; removeOld first removes the frame files it holds, so that
  // no frame of an earlier capture stays among the new ones.
  bool open(const std::string& directory, bool removeOld);
  // A frame that cannot be written whole is removed.
  bool write(uint32_t index, int width, int height, const std::vector<uint8_t>& topDownRgb);
  static std::string fileName(uint32_t index);
  // Whether the directory holds a file named like a frame ("frame_" digits ".png").
  static bool holdsFrames(const std::string& directory);
  const std::string& getError() const { return error; }

 private:
  bool removeFrames();

  std::string directory;
  std::string error;
};
