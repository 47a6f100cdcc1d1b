#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// An H.264 MP4 made by the ffmpeg command from raw RGB frames fed through a pipe, with a
// stretch of the music muxed in: from the first frame's time, as long as the frames last.
class VideoEncoder {
 public:
  struct Settings {
    std::string outputFile;
    int width = 0;
    int height = 0;
    uint32_t framesPerSecond = 60;
    uint32_t frameCount = 0;
    uint32_t fromMs = 0;
    // Empty: a video without sound.
    std::string musicFile;
  };

  ~VideoEncoder();
  static bool available();
  // The ffmpeg command line for these settings.
  static std::string command(const Settings& settings);
  bool open(const Settings& settings);
  bool write(const std::vector<uint8_t>& topDownRgb);
  // Waits for ffmpeg; false when it failed.
  bool close();
  const std::string& getError() const { return error; }

 private:
  FILE* pipe = nullptr;
  size_t frameBytes = 0;
  std::string outputFile;
  std::string error;
};
