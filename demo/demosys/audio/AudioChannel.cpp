#include "demosys/audio/AudioChannel.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/audio/AudioSystem.h"

int AudioChannel::setPaused(bool pause) {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  if (pause == paused) return AUDIO_OK;
  uint64_t now = system.now();
  // Pausing holds what is heard now; mixing resumes from there, so nothing heard is skipped.
  if (pause) cursor = heardFrames(now);
  paused = pause;
  if (!pause) anchor(cursor, now);
  return AUDIO_OK;
}

int AudioChannel::getPaused(bool* result) const {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  if (!result) return AUDIO_ERR_INVALID_PARAM;
  *result = paused;
  return AUDIO_OK;
}

int AudioChannel::setPosition(uint32_t ms) {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  // Rounded up, so that the position reads back as the same millisecond.
  double frames = std::ceil(double(ms) * sound->sampleRate() / 1000.0);
  if (frames > length) return AUDIO_ERR_INVALID_PARAM;
  cursor = frames;
  anchor(frames, system.now());
  return AUDIO_OK;
}

int AudioChannel::getPosition(uint32_t* ms) const {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  if (!ms) return AUDIO_ERR_INVALID_PARAM;
  *ms = static_cast<uint32_t>(heardFrames(system.now()) * 1000.0 / sound->sampleRate());
  return AUDIO_OK;
}

int AudioChannel::isPlaying(bool* playing) const {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  if (playing) *playing = heardFrames(system.now()) < length;
  return AUDIO_OK;
}

int AudioChannel::stop() {
  std::lock_guard<std::mutex> guard(system.mixLock);
  if (!sound) return AUDIO_ERR_INVALID_HANDLE;
  release();
  return AUDIO_OK;
}

int AudioChannel::getSpectrum(float* out, int count, int channelOffset) {
  if (!out || count < 1 || channelOffset < 0 || channelOffset > 1) return AUDIO_ERR_INVALID_PARAM;
  count = std::min(count, AudioSpectrum::MAX_VALUES);
  const int64_t size = 2 * int64_t(count);
  window.assign(size, 0.0f);
  {
    std::lock_guard<std::mutex> guard(system.mixLock);
    if (!sound) return AUDIO_ERR_INVALID_HANDLE;
    const int64_t end = static_cast<int64_t>(heardFrames(system.now()));
    const int16_t* samples = sound->samples();
    // Samples before the start of the sound count as silence.
    for (int64_t i = std::max<int64_t>(0, size - end); i < size; ++i)
      window[i] = samples[2 * (end - size + i) + channelOffset] / 32768.0f;
  }
  spectrum.compute(window.data(), count, out);
  return AUDIO_OK;
}

void AudioChannel::begin(AudioSound* played, bool pause, bool noDevice, uint64_t now) {
  sound = played;
  paused = pause;
  silent = noDevice;
  length = played->frameCount();
  cursor = 0.0;
  anchor(0.0, now);
}

void AudioChannel::mixInto(int32_t* mix, int frames, uint64_t now) {
  // A channel whose sound is all handed over keeps its last anchor: that buffer is still heard.
  if (!sound || paused || silent || cursor >= length) return;
  const int16_t* samples = sound->samples();
  const uint32_t last = sound->frameCount() - 1;
  const double step = double(sound->sampleRate()) / AudioSystem::DEVICE_RATE;
  const double handedFrom = cursor;
  for (int i = 0; i < frames && cursor < length; ++i, cursor += step) {
    uint32_t index = static_cast<uint32_t>(cursor);
    uint32_t next = std::min(index + 1, last);
    float fraction = static_cast<float>(cursor - index);
    for (int side = 0; side < 2; ++side) {
      float a = samples[2 * index + side], b = samples[2 * next + side];
      mix[2 * i + side] += static_cast<int32_t>(a + (b - a) * fraction);
    }
  }
  cursor = std::min(cursor, length);
  // The device starts playing this buffer once the one before it is out: until the next
  // callback the heard position runs from its first frame to its last.
  anchorFrames = handedFrom;
  anchorMicros = now;
  limitFrames = cursor;
}

void AudioChannel::settle(uint64_t now) {
  if (!sound || paused || heardFrames(now) < length) return;
  cursor = length;
  anchor(length, now);
}

double AudioChannel::heardFrames(uint64_t now) const {
  if (paused) return cursor;
  double elapsed = now > anchorMicros ? double(now - anchorMicros) : 0.0;
  return std::min(anchorFrames + elapsed * sound->sampleRate() / 1e6, limitFrames);
}

void AudioChannel::anchor(double frames, uint64_t now) {
  anchorFrames = frames;
  anchorMicros = now;
  // Without a device time alone moves the position; with one, only handed-over buffers do.
  limitFrames = silent ? length : frames;
}
