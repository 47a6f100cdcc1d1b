#include "capture/PngFrameWriter.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// Fast compression: a capture writes thousands of frames, and size matters less than time.
bool encode(FILE* file, int width, int height, const std::vector<uint8_t>& rgb) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool PngFrameWriter::open(const std::string& path) {
  directory = path;
  std::error_code failure;
  std::filesystem::create_directories(directory, failure);
  if (!std::filesystem::is_directory(directory)) {
    error = "Cannot create the frames directory '" + directory + "'";
    return false;
  }
  return true;
}

std::string PngFrameWriter::fileName(uint32_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame_%06u.png", index);
  return name;
}

bool PngFrameWriter::write(uint32_t index, int width, int height, const std::vector<uint8_t>& topDownRgb) {
  const std::string path = directory + "/" + fileName(index);
  if (topDownRgb.size() < static_cast<size_t>(width) * height * 3) {
    error = "Frame " + std::to_string(index) + " has fewer pixels than its size";
    return false;
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file && encode(file, width, height, topDownRgb);
  if (file && std::fclose(file) != 0) written = false;
  if (!written) error = "Cannot write '" + path + "'";
  return written;
}
