#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A decoded image file (DevIL): size, depth and pixels, rows bottom to top as OpenGL wants them
// (row 0 of the buffer is DevIL's last row). BGR(A) decodes are turned into RGB(A).
class Image {
 public:
  // Empty; give it a file name and load it from the archive, or hand it bytes.
  Image() = default;
  // Decodes the file at `path` on disk.
  explicit Image(const std::string& path);

  void setFileName(const std::string& name) { fileName = name; }
  // Decodes the archive entry named by the file name; the remembered file name is then empty.
  bool loadFromArchive();
  // Decodes encoded file bytes, the type detected from the data.
  bool loadFromMemory(const std::vector<uint8_t>& bytes);

  int32_t getWidth() const { return width; }
  int32_t getHeight() const { return height; }
  int32_t getBitsPerPixel() const { return bitsPerPixel; }
  int32_t getBytesPerPixel() const { return bytesPerPixel; }
  // Length of the encoded file in bytes, -1 when unknown.
  int32_t getFileSize() const { return fileSize; }
  const uint8_t* getPixels() const { return pixels.data(); }
  const std::vector<uint8_t>& pixelBuffer() const { return pixels; }
  bool isValid() const { return valid; }
  const std::string& getFileName() const { return fileName; }

 private:
  // Takes the bound DevIL image's pixels; false when it holds fewer bytes than its size says.
  bool copyBoundImage();

  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  int32_t bytesPerPixel = 0;
  int32_t fileSize = -1;
  std::vector<uint8_t> pixels;
  bool valid = false;
  std::string fileName;
};
