#pragma once

#include <string>
#include <vector>

class Canvas;

// Writes 8-bit PNGs. The output holds no time stamp or other varying chunk, so equal pictures
// give equal files.
class PngFile {
 public:
  // A canvas with 3 (RGB) or 4 (RGBA) channels, renamed into place only when complete.
  bool write(const Canvas& image, int channels, const std::string& path);
  const std::string& error() const { return error_; }

  // The file's bytes for pixels given row by row from the top, with 1 (grey), 3 (RGB) or 4
  // (RGBA) channels; empty when libpng refuses the size.
  static std::vector<unsigned char> encode(int width, int height, int channels,
                                           const std::vector<unsigned char>& topDownPixels);

 private:
  std::string error_;
};

unsigned char toByte(float value);
