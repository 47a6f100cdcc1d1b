#include "demosys/io/ImageDecodeAhead.h"

#include <utility>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceFile.h"

ImageDecodeAhead::~ImageDecodeAhead() { finish(); }

void ImageDecodeAhead::finish() {
  if (worker.joinable()) worker.join();
  encoded.clear();
}

void ImageDecodeAhead::start(const std::string& path) {
  finish();
  image = std::make_unique<Image>();
  if (KVRDemosys::resourceSource == 0) {
    worker = std::thread([this, path] { image = std::make_unique<Image>(path); });
    return;
  }
  if (KVRDemosys::resourceSource != 1) return;
  ResourceFile file(path);
  if (!file.fillFromArchive()) return;
  encoded = file.bytes();
  worker = std::thread([this] { image->loadFromMemory(encoded); });
}

std::unique_ptr<Image> ImageDecodeAhead::take() {
  finish();
  return image ? std::move(image) : std::make_unique<Image>();
}
