#include "demosys/audio/AudioDecodeAhead.h"

#include <cstring>
#include <utility>

AudioDecodeAhead::AudioDecodeAhead(std::vector<uint8_t> bytes) : encoded(std::move(bytes)) {
  // The thread touches only `decoded` and `decodeResult` until it is joined.
  worker = std::thread([this] { decodeResult = decoded.decodeMemory(encoded.data(), encoded.size()); });
}

AudioDecodeAhead::~AudioDecodeAhead() {
  if (worker.joinable()) worker.join();
}

bool AudioDecodeAhead::take(const uint8_t* data, size_t size, AudioSound& sound, int& result) {
  if (taken || size != encoded.size() || (size > 0 && std::memcmp(data, encoded.data(), size) != 0))
    return false;
  if (worker.joinable()) worker.join();
  taken = true;
  sound.takeSamples(decoded);
  result = decodeResult;
  return true;
}
