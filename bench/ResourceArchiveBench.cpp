// Archive entry lookup and extraction on an archive laid out like the production's: a few MB
// in 40 entries, non-solid, packed with the pack script's options.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "demosys/io/ResourceArchive.h"

namespace fs = std::filesystem;

namespace {

struct BenchArchive {
  std::string path;
  std::vector<std::string> names;
  size_t totalBytes = 0;
};

// Half noise, half smooth ramps: compresses roughly like PNG images next to text shaders.
std::string entryContent(std::mt19937& random, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<char>(i % 2 ? random() & 0xff : (i / 64) & 0xff);
  return bytes;
}

const BenchArchive& archive() {
  static BenchArchive made = [] {
    BenchArchive result;
    fs::path dir = fs::temp_directory_path() / "kvr-bench-archive";
    fs::remove_all(dir);
    fs::create_directories(dir / "resources/graphics");
    std::mt19937 random(7);
    std::string command = "cd " + dir.string() + " && 7zz a -ms=off -mx=9 resources.7z";
    for (int i = 0; i < 40; ++i) {
      std::string name = "resources/graphics/Image" + std::to_string(i) + ".png";
      size_t size = 32768 + (i % 8) * 32768;
      std::ofstream(dir / name, std::ios::binary) << entryContent(random, size);
      result.names.push_back(name);
      result.totalBytes += size;
      command += " " + name;
    }
    command += " >/dev/null";
    if (std::system(command.c_str()) != 0) std::abort();
    result.path = (dir / "resources.7z").string();
    return result;
  }();
  return made;
}

void BM_ArchiveLookup(benchmark::State& state) {
  ResourceArchive reader;
  reader.open(archive().path);
  const std::vector<std::string>& names = archive().names;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.entrySize(names[i]));
    i = (i + 7) % names.size();
  }
}
BENCHMARK(BM_ArchiveLookup);

// Every entry once per iteration, in archive order as the loader mostly asks for them.
void BM_ArchiveExtractAll(benchmark::State& state) {
  ResourceArchive reader;
  reader.open(archive().path);
  std::vector<uint8_t> bytes;
  for (auto _ : state)
    for (const std::string& name : archive().names) benchmark::DoNotOptimize(reader.extract(name, bytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(archive().totalBytes));
}
BENCHMARK(BM_ArchiveExtractAll)->Unit(benchmark::kMillisecond);

// Entries out of order: every extraction restarts the reader from the archive's start.
void BM_ArchiveExtractShuffled(benchmark::State& state) {
  ResourceArchive reader;
  reader.open(archive().path);
  std::vector<std::string> names = archive().names;
  std::reverse(names.begin(), names.end());
  std::vector<uint8_t> bytes;
  for (auto _ : state)
    for (const std::string& name : names) benchmark::DoNotOptimize(reader.extract(name, bytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(archive().totalBytes));
}
BENCHMARK(BM_ArchiveExtractShuffled)->Unit(benchmark::kMillisecond);

void BM_ArchiveOpen(benchmark::State& state) {
  for (auto _ : state) {
    ResourceArchive reader;
    benchmark::DoNotOptimize(reader.open(archive().path));
  }
}
BENCHMARK(BM_ArchiveOpen)->Unit(benchmark::kMillisecond);

}  // namespace
