#include "PngFile.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "Canvas.h"
#include "common/PendingFile.h"

unsigned char toByte(float value) { return static_cast<unsigned char>(std::lround(clamp01(value) * 255.0f)); }

static std::vector<unsigned char> packRow(const Canvas& image, int y, int channels) {
  std::vector<unsigned char> row(static_cast<size_t>(image.width()) * channels);
  for (int x = 0; x < image.width(); ++x) {
    const Rgba& p = image.at(x, y);
    unsigned char* out = &row[static_cast<size_t>(x) * channels];
    out[0] = toByte(p.r);
    out[1] = toByte(p.g);
    out[2] = toByte(p.b);
    if (channels == 4) out[3] = toByte(p.a);
  }
  return row;
}

// False when libpng gives up (a bad size, a failed write); the caller closes the file.
static bool encode(const Canvas& image, int channels, FILE* file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width(), image.height(), 8,
               channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < image.height(); ++y) {
    std::vector<unsigned char> row = packRow(image, y, channels);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool PngFile::write(const Canvas& image, int channels, const std::string& path) {
  PendingFile output(path);
  if (!output.create()) return error_ = output.getError(), false;
  FILE* file = std::fopen(output.temporaryPath().c_str(), "wb");
  if (!file) return error_ = "Cannot create '" + path + "'", false;
  bool encoded = encode(image, channels, file);
  bool closed = std::fclose(file) == 0;
  if (!encoded) return error_ = "Cannot encode '" + path + "'", false;
  if (!closed) return error_ = "Cannot write '" + path + "'", false;
  if (!output.commit()) return error_ = output.getError(), false;
  return true;
}
