#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "demosys/io/Image.h"

// Decodes one picture on a thread of its own while the caller uploads the one before it. The
// file is read on the calling thread (the archive is not to be shared); only the decoding runs
// on the thread. DevIL keeps global state: while a decode runs, nothing else may call DevIL.
class ImageDecodeAhead {
 public:
  ImageDecodeAhead() = default;
  ~ImageDecodeAhead();
  ImageDecodeAhead(const ImageDecodeAhead&) = delete;
  ImageDecodeAhead& operator=(const ImageDecodeAhead&) = delete;

  // Starts decoding `path` from the engine's resource source, as Image would; a decode still
  // running is finished and dropped first.
  void start(const std::string& path);
  // The picture started last, once decoded; an invalid Image when none was started.
  std::unique_ptr<Image> take();

 private:
  void finish();

  std::thread worker;
  std::unique_ptr<Image> image;
  std::vector<uint8_t> encoded;
};
