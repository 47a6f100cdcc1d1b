#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "capture/ChildProcess.h"

class PendingFile;

// An H.264 MP4 made by ffmpeg from raw RGB frames fed through a pipe, with a stretch of the
// music muxed in: from the first frame's time, as long as the frames last, also when fewer
// frames come than were announced. ffmpeg writes beside the file under a temporary name, which
// becomes the file once ffmpeg has finished it.
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

  VideoEncoder();
  // Stops an ffmpeg still running and removes its unfinished file.
  ~VideoEncoder();
  static bool available();
  // ffmpeg's arguments for these settings, writing to settings.outputFile.
  static std::vector<std::string> arguments(const Settings& settings);
  bool open(const Settings& settings);
  bool write(const std::vector<uint8_t>& topDownRgb);
  // Ends the input and waits for ffmpeg, then puts the video in place; false when it failed.
  bool close();
  // Stops ffmpeg and removes what it wrote; the file keeps what it held.
  void discard();
  // Where ffmpeg writes until the video is finished; empty when not open.
  std::string temporaryPath() const;
  const std::string& getError() const { return error; }

 private:
  bool fail(const std::string& text);
  void closeInput();

  ChildProcess encoder;
  std::unique_ptr<PendingFile> video;
  int input = -1;
  size_t frameBytes = 0;
  std::string outputFile;
  std::string error;
};
