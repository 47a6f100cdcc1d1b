#pragma once

#include <memory>
#include <string>

#include "demosys/audio/AudioSystem.h"
#include "demosys/timing/Timer.h"

class AudioChannel;
class AudioSound;

// The demo clock locked to the music: Init loads the music (from the archive or the resource
// tree, as the engine reads its files) onto a paused channel; Start continues the clock from the
// channel's position, after which the clock runs on ticks anchored to the music.
class FMODTimer : public Timer {
 public:
  static constexpr int SPECTRUM_SIZE = 8192;

  FMODTimer(const std::string& musicPath, int32_t rate);
  ~FMODTimer() override;

  bool Init() override;
  uint32_t Shutdown() override;
  uint32_t Pause() override;
  uint32_t Start() override;
  uint32_t SetTime(uint32_t ms) override;
  void Update() override;
  // mode 0 left, 1 right, 2 their sum, 3 their mean; count is held to SPECTRUM_SIZE.
  // Modes 0 and 1 return the channel's result, modes 2 and 3 return count.
  int GetSpectrum(int mode, int count, float* out) override;

  // Where the music channel plays now, in ms; 0 without a channel. Seeking and pausing move
  // the music with the clock; this says where the sound really is.
  uint32_t musicPosition() const;

  // Chosen before Init: where the music goes (tests ask for silence) and the sound clock.
  void setAudioOutput(AudioSystem::Output output) { audioOutput = output; }
  void setAudioClock(AudioSystem::Clock clock) { audioClock = std::move(clock); }

 private:
  bool fail(const std::string& line, const char* text);
  int createSound(int lastResult);
  int channelSpectrum(float* out, int count, int channelOffset);
  void releaseAudio();

  AudioSound* sound = nullptr;
  AudioSystem* system = nullptr;
  AudioChannel* channel = nullptr;
  std::unique_ptr<float[]> spectrumA;
  std::unique_ptr<float[]> spectrumB;
  std::string musicPath;
  AudioSystem::Output audioOutput = AudioSystem::Output::Automatic;
  AudioSystem::Clock audioClock;
};
