#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "demosys/audio/AudioDecodeAhead.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/core/KVRDemosys.h"
#include "support/AudioFixtures.h"
#include "support/TrackFixtures.h"

namespace {

class AudioSoundTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone.mp3", {}));
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone32k.mp3", {1.5, 32000}));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }
  static bool sameSamples(const AudioSound& a, const AudioSound& b) {
    return a.frameCount() == b.frameCount() &&
           std::equal(a.samples(), a.samples() + 2 * a.frameCount(), b.samples());
  }
  inline static std::string dir;
};

}  // namespace

// A file and its bytes in memory decode alike, to the stream's own rate and length (give or
// take an MP3 frame of 1152 samples), at the tone's half scale.
TEST_F(AudioSoundTest, DecodesFileAndMemoryToTheStreamsRateAndLength) {
  for (auto [file, rate, ms] : {std::tuple{"tone.mp3", 44100, 2000}, {"tone32k.mp3", 32000, 1500}}) {
    AudioSound sound, fromMemory;
    ASSERT_EQ(AUDIO_OK, sound.loadFile(dir + "/" + file));
    EXPECT_EQ(rate, sound.sampleRate());
    EXPECT_NEAR(ms, int(sound.lengthMs()), 1152 * 1000 / rate + 1) << file;
    const auto [quietest, loudest] =
        std::minmax_element(sound.samples(), sound.samples() + 2 * sound.frameCount());
    EXPECT_NEAR(16384, std::max(-*quietest, int(*loudest)), 1500) << file;
    std::vector<uint8_t> bytes = TrackFixtures::ReadFile(dir + "/" + file);
    ASSERT_EQ(AUDIO_OK, fromMemory.loadMemory(bytes.data(), bytes.size()));
    EXPECT_TRUE(sameSamples(sound, fromMemory)) << file;
    EXPECT_EQ(AUDIO_OK, sound.release());
    EXPECT_FALSE(sound.isLoaded());
  }
}

// The load decodes the music ahead on a thread; the sound set-up must get exactly those samples
// for the same bytes, once, and decode any other bytes itself.
TEST_F(AudioSoundTest, MusicDecodedAheadIsTakenOnceForTheSameBytesOnly) {
  std::vector<uint8_t> tone = TrackFixtures::ReadFile(dir + "/tone.mp3");
  std::vector<uint8_t> other = TrackFixtures::ReadFile(dir + "/tone32k.mp3");
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

TEST_F(AudioSoundTest, BadInputLeavesTheSoundEmptyAndATruncatedStreamDecodesWhatItHolds) {
  const std::string text = "not an mp3 at all, just words\n";
  const std::vector<uint8_t> zeros(4096, 0);
  for (auto [what, data, size, result] :
       {std::tuple{"null", static_cast<const uint8_t*>(nullptr), size_t(10), AUDIO_ERR_INVALID_PARAM},
        {"empty", zeros.data(), size_t(0), AUDIO_ERR_INVALID_PARAM},
        {"text", reinterpret_cast<const uint8_t*>(text.data()), text.size(), AUDIO_ERR_FORMAT},
        {"zeros", zeros.data(), zeros.size(), AUDIO_ERR_FORMAT}}) {
    AudioSound sound;
    EXPECT_EQ(result, sound.loadMemory(data, size)) << what;
    EXPECT_FALSE(sound.isLoaded() || sound.lengthMs() > 0) << what;
  }
  AudioSound missing, half;
  EXPECT_EQ(AUDIO_ERR_FILE_NOT_FOUND, missing.loadFile(dir + "/no_such.mp3"));
  EXPECT_FALSE(missing.isLoaded());
  std::vector<uint8_t> bytes = TrackFixtures::ReadFile(dir + "/tone.mp3");
  bytes.resize(bytes.size() / 2 + 7);
  ASSERT_EQ(AUDIO_OK, half.loadMemory(bytes.data(), bytes.size()));
  EXPECT_NEAR(1000, int(half.lengthMs()), 500);
}
