#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A scratch directory made for one test and removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return root; }
  // Writes `bytes` to the relative path, creating its folders; returns the full path.
  std::string write(const std::string& relative, const std::string& bytes) const;
  std::string write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
  // Adds the relative paths to an archive with the 7zz command-line archiver, run inside the
  // directory so entries keep those paths. Returns the archive's full path.
  std::string pack7z(const std::string& archiveName, const std::vector<std::string>& relativePaths,
                     const std::string& options = "-ms=off -mx=9") const;

 private:
  std::string root;
};

// The whole file as it is on disk; empty when it cannot be read.
std::string readFile(const std::string& path);
// Writes the bytes to the path (its folder must exist); false when that fails.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Runs the engine with its working directory moved to `dir` for the lifetime of the guard.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& dir);
  ~WorkingDirectory();

 private:
  std::string previous;
};
