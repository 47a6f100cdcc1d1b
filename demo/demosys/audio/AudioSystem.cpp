#include "demosys/audio/AudioSystem.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <limits>
#include <new>

#include "demosys/audio/AudioChannel.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"

namespace {

uint64_t steadyMicros() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr int MAX_CHANNELS = 1024;

}  // namespace

int AudioSystem::create(AudioSystem** system) {
  if (!system) return AUDIO_ERR_INVALID_PARAM;
  *system = new (std::nothrow) AudioSystem();
  return *system ? AUDIO_OK : AUDIO_ERR_NOT_INITIALIZED;
}

AudioSystem::AudioSystem() : clock(steadyMicros) {}

AudioSystem::~AudioSystem() { release(); }

void AudioSystem::setClock(Clock replacement) {
  clock = replacement ? std::move(replacement) : Clock(steadyMicros);
}

int AudioSystem::init(int maxChannels, Output requested) {
  if (initialised) return AUDIO_ERR_ALREADY_INITIALIZED;
  if (maxChannels < 1 || maxChannels > MAX_CHANNELS) return AUDIO_ERR_INVALID_PARAM;
  for (int i = 0; i < maxChannels; ++i) channels.push_back(std::make_unique<AudioChannel>(*this));
  output = requested;
  if (requested == Output::Automatic && !openDevice()) {
    std::cout << "Sound: no audio device, playing silently" << std::endl;
    output = Output::Silent;
  }
  initialised = true;
  return AUDIO_OK;
}

int AudioSystem::update() {
  if (!initialised) return AUDIO_ERR_NOT_INITIALIZED;
  std::lock_guard<std::mutex> guard(mixLock);
  uint64_t time = now();
  for (auto& channel : channels) channel->settle(time);
  return AUDIO_OK;
}

int AudioSystem::release() {
  if (!initialised) return AUDIO_ERR_NOT_INITIALIZED;
  // The device thread must be gone before the channels and sounds it reads.
  closeDevice();
  channels.clear();
  sounds.clear();
  initialised = false;
  return AUDIO_OK;
}

int AudioSystem::createSound(const std::string& path, AudioSound** sound) {
  if (!sound) return AUDIO_ERR_INVALID_PARAM;
  *sound = nullptr;
  auto created = std::make_unique<AudioSound>(this);
  int result = created->loadFile(path);
  return adoptSound(std::move(created), result, sound);
}

int AudioSystem::createSoundFromMemory(const uint8_t* data, size_t size, AudioSound** sound) {
  if (!sound) return AUDIO_ERR_INVALID_PARAM;
  *sound = nullptr;
  auto created = std::make_unique<AudioSound>(this);
  int result = created->loadMemory(data, size);
  return adoptSound(std::move(created), result, sound);
}

int AudioSystem::adoptSound(std::unique_ptr<AudioSound> sound, int loadResult, AudioSound** out) {
  if (!initialised) return AUDIO_ERR_NOT_INITIALIZED;
  if (loadResult != AUDIO_OK) return loadResult;
  *out = sound.get();
  sounds.push_back(std::move(sound));
  return AUDIO_OK;
}

int AudioSystem::destroySound(AudioSound* sound) {
  auto owned =
      std::find_if(sounds.begin(), sounds.end(), [&](const auto& held) { return held.get() == sound; });
  if (owned == sounds.end()) return AUDIO_ERR_INVALID_HANDLE;
  {
    std::lock_guard<std::mutex> guard(mixLock);
    for (auto& channel : channels)
      if (channel->plays(sound)) channel->release();
  }
  sounds.erase(owned);
  return AUDIO_OK;
}

int AudioSystem::playSound(AudioSound* sound, bool paused, AudioChannel** channel) {
  if (channel) *channel = nullptr;
  if (!initialised) return AUDIO_ERR_NOT_INITIALIZED;
  bool known =
      std::any_of(sounds.begin(), sounds.end(), [&](const auto& held) { return held.get() == sound; });
  if (!sound || !known) return AUDIO_ERR_INVALID_HANDLE;
  std::lock_guard<std::mutex> guard(mixLock);
  auto free = std::find_if(channels.begin(), channels.end(), [](const auto& c) { return !c->inUse(); });
  if (free == channels.end()) return AUDIO_ERR_NO_FREE_CHANNEL;
  (*free)->begin(sound, paused, output == Output::Silent, now());
  if (channel) *channel = free->get();
  return AUDIO_OK;
}

void AudioSystem::render(int16_t* out, int frames) {
  if (frames <= 0) return;
  std::lock_guard<std::mutex> guard(mixLock);
  mixBuffer.assign(2 * size_t(frames), 0);
  uint64_t time = now();
  for (auto& channel : channels) channel->mixInto(mixBuffer.data(), frames, time);
  for (size_t i = 0; i < mixBuffer.size(); ++i)
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(mixBuffer[i], std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
}

void AudioSystem::deviceCallback(void* self, uint8_t* stream, int length) {
  static_cast<AudioSystem*>(self)->render(reinterpret_cast<int16_t*>(stream), length / 4);
}

bool AudioSystem::openDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
  SDL_AudioSpec wanted = {};
  wanted.freq = DEVICE_RATE;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = DEVICE_BUFFER_FRAMES;
  wanted.callback = &AudioSystem::deviceCallback;
  wanted.userdata = this;
  // Without an "obtained" record SDL converts to exactly this format for us.
  if (SDL_OpenAudio(&wanted, nullptr) < 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  deviceBufferFrames = wanted.samples;
  deviceOpen = true;
  SDL_PauseAudio(0);
  return true;
}

void AudioSystem::closeDevice() {
  if (!deviceOpen) return;
  SDL_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  deviceOpen = false;
}
