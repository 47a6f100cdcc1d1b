#pragma once

#include <cstdint>
#include <vector>

#include "demosys/audio/AudioSpectrum.h"

class AudioSound;
class AudioSystem;

// One voice of an AudioSystem: a sound, its play position and its pause state. Channels belong
// to their system; a handle stays valid until stop() or the system's release, and operations on
// a stopped channel return AUDIO_ERR_INVALID_HANDLE.
//
// The position follows what is heard, not what was mixed: with a device it is the start of the
// last buffer handed to the device, moved on with the clock for as long as that buffer lasts;
// without one it is the unpaused time since play, stopping at the sound's end.
class AudioChannel {
 public:
  explicit AudioChannel(AudioSystem& system) : system(system) {}
  AudioChannel(const AudioChannel&) = delete;
  AudioChannel& operator=(const AudioChannel&) = delete;

  int setPaused(bool paused);
  int getPaused(bool* paused) const;
  // Milliseconds from the start of the sound; a position past its end is refused.
  int setPosition(uint32_t ms);
  int getPosition(uint32_t* ms) const;
  // True until the sound has been heard to its end, paused or not. `playing` may be null.
  int isPlaying(bool* playing) const;
  int stop();
  // Magnitudes of `count` bins (clamped to 8192) from the 2 * count samples of one channel
  // (0 left, 1 right) that end at the current position; see AudioSpectrum.
  int getSpectrum(float* out, int count, int channelOffset);

 private:
  friend class AudioSystem;

  // These run with the system's mix lock held.
  void begin(AudioSound* sound, bool paused, bool silent, uint64_t now);
  void mixInto(int32_t* mix, int frames, uint64_t now);
  void settle(uint64_t now);
  void release() { sound = nullptr; }
  bool plays(const AudioSound* which) const { return sound && sound == which; }
  bool inUse() const { return sound != nullptr; }
  double heardFrames(uint64_t now) const;
  void anchor(double frames, uint64_t now);

  AudioSystem& system;
  AudioSound* sound = nullptr;
  bool paused = true;
  bool silent = false;
  double length = 0.0;
  double cursor = 0.0;  // next frame to hand over; the held position while paused
  double anchorFrames = 0.0;
  uint64_t anchorMicros = 0;
  double limitFrames = 0.0;
  std::vector<float> window;
  AudioSpectrum spectrum;
};
