#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "kvr-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

std::string TempDir::write(const std::string& relative, const std::string& bytes) const {
  fs::path full = fs::path(root) / relative;
  fs::create_directories(full.parent_path());
  std::ofstream(full, std::ios::binary) << bytes;
  return full.string();
}

std::string TempDir::write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
  return write(relative, std::string(bytes.begin(), bytes.end()));
}

std::string TempDir::pack7z(const std::string& archiveName, const std::vector<std::string>& relativePaths,
                            const std::string& options) const {
  std::string command = "cd '" + root + "' && 7zz a " + options + " '" + archiveName + "'";
  for (const std::string& path : relativePaths) command += " '" + path + "'";
  command += " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("7zz failed: " + command);
  return (fs::path(root) / archiveName).string();
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

WorkingDirectory::WorkingDirectory(const std::string& dir) : previous(fs::current_path().string()) {
  fs::current_path(dir);
}

WorkingDirectory::~WorkingDirectory() { fs::current_path(previous); }
