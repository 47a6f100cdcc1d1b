// Archive entry lookup and extraction on an archive laid out like the production's: a few MB
// in 40 entries, non-solid, packed with the pack script's options. The archive keeps every entry
// it has decoded, so a second request for an entry is a copy: the extraction benchmarks open the
// archive afresh (outside the timing) for every pass, and BM_ArchiveExtractKept times the copies.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "demosys/io/ResourceArchive.h"

namespace fs = std::filesystem;

namespace {

struct BenchArchive {
  std::string path;
  std::vector<std::string> names;
  size_t totalBytes = 0;
  std::string error;
};

// Half noise, half smooth ramps: compresses roughly like PNG images next to text shaders.
std::string entryContent(std::mt19937& random, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 2 ? random() & 0xff : (i / 64) & 0xff);
  return bytes;
}

const BenchArchive& archive() {
  static ScratchFolder scratch("kvr-bench-archive");
  static BenchArchive made = [] {
    BenchArchive result;
    if (scratch.path().empty()) {
      result.error = scratch.getError();
      return result;
    }
    fs::path dir = scratch.path();
    fs::create_directories(dir / "resources/graphics");
    std::mt19937 random(7);
    std::string command = "cd '" + dir.string() + "' && 7zz a -ms=off -mx=9 resources.7z";
    for (int i = 0; i < 40; ++i) {
      std::string name = "resources/graphics/Image" + std::to_string(i) + ".png";
      size_t size = 32768 + (i % 8) * 32768;
      std::ofstream(dir / name, std::ios::binary) << entryContent(random, size);
      result.names.push_back(name);
      result.totalBytes += size;
      command += " " + name;
    }
    command += " >/dev/null";
    if (std::system(command.c_str()) != 0) result.error = "7zz could not pack the benchmark archive";
    fs::remove_all(dir / "resources");
    result.path = (dir / "resources.7z").string();
    return result;
  }();
  return made;
}

bool archiveReady(benchmark::State& state) {
  if (!archive().error.empty()) state.SkipWithError(archive().error.c_str());
  return archive().error.empty();
}

void BM_ArchiveLookup(benchmark::State& state) {
  if (!archiveReady(state)) return;
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

// Every entry once per pass, from an archive opened afresh before each pass.
void extractFresh(benchmark::State& state, const std::vector<std::string>& names) {
  if (!archiveReady(state)) return;
  std::vector<uint8_t> bytes;
  std::unique_ptr<ResourceArchive> reader;
  for (auto _ : state) {
    state.PauseTiming();
    reader = std::make_unique<ResourceArchive>();  // the last pass's archive goes here, untimed
    reader->open(archive().path);
    state.ResumeTiming();
    for (const std::string& name : names) benchmark::DoNotOptimize(reader->extract(name, bytes));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(archive().totalBytes));
}

// In archive order, as the loader mostly asks: every entry decoded once.
void BM_ArchiveExtractAll(benchmark::State& state) { extractFresh(state, archive().names); }
BENCHMARK(BM_ArchiveExtractAll)->Unit(benchmark::kMillisecond);

// In reverse order: the first request decodes its way through every entry before it, keeping
// them, and the others are copies of what it kept.
void BM_ArchiveExtractReversed(benchmark::State& state) {
  std::vector<std::string> names = archive().names;
  std::reverse(names.begin(), names.end());
  extractFresh(state, names);
}
BENCHMARK(BM_ArchiveExtractReversed)->Unit(benchmark::kMillisecond);

// Entries asked for again from an archive that has decoded them all: copies of the kept bytes.
void BM_ArchiveExtractKept(benchmark::State& state) {
  if (!archiveReady(state)) return;
  ResourceArchive reader;
  reader.open(archive().path);
  std::vector<uint8_t> bytes;
  for (const std::string& name : archive().names) reader.extract(name, bytes);
  for (auto _ : state)
    for (const std::string& name : archive().names) benchmark::DoNotOptimize(reader.extract(name, bytes));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(archive().totalBytes));
}
BENCHMARK(BM_ArchiveExtractKept)->Unit(benchmark::kMillisecond);

void BM_ArchiveOpen(benchmark::State& state) {
  if (!archiveReady(state)) return;
  for (auto _ : state) {
    ResourceArchive reader;
    benchmark::DoNotOptimize(reader.open(archive().path));
  }
}
BENCHMARK(BM_ArchiveOpen)->Unit(benchmark::kMillisecond);

}  // namespace
