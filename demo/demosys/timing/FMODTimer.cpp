#include "demosys/timing/FMODTimer.h"

#include <algorithm>
#include <iostream>
#include <memory>

#include "demosys/audio/AudioChannel.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/io/ResourceFile.h"

namespace {
constexpr int MUSIC_CHANNELS = 32;
}  // namespace

FMODTimer::FMODTimer(const std::string& musicPath, int32_t rate)
    : Timer(rate),
      spectrumA(new float[SPECTRUM_SIZE]()),
      spectrumB(new float[SPECTRUM_SIZE]()),
      musicPath(musicPath) {}

FMODTimer::~FMODTimer() {
  Shutdown();
  // A failed Init or Shutdown leaves objects behind; they go with the clock.
  releaseAudio();
}

bool FMODTimer::Init() {
  releaseAudio();
  int result = AudioSystem::create(&system);
  if (result != AUDIO_OK)
    return fail("Failed to create the FMOD System object! Error code: " + std::to_string(result),
                "Failed to initialize FMOD!");
  std::cout << "Fmod Version = " << system->getVersion() << std::endl;
  if (audioClock) system->setClock(audioClock);
  result = system->init(MUSIC_CHANNELS, audioOutput);
  if (result != AUDIO_OK)
    return fail("Failed to initialize FMOD! Error code: " + std::to_string(result),
                "Failed to initialize FMOD!");
  result = createSound(result);
  if (result < 0) return false;
  if (!sound)
    return fail("Failed to create sound sysmte sound! Error code: " + std::to_string(result),
                "FMOD Init : Failed to load soundfile!");
  setLength(sound->lengthMs());
  result = system->playSound(sound, true, &channel);
  if (result != AUDIO_OK)
    return fail("Failed to play sound! Error code: " + std::to_string(result), "Failed to play sound!");
  startTicks = pauseTicks = lastTime = now();
  return true;
}

// The music comes from where the engine reads its files: the archive (source 1) or the disk
// (source 0); any other source has no music. Returns the create call's result, or -1 after a
// failure it has already reported.
int FMODTimer::createSound(int lastResult) {
  if (KVRDemosys::resourceSource == 0) return system->createSound(musicPath, &sound);
  if (KVRDemosys::resourceSource != 1) return lastResult;
  std::unique_ptr<ResourceFile> file(ResourceAccess::loadFile(musicPath));
  if (!file || !file->isOk()) {
    fail("Error code: 0", "FMOD Init : Failed to load soundfile from archive!");
    return -1;
  }
  return system->createSoundFromMemory(file->bytes().data(), file->size(), &sound);
}

uint32_t FMODTimer::Shutdown() {
  bool stopped = channel && channel->isPlaying(nullptr) == AUDIO_OK && channel->stop() == AUDIO_OK;
  if (!stopped) {
    error = "Failed to shut down FMOD!";
    return 1;
  }
  releaseAudio();
  return 0;
}

uint32_t FMODTimer::Pause() {
  paused = true;
  if (channel) channel->setPaused(true);
  pauseTicks = now();
  return pauseTicks;
}

uint32_t FMODTimer::Start() {
  paused = false;
  // Without a channel to ask, the clock carries on from where it stands.
  uint32_t time = GetTime();
  if (channel) {
    channel->setPaused(false);
    channel->getPosition(&time);
  }
  return resumeFrom(time);
}

uint32_t FMODTimer::SetTime(uint32_t ms) {
  if (channel) channel->setPosition(ms);
  return Timer::SetTime(ms);
}

uint32_t FMODTimer::musicPosition() const {
  uint32_t position = 0;
  if (channel) channel->getPosition(&position);
  return position;
}

void FMODTimer::Update() {
  if (system) system->update();
}

int FMODTimer::GetSpectrum(int mode, int count, float* out) {
  count = std::min(count, SPECTRUM_SIZE);
  if (mode == 0 || mode == 1) return channelSpectrum(out, count, mode);
  if (mode != 2 && mode != 3) return AUDIO_ERR_INVALID_PARAM;
  channelSpectrum(spectrumA.get(), count, 0);
  channelSpectrum(spectrumB.get(), count, 1);
  const float scale = mode == 3 ? 0.5f : 1.0f;
  for (int i = 0; i < count; ++i) out[i] = (spectrumA[i] + spectrumB[i]) * scale;
  return count;
}

int FMODTimer::channelSpectrum(float* out, int count, int channelOffset) {
  if (!channel) return AUDIO_ERR_INVALID_HANDLE;
  return channel->getSpectrum(out, count, channelOffset);
}

bool FMODTimer::fail(const std::string& line, const char* text) {
  std::cout << line << std::endl;
  error = text;
  return false;
}

void FMODTimer::releaseAudio() {
  if (sound) sound->release();
  sound = nullptr;
  channel = nullptr;
  if (system) system->release();
  delete system;
  system = nullptr;
}
