#include "support/TrackFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/TempDir.h"

namespace TrackFixtures {

std::string MakeDirectory(const std::string& name) {
  // One private folder per test process, removed when the process ends.
  static TempDir scratch;
  std::filesystem::path path = std::filesystem::path(scratch.path()) / ("kvr_tracks_" + name);
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path.string() + "/";
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void SetKeys(TrackInterpolate* track, std::initializer_list<std::pair<uint32_t, float>> keys,
             uint32_t curve) {
  for (const auto& key : keys) track->InsertKeyframe(new ValueKeyframe(key.first, key.second, curve));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void AppendU32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(value >> shift));
}

void AppendString(std::vector<uint8_t>& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
}

std::vector<uint32_t> KeyframeRows(const Track& track, uint32_t from, uint32_t to) {
  std::vector<Keyframe*> keyframes;
  track.GetKeyframes(from, to, keyframes);
  std::vector<uint32_t> rows;
  for (const Keyframe* keyframe : keyframes) rows.push_back(keyframe->row);
  return rows;
}

FBO* FakeFBO(int index) {
  static char slots[8];
  return reinterpret_cast<FBO*>(&slots[index]);
}

}  // namespace TrackFixtures
