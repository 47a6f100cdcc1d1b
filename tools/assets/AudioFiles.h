#pragma once

#include <string>

#include "StereoBuffer.h"

// Writes the music: MP3 through LAME (constant bit rate, no tags, so the bytes repeat), and a
// 16-bit WAV for listening and analysis.
class AudioFiles {
 public:
  bool writeMp3(const StereoBuffer& audio, int sampleRate, int kbps, const std::string& path);
  bool writeWav(const StereoBuffer& audio, int sampleRate, const std::string& path);
  const std::string& error() const { return error_; }

 private:
  // The file appears only when complete; a failure leaves what the path held before.
  bool writeWhole(const std::string& bytes, const std::string& path);

  std::string error_;
};
