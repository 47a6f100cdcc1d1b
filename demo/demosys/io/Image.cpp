#include "demosys/io/Image.h"

#include <IL/il.h>
#include <sys/stat.h>

#include <cstring>

#include "demosys/io/ResourceFile.h"

namespace {

// One decode at a time: DevIL's bound image is global, so each decode makes, uses and drops its own.
class DevILImage {
 public:
  DevILImage() {
    ilInit();
    ilGenImages(1, &id);
    ilBindImage(id);
  }
  ~DevILImage() { ilDeleteImages(1, &id); }
  DevILImage(const DevILImage&) = delete;
  DevILImage& operator=(const DevILImage&) = delete;

 private:
  ILuint id = 0;
};

// OpenGL receives the pixels as RGB or RGBA; some decoders hand out blue first.
void convertBlueFirst() {
  ILint format = ilGetInteger(IL_IMAGE_FORMAT);
  if (format == IL_BGR) ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
  if (format == IL_BGRA) ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
}

}  // namespace

Image::Image(const std::string& path) {
  DevILImage image;
  if (!ilLoadImage(path.c_str())) return;
  valid = copyBoundImage();
  if (!valid) return;
  fileName = path;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) fileSize = static_cast<int32_t>(info.st_size);
}

bool Image::loadFromArchive() {
  ResourceFile file(fileName);
  fileName.clear();
  if (!file.fillFromArchive()) {
    valid = false;
    return false;
  }
  return loadFromMemory(file.bytes());
}

bool Image::loadFromMemory(const std::vector<uint8_t>& bytes) {
  DevILImage image;
  valid = !bytes.empty() && ilLoadL(IL_TYPE_UNKNOWN, bytes.data(), static_cast<ILuint>(bytes.size())) &&
          copyBoundImage();
  fileSize = valid ? static_cast<int32_t>(bytes.size()) : -1;
  return valid;
}

bool Image::copyBoundImage() {
  convertBlueFirst();
  width = ilGetInteger(IL_IMAGE_WIDTH);
  height = ilGetInteger(IL_IMAGE_HEIGHT);
  bitsPerPixel = ilGetInteger(IL_IMAGE_BITS_PER_PIXEL);
  bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
  const uint8_t* data = ilGetData();
  size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
  size_t total = rowBytes * height;
  if (!data || width <= 0 || height <= 0 || static_cast<size_t>(ilGetInteger(IL_IMAGE_SIZE_OF_DATA)) < total)
    return false;
  pixels.resize(total);
  for (int32_t row = 0; row < height; ++row)
    std::memcpy(&pixels[row * rowBytes], data + (height - 1 - row) * rowBytes, rowBytes);
  return true;
}
