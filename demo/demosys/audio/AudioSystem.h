#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class AudioChannel;
class AudioSound;

// The engine's sound output: decodes music into memory and plays it on a few channels through
// the SDL audio device. Every operation returns AUDIO_OK (zero) or a failure code.
//
// Outputs:
// - Automatic: the SDL audio device; when none can be opened, one line is printed and the
//   system carries on silently.
// - Silent: no device; channel positions advance with the clock, as if the music were heard.
// - Manual: no device; whoever owns the system calls render() in place of the device callback
//   (tests and benchmarks simulate a device this way).
//
// The mixing callback runs on SDL's audio thread; all channel state is guarded by one mutex.
class AudioSystem {
 public:
  enum class Output { Automatic, Silent, Manual };
  // Monotonic time in microseconds; the channels interpolate their positions with it.
  using Clock = std::function<uint64_t()>;

  static constexpr uint32_t VERSION = 0x00010000;
  static constexpr int DEVICE_RATE = 44100;
  static constexpr int DEVICE_BUFFER_FRAMES = 1024;

  // Allocates a system; *system stays null on failure.
  static int create(AudioSystem** system);

  AudioSystem();
  ~AudioSystem();
  AudioSystem(const AudioSystem&) = delete;
  AudioSystem& operator=(const AudioSystem&) = delete;

  // Replaces the steady clock; call before init.
  void setClock(Clock clock);
  int init(int maxChannels, Output output = Output::Automatic);
  uint32_t getVersion() const { return VERSION; }
  // Once per frame: settles channels that have played their sound to the end.
  int update();
  // Stops the output, every channel and every sound; the system may be initialised again.
  int release();

  // The sound belongs to this system until AudioSound::release or release().
  int createSound(const std::string& path, AudioSound** sound);
  int createSoundFromMemory(const uint8_t* data, size_t size, AudioSound** sound);
  // Starts the sound from its beginning on a free channel.
  int playSound(AudioSound* sound, bool paused, AudioChannel** channel);

  // Mixes `frames` interleaved stereo frames at DEVICE_RATE: the device callback's work.
  void render(int16_t* out, int frames);

  bool isInitialised() const { return initialised; }
  // The output in use after init: Automatic means a device is open.
  Output activeOutput() const { return output; }
  int bufferFrames() const { return deviceBufferFrames; }

 private:
  friend class AudioChannel;
  friend class AudioSound;

  static void deviceCallback(void* self, uint8_t* stream, int length);
  bool openDevice();
  void closeDevice();
  int adoptSound(std::unique_ptr<AudioSound> sound, int loadResult, AudioSound** out);
  int destroySound(AudioSound* sound);
  uint64_t now() const { return clock(); }

  Clock clock;
  mutable std::mutex mixLock;
  std::vector<std::unique_ptr<AudioChannel>> channels;
  std::vector<std::unique_ptr<AudioSound>> sounds;
  std::vector<int32_t> mixBuffer;
  Output output = Output::Silent;
  bool initialised = false;
  bool deviceOpen = false;
  int deviceBufferFrames = DEVICE_BUFFER_FRAMES;
};
