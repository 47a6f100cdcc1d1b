#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "demosys/audio/AudioDecodeAhead.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/core/KVRDemosys.h"
#include "support/AudioFixtures.h"
#include "support/TrackFixtures.h"

namespace {

bool sameSamples(const AudioSound& a, const AudioSound& b) {
  return a.frameCount() == b.frameCount() &&
         std::equal(a.samples(), a.samples() + 2 * a.frameCount(), b.samples());
}

}  // namespace

// A file and its bytes in memory decode alike, to the stream's own rate and length (give or
// take an MP3 frame of 1152 samples), at the tone's half scale.
TEST(AudioSoundTest, DecodesFileAndMemoryToTheStreamsRateAndLength) {
  for (auto [rate, ms] : {std::tuple{44100, 2000}, {32000, 1500}}) {
    const std::string file = AudioFixtures::mp3({ms / 1000.0, rate});
    AudioSound sound, fromMemory;
    ASSERT_EQ(AUDIO_OK, sound.loadFile(file));
    EXPECT_EQ(rate, sound.sampleRate());
    EXPECT_NEAR(ms, int(sound.lengthMs()), 1152 * 1000 / rate + 1) << file;
    const auto [quietest, loudest] =
        std::minmax_element(sound.samples(), sound.samples() + 2 * sound.frameCount());
    EXPECT_NEAR(16384, std::max(-*quietest, int(*loudest)), 1500) << file;
    std::vector<uint8_t> bytes = TrackFixtures::ReadFile(file);
    ASSERT_EQ(AUDIO_OK, fromMemory.loadMemory(bytes.data(), bytes.size()));
    EXPECT_TRUE(sameSamples(sound, fromMemory)) << file;
    EXPECT_EQ(AUDIO_OK, sound.release());
    EXPECT_FALSE(sound.isLoaded());
  }
}

// The load decodes the music ahead on a thread; the sound set-up must get exactly those samples
// for the same bytes, once, and decode any other bytes itself.
TEST(AudioSoundTest, MusicDecodedAheadIsTakenOnceForTheSameBytesOnly) {
  std::vector<uint8_t> tone = TrackFixtures::ReadFile(AudioFixtures::mp3({}));
  std::vector<uint8_t> other = TrackFixtures::ReadFile(AudioFixtures::mp3({1.5, 32000}));
  AudioSound direct, fromOther, taken, again;
  ASSERT_EQ(AUDIO_OK, direct.decodeMemory(tone.data(), tone.size()));
  KVRDemosys::musicDecode = new AudioDecodeAhead(tone);
  EXPECT_EQ(AUDIO_OK, fromOther.loadMemory(other.data(), other.size()));
  EXPECT_EQ(AUDIO_OK, taken.loadMemory(tone.data(), tone.size()));
  EXPECT_EQ(AUDIO_OK, again.loadMemory(tone.data(), tone.size()));
  delete KVRDemosys::musicDecode;
  KVRDemosys::musicDecode = nullptr;
  EXPECT_EQ(32000, fromOther.sampleRate());
  EXPECT_TRUE(sameSamples(direct, taken) && sameSamples(direct, again));
  EXPECT_EQ(44100, again.sampleRate());
}

// Each bad input empties the sound that was loaded and names its fault.
TEST(AudioSoundTest, BadInputEmptiesTheSoundAndATruncatedStreamDecodesWhatItHolds) {
  const std::string text = "not an mp3 at all, just words\n";
  std::vector<uint8_t> bytes = TrackFixtures::ReadFile(AudioFixtures::mp3({}));
  const std::function<int(AudioSound&)> loads[] = {
      [](AudioSound& sound) { return sound.loadMemory(nullptr, 10); },
      [&](AudioSound& sound) {
        return sound.loadMemory(reinterpret_cast<const uint8_t*>(text.data()), text.size());
      },
      [](AudioSound& sound) { return sound.loadFile("/nonexistent/no_such.mp3"); }};
  const int results[] = {AUDIO_ERR_INVALID_PARAM, AUDIO_ERR_FORMAT, AUDIO_ERR_FILE_NOT_FOUND};
  AudioSound sound;
  for (int bad = 0; bad < 3; ++bad) {
    ASSERT_EQ(AUDIO_OK, sound.loadMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(results[bad], loads[bad](sound));
    EXPECT_FALSE(sound.isLoaded() || sound.lengthMs() > 0) << bad;
  }
  bytes.resize(bytes.size() / 2 + 7);
  ASSERT_EQ(AUDIO_OK, sound.loadMemory(bytes.data(), bytes.size()));
  EXPECT_NEAR(1000, int(sound.lengthMs()), 500);
}
