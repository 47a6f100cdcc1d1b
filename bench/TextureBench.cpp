// Decode-and-upload speed of the texture loader: a fixed set of PNG files (written once with
// DevIL, compressed like real artwork) loaded through loadTexture in the GL context of an SDL
// window. Without a display the benchmarks skip. Run under
//   xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" build/bench/kvr_bench --benchmark_filter=Texture
#include <GL/glew.h>
#include <IL/il.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchGLContext.h"
#include "ScratchFolder.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/Texture.h"
#include "demosys/gl/TextureLoader.h"
#include "demosys/io/ResourceAccess.h"

namespace {

struct BenchFile {
  std::string path;
  int64_t fileBytes;
  int64_t pixelBytes;
};

// A picture with gradients and some noise, so that the PNG filters and inflate do real work.
std::vector<uint8_t> artwork(int size, int channels, unsigned seed) {
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * channels);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      for (int c = 0; c < channels; ++c) {
        seed = seed * 1103515245u + 12345u;
        int value = (x * (c + 1) + y * (3 - c)) / 4 + int((seed >> 16) & 15);
        pixels[(static_cast<size_t>(y) * size + x) * channels + c] = uint8_t(value);
      }
  return pixels;
}

// Empty when the scratch folder cannot be made.
const std::vector<BenchFile>& benchFiles() {
  static std::vector<BenchFile> files;
  static ScratchFolder scratch("kvr-bench-texture");
  if (!files.empty() || scratch.path().empty()) return files;
  std::filesystem::path directory = scratch.path();
  ilInit();
  ilEnable(IL_FILE_OVERWRITE);
  const int sizes[] = {256, 512, 1024};
  for (int channels : {3, 4}) {
    for (int size : sizes) {
      std::string path =
          (directory / ("art_" + std::to_string(size) + "_" + std::to_string(channels) + ".png")).string();
      std::vector<uint8_t> pixels = artwork(size, channels, unsigned(size * channels));
      ILuint image = 0;
      ilGenImages(1, &image);
      ilBindImage(image);
      ilTexImage(size, size, 1, ILubyte(channels), channels == 4 ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE,
                 pixels.data());
      ilSaveImage(path.c_str());
      ilDeleteImages(1, &image);
      files.push_back({path, int64_t(std::filesystem::file_size(path)), int64_t(pixels.size())});
    }
  }
  return files;
}

void loadSet(benchmark::State& state, GLenum target, bool mipmapped) {
  std::string reason;
  if (!openBenchContext(reason)) {
    state.SkipWithError(reason.c_str());
    return;
  }
  ResourceAccess::selectSource(0);
  const std::vector<BenchFile>& files = benchFiles();
  if (files.empty()) {
    state.SkipWithError("no scratch folder for the pictures");
    return;
  }
  int64_t pixelBytes = 0, fileBytes = 0;
  for (const BenchFile& file : files) {
    pixelBytes += file.pixelBytes;
    fileBytes += file.fileBytes;
  }
  for (auto _ : state) {
    for (const BenchFile& file : files) {
      Texture* texture = loadTexture(file.path, target, mipmapped);
      if (!texture) {
        state.SkipWithError(("cannot load " + file.path).c_str());
        return;
      }
      delete texture;
    }
    glFinish();
  }
  // Throughput in decoded pixel bytes; the encoded file bytes as a rate beside it.
  state.SetBytesProcessed(state.iterations() * pixelBytes);
  state.counters["file_MB/s"] =
      benchmark::Counter(double(state.iterations() * fileBytes) / 1e6, benchmark::Counter::kIsRate);
  state.counters["files"] = double(files.size());
}

void BM_TextureDecodeUpload2D(benchmark::State& state) { loadSet(state, GL_TEXTURE_2D, false); }
void BM_TextureDecodeUpload2DMipmapped(benchmark::State& state) { loadSet(state, GL_TEXTURE_2D, true); }

}  // namespace

BENCHMARK(BM_TextureDecodeUpload2D)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextureDecodeUpload2DMipmapped)->Unit(benchmark::kMillisecond)->UseRealTime();
