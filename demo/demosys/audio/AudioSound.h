#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class AudioSystem;

// A piece of music decoded whole into memory: interleaved stereo 16-bit samples at the
// stream's own rate. Sounds made by AudioSystem::createSound belong to that system and end with
// release(); a sound built directly is an ordinary object that frees its samples when destroyed.
class AudioSound {
 public:
  AudioSound() = default;
  explicit AudioSound(AudioSystem* owner) : owner(owner) {}
  AudioSound(const AudioSound&) = delete;
  AudioSound& operator=(const AudioSound&) = delete;

  // Decode an MP3 stream. AUDIO_OK, or a failure code with the sound left empty. Bytes that
  // KVRDemosys::musicDecode is already decoding are taken from it instead of decoded again.
  int loadFile(const std::string& path);
  int loadMemory(const uint8_t* data, size_t size);
  // loadMemory without asking KVRDemosys::musicDecode (its own thread decodes this way).
  int decodeMemory(const uint8_t* data, size_t size);
  // Moves the samples of `other` here, leaving it empty; the owners stay as they were.
  void takeSamples(AudioSound& other);
  // Hands a system-made sound back to its system (stopping its channels); drops the samples of
  // one built directly. The pointer must not be used afterwards in the first case.
  int release();

  bool isLoaded() const { return frames > 0; }
  uint32_t lengthMs() const;
  uint32_t frameCount() const { return frames; }
  int32_t sampleRate() const { return rate; }
  // Interleaved left/right pairs, frameCount() of them.
  const int16_t* samples() const { return pcm.data(); }

 private:
  int decode(const uint8_t* data, size_t size);
  void clear();

  AudioSystem* owner = nullptr;
  std::vector<int16_t> pcm;
  uint32_t frames = 0;
  int32_t rate = 0;
};
