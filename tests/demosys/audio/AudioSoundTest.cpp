#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
    AudioFixtures::Tone tone;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone.mp3", tone));
    tone.seconds = 1.5;
    tone.sampleRate = 32000;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone32k.mp3", tone));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }
  static bool sameSamples(const AudioSound& a, const AudioSound& b) {
    return a.frameCount() == b.frameCount() &&
           std::equal(a.samples(), a.samples() + 2 * a.frameCount(), b.samples());
  }
  static std::string dir;
};

std::string AudioSoundTest::dir;

}  // namespace

// A file and its bytes in memory decode alike, to the stream's own rate and length (give or
// take an MP3 frame of 1152 samples), at the tone's half scale.
TEST_F(AudioSoundTest, DecodesFileAndMemoryToTheStreamsRateAndLength) {
  struct Case {
    const char* file;
    int rate;
    int ms;
  } cases[] = {{"tone.mp3", 44100, 2000}, {"tone32k.mp3", 32000, 1500}};
  for (const Case& c : cases) {
    AudioSound sound, fromMemory;
    ASSERT_EQ(AUDIO_OK, sound.loadFile(dir + "/" + c.file));
    EXPECT_EQ(c.rate, sound.sampleRate());
    EXPECT_NEAR(c.ms, int(sound.lengthMs()), 1152 * 1000 / c.rate + 1) << c.file;
    EXPECT_EQ(sound.lengthMs(), uint32_t(uint64_t(sound.frameCount()) * 1000 / c.rate));
    int loudest = 0;
    for (uint32_t i = 0; i < 2 * sound.frameCount(); ++i)
      loudest = std::max(loudest, std::abs(int(sound.samples()[i])));
    EXPECT_NEAR(16384, loudest, 1500) << c.file;
    std::vector<uint8_t> bytes = TrackFixtures::ReadFile(dir + "/" + c.file);
    ASSERT_EQ(AUDIO_OK, fromMemory.loadMemory(bytes.data(), bytes.size()));
    EXPECT_TRUE(sameSamples(sound, fromMemory)) << c.file;
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
  std::vector<uint8_t> zeros(4096, 0), half = TrackFixtures::ReadFile(dir + "/tone.mp3");
  half.resize(half.size() / 2 + 7);
  struct Case {
    const char* what;
    const uint8_t* data;
    size_t size;
    int result;
    uint32_t minMs, maxMs;
  } cases[] = {
      {"null", nullptr, 10, AUDIO_ERR_INVALID_PARAM, 0, 0},
      {"empty", zeros.data(), 0, AUDIO_ERR_INVALID_PARAM, 0, 0},
      {"text", reinterpret_cast<const uint8_t*>(text.data()), text.size(), AUDIO_ERR_FORMAT, 0, 0},
      {"zeros", zeros.data(), zeros.size(), AUDIO_ERR_FORMAT, 0, 0},
      {"half", half.data(), half.size(), AUDIO_OK, 500, 1500},
  };
  for (const Case& c : cases) {
    AudioSound sound;
    EXPECT_EQ(c.result, sound.loadMemory(c.data, c.size)) << c.what;
    EXPECT_EQ(c.result == AUDIO_OK, sound.isLoaded()) << c.what;
    EXPECT_GE(sound.lengthMs(), c.minMs) << c.what;
    EXPECT_LE(sound.lengthMs(), c.maxMs) << c.what;
  }
  AudioSound missing;
  EXPECT_EQ(AUDIO_ERR_FILE_NOT_FOUND, missing.loadFile(dir + "/no_such.mp3"));
  EXPECT_FALSE(missing.isLoaded());
}
