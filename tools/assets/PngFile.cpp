#include "PngFile.h"

#include <png.h>

#include <cmath>
#include <cstdio>

#include "Canvas.h"
#include "common/PendingFile.h"

unsigned char toByte(float value) { return static_cast<unsigned char>(std::lround(clamp01(value) * 255.0f)); }

namespace {

std::vector<unsigned char> packPixels(const Canvas& image, int channels) {
  std::vector<unsigned char> pixels(static_cast<size_t>(image.width()) * image.height() * channels);
  unsigned char* out = pixels.data();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x, out += channels) {
      const Rgba& p = image.at(x, y);
      out[0] = toByte(p.r);
      out[1] = toByte(p.g);
      out[2] = toByte(p.b);
      if (channels == 4) out[3] = toByte(p.a);
    }
  }
  return pixels;
}

int colourType(int channels) {
  if (channels == 1) return PNG_COLOR_TYPE_GRAY;
  return channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
}

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// False when libpng gives up. The bytes live in the caller's frame, so the jump back from a
// libpng error leaves them in a defined state.
bool encodeInto(std::vector<unsigned char>& bytes, int width, int height, int channels,
                const std::vector<unsigned char>& topDownPixels) {
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &bytes, appendToVector, flushNothing);
  png_set_IHDR(png, info, width, height, 8, colourType(channels), PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, &topDownPixels[rowBytes * y]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<unsigned char> PngFile::encode(int width, int height, int channels,
                                           const std::vector<unsigned char>& topDownPixels) {
  std::vector<unsigned char> bytes;
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  bool sizeMatches = width > 0 && height > 0 && topDownPixels.size() == rowBytes * height;
  if (!sizeMatches || !encodeInto(bytes, width, height, channels, topDownPixels)) bytes.clear();
  return bytes;
}

bool PngFile::write(const Canvas& image, int channels, const std::string& path) {
  std::vector<unsigned char> bytes = encode(image.width(), image.height(), channels, packPixels(image, channels));
  if (bytes.empty()) return error_ = "Cannot encode '" + path + "'", false;
  PendingFile output(path);
  if (!output.create()) return error_ = output.getError(), false;
  FILE* file = std::fopen(output.temporaryPath().c_str(), "wb");
  if (!file) return error_ = "Cannot create '" + path + "'", false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) return error_ = "Cannot write '" + path + "'", false;
  if (!output.commit()) return error_ = output.getError(), false;
  return true;
}
