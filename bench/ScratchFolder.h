#pragma once

#include <string>

// A fresh folder of a benchmark's own under the temporary folder (mkdtemp), so that two runs
// never meet in it. It goes with everything in it when the object goes (at exit for a static
// one), and on SIGINT or SIGTERM, after which the signal ends the program as it would have.
class ScratchFolder {
 public:
  // The folder's name begins with prefix. path() is empty, with getError() saying why, when it
  // cannot be made.
  explicit ScratchFolder(const std::string& prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return folder; }
  const std::string& getError() const { return error; }

 private:
  std::string folder;
  std::string error;
  int slot = -1;
};
