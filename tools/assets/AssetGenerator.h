#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "StereoBuffer.h"

// Makes every data file of the production: the pictures under graphics/, the music under
// sound/, the launcher's banner header and a contact sheet of all pictures.
class AssetGenerator {
 public:
  struct Image {
    std::string fileName;
    Canvas picture;      // as it appears on screen
    int channels;        // 3: RGB, 4: RGBA
    bool storedFlipped;  // the loading screen draws its pictures with row 0 at the bottom
  };
  static const char* const kMusicFile;

  explicit AssetGenerator(std::string fontDir);

  // Creates the folders that resourcesDir and the files (empty ones skipped) need and proves
  // each can be written in: a bad path fails before the long work, naming it.
  bool prepareOutputs(const std::string& resourcesDir, const std::vector<std::string>& files);
  // resourcesDir receives graphics/<file> and sound/brinova_final_c.mp3.
  bool writeResources(const std::string& resourcesDir);
  bool writeBanner(const std::string& headerPath);
  bool writeContactSheet(const std::string& pngPath);
  bool writeWav(const std::string& wavPath);

  const std::vector<Image>& images();
  const StereoBuffer& music();
  const std::string& error() const { return error_; }
  std::string summary();

 private:
  bool makeImages();
  bool prepareFolder(const std::string& folder);
  bool prepareFile(const std::string& path);

  std::string fontDir_;
  std::vector<Image> images_;
  StereoBuffer music_;
  bool musicMade_ = false;
  std::string error_;
};
