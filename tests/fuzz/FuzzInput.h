#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Inputs that hold several files: every part but the last is a little-endian 32-bit length and
// that many bytes (cut short where the input ends); the last part is the rest. The seed program
// joins its files the same way, so the fuzzer starts from well-formed sets.
namespace FuzzInput {

inline std::vector<std::string> split(const uint8_t* data, size_t size, size_t parts) {
  std::vector<std::string> result;
  size_t at = 0;
  for (size_t i = 0; i + 1 < parts; ++i) {
    uint32_t length = 0;
    for (int b = 0; b < 4 && at < size; ++b) length |= uint32_t(data[at++]) << (8 * b);
    result.emplace_back(reinterpret_cast<const char*>(data + at), std::min<size_t>(length, size - at));
    at += result.back().size();
  }
  result.emplace_back(reinterpret_cast<const char*>(data + at), size - at);
  return result;
}

inline std::string join(const std::vector<std::string>& parts) {
  std::string result;
  for (size_t i = 0; i < parts.size(); ++i) {
    for (int b = 0; b < 4 && i + 1 < parts.size(); ++b)
      result += static_cast<char>(parts[i].size() >> (8 * b));
    result += parts[i];
  }
  return result;
}

// A private folder for targets whose reader only opens files by path: made once per process and
// removed at exit (the name outlives the static destructors, which run first).
inline const std::string& scratchDirectory() {
  static const std::string& path = *new std::string([] {
    std::string name = (std::filesystem::temp_directory_path() / "kvr-fuzz-XXXXXX").string();
    if (!mkdtemp(name.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(scratchDirectory()); });
    return name + "/";
  }());
  return path;
}

// Writes one file into the scratch folder.
inline void writeFile(const std::string& name, const std::string& bytes) {
  if (!(std::ofstream(scratchDirectory() + name, std::ios::binary) << bytes)) std::abort();
}

}  // namespace FuzzInput
