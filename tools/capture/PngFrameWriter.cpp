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
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool isFrameFile(const std::filesystem::directory_entry& entry) {
  const std::string name = entry.path().filename().string();
  const std::string prefix = "frame_", suffix = ".png";
  if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  std::error_code failure;
  return digits.find_first_not_of("0123456789") == std::string::npos && !entry.is_directory(failure);
}

}  // namespace

bool PngFrameWriter::holdsFrames(const std::string& directory) {
  std::error_code failure;
  for (std::filesystem::directory_iterator it(directory, failure), end; !failure && it != end;
       it.increment(failure))
    if (isFrameFile(*it)) return true;
  return false;
}

bool PngFrameWriter::removeFrames() {
  std::error_code failure;
  std::vector<std::filesystem::path> old;
  for (std::filesystem::directory_iterator it(directory, failure), end; !failure && it != end;
       it.increment(failure))
    if (isFrameFile(*it)) old.push_back(it->path());
  for (const std::filesystem::path& path : old) {
    if (!std::filesystem::remove(path, failure)) {
      error = "Cannot remove the old frame '" + path.string() + "': " + failure.message();
      return false;
    }
  }
  return true;
}

bool PngFrameWriter::open(const std::string& path, bool removeOld) {
  directory = path;
  std::error_code failure;
  std::filesystem::create_directories(directory, failure);
  if (!std::filesystem::is_directory(directory)) {
    error = "Cannot create the frames directory '" + directory + "'";
    return false;
  }
  return !removeOld || removeFrames();
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
  if (written) return true;
  if (file) std::remove(path.c_str());
  error = "Cannot write '" + path + "'";
  return false;
}
