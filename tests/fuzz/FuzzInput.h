#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

// Inputs that hold several files: every part but the last is a little-endian 32-bit length and
// that many bytes (cut short where the input ends); the last part is the rest. The seed program
// joins its files the same way, so the fuzzer starts from well-formed sets.
namespace FuzzInput {

inline std::vector<std::string> split(const uint8_t* data, size_t size, size_t parts) {
  std::vector<std::string> result;
  size_t position = 0;
  for (size_t i = 0; i + 1 < parts; ++i) {
    uint32_t length = 0;
    for (int b = 0; b < 4 && position < size; ++b) length |= static_cast<uint32_t>(data[position++]) << (8 * b);
    size_t taken = length < size - position ? length : size - position;
    result.emplace_back(reinterpret_cast<const char*>(data + position), taken);
    position += taken;
  }
  result.emplace_back(reinterpret_cast<const char*>(data + position), size - position);
  return result;
}

inline std::string join(const std::vector<std::string>& parts) {
  std::string result;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    uint32_t length = static_cast<uint32_t>(parts[i].size());
    for (int b = 0; b < 4; ++b) result += static_cast<char>((length >> (8 * b)) & 0xff);
    result += parts[i];
  }
  if (!parts.empty()) result += parts.back();
  return result;
}

// A private folder for targets whose reader only opens files by path; made once per process.
inline const std::string& scratchDirectory() {
  // Kept alive past the static destructors, for the clean-up at exit.
  static const std::string& path = *new std::string([] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/kvr-fuzz-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) std::abort();
    std::atexit([] { std::filesystem::remove_all(scratchDirectory()); });
    return std::string(buffer.data()) + "/";
  }());
  return path;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);
}

}  // namespace FuzzInput
