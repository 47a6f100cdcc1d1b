#pragma once

#include <string>

class Canvas;

// Writes a canvas as an 8-bit PNG with 3 (RGB) or 4 (RGBA) channels. The output holds no time
// stamp or other varying chunk, so equal canvases give equal files.
class PngFile {
 public:
  bool write(const Canvas& image, int channels, const std::string& path);
  const std::string& error() const { return error_; }

 private:
  std::string error_;
};

unsigned char toByte(float value);
