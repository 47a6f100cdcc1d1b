#include "demosys/audio/AudioSound.h"

#include <mpg123.h>

#include <fstream>
#include <iterator>
#include <utility>

#include "demosys/audio/AudioDecodeAhead.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSystem.h"
#include "demosys/core/KVRDemosys.h"

namespace {

// Asks the decoder for 16-bit stereo at whatever rate the stream has; mono streams are doubled.
// Gapless decoding drops the encoder's delay and padding, so the length is the music's own.
bool requestStereo16(mpg123_handle* decoder) {
  if (mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_GAPLESS, 0) !=
      MPG123_OK)
    return false;
  if (mpg123_format_none(decoder) != MPG123_OK) return false;
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    if (mpg123_format(decoder, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) return false;
  return true;
}

}  // namespace

int AudioSound::loadFile(const std::string& path) {
  clear();
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return AUDIO_ERR_FILE_NOT_FOUND;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) return AUDIO_ERR_FILE_NOT_FOUND;
  return loadMemory(bytes.data(), bytes.size());
}

int AudioSound::loadMemory(const uint8_t* data, size_t size) {
  clear();
  int result = AUDIO_OK;
  if (data && KVRDemosys::musicDecode && KVRDemosys::musicDecode->take(data, size, *this, result))
    return result;
  return decodeMemory(data, size);
}

int AudioSound::decodeMemory(const uint8_t* data, size_t size) {
  clear();
  if (!data || size == 0) return AUDIO_ERR_INVALID_PARAM;
  int result = decode(data, size);
  if (result != AUDIO_OK) clear();
  return result;
}

int AudioSound::decode(const uint8_t* data, size_t size) {
  mpg123_init();
  int status = MPG123_OK;
  mpg123_handle* decoder = mpg123_new(nullptr, &status);
  if (!decoder) return AUDIO_ERR_DECODER;
  int result = AUDIO_ERR_DECODER;
  if (requestStereo16(decoder) && mpg123_open_feed(decoder) == MPG123_OK &&
      mpg123_feed(decoder, data, size) == MPG123_OK) {
    unsigned char chunk[16384];
    size_t produced = 0;
    do {
      status = mpg123_read(decoder, chunk, sizeof chunk, &produced);
      if (status == MPG123_NEW_FORMAT) {
        long streamRate = 0;
        int channels = 0, encoding = 0;
        mpg123_getformat(decoder, &streamRate, &channels, &encoding);
        rate = static_cast<int32_t>(streamRate);
      }
      const int16_t* decoded = reinterpret_cast<const int16_t*>(chunk);
      pcm.insert(pcm.end(), decoded, decoded + produced / sizeof(int16_t));
    } while (status == MPG123_OK || status == MPG123_NEW_FORMAT);
    // The whole stream was fed at once, so "needs more" means the stream is over.
    bool finished = status == MPG123_NEED_MORE || status == MPG123_DONE;
    frames = static_cast<uint32_t>(pcm.size() / 2);
    result = !finished ? AUDIO_ERR_DECODER : (frames == 0 || rate <= 0) ? AUDIO_ERR_FORMAT : AUDIO_OK;
  }
  mpg123_delete(decoder);
  return result;
}

int AudioSound::release() {
  if (owner) return owner->destroySound(this);
  clear();
  return AUDIO_OK;
}

void AudioSound::takeSamples(AudioSound& other) {
  pcm = std::move(other.pcm);
  frames = other.frames;
  rate = other.rate;
  other.clear();
}

uint32_t AudioSound::lengthMs() const {
  if (rate <= 0) return 0;
  return static_cast<uint32_t>(uint64_t(frames) * 1000 / uint64_t(rate));
}

void AudioSound::clear() {
  pcm.clear();
  pcm.shrink_to_fit();
  frames = 0;
  rate = 0;
}
