#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "demosys/audio/AudioSound.h"

// Decodes a piece of music on a thread of its own while the rest of the load goes on, so that
// the sound set-up finds the samples ready instead of decoding before the first frame. The
// encoded bytes are kept to recognise the same file when the sound set-up asks for it.
class AudioDecodeAhead {
 public:
  explicit AudioDecodeAhead(std::vector<uint8_t> encoded);
  // Waits for the decoder: nothing may outlive the bytes it reads.
  ~AudioDecodeAhead();
  AudioDecodeAhead(const AudioDecodeAhead&) = delete;
  AudioDecodeAhead& operator=(const AudioDecodeAhead&) = delete;

  // When `data` holds the bytes decoded here, waits for the decoder, moves its samples into
  // `sound`, sets `result` and answers true; only once. Other bytes: false, nothing touched.
  bool take(const uint8_t* data, size_t size, AudioSound& sound, int& result);

 private:
  std::vector<uint8_t> encoded;
  AudioSound decoded;
  int decodeResult = 0;
  bool taken = false;
  std::thread worker;
};
