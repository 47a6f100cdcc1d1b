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

// One MP3 frame at 44.1 kHz is 1152 samples, 26 ms.
constexpr int kMp3FrameMs = 27;

class AudioSoundTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    AudioFixtures::Tone tone;
    tone.seconds = 2.0;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone.mp3", tone));
    tone.seconds = 1.5;
    tone.sampleRate = 32000;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone32k.mp3", tone));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }
  static std::string dir;
};

std::string AudioSoundTest::dir;

}  // namespace

TEST_F(AudioSoundTest, DecodesAFileToItsLength) {
  AudioSound sound;
  ASSERT_EQ(AUDIO_OK, sound.loadFile(dir + "/tone.mp3"));
  EXPECT_TRUE(sound.isLoaded());
  EXPECT_EQ(44100, sound.sampleRate());
  EXPECT_NEAR(2000, int(sound.lengthMs()), kMp3FrameMs);
  EXPECT_EQ(sound.lengthMs(), uint32_t(uint64_t(sound.frameCount()) * 1000 / 44100));
  // The tone is at half scale: the loudest sample stays near 16384.
  int loudest = 0;
  for (uint32_t i = 0; i < 2 * sound.frameCount(); ++i)
    loudest = std::max(loudest, std::abs(int(sound.samples()[i])));
  EXPECT_NEAR(16384, loudest, 1500);
}

TEST_F(AudioSoundTest, DecodesMemoryLikeTheFile) {
  AudioSound fromFile, fromMemory;
  ASSERT_EQ(AUDIO_OK, fromFile.loadFile(dir + "/tone.mp3"));
  std::vector<uint8_t> bytes = TrackFixtures::ReadFile(dir + "/tone.mp3");
  ASSERT_EQ(AUDIO_OK, fromMemory.loadMemory(bytes.data(), bytes.size()));
  ASSERT_EQ(fromFile.frameCount(), fromMemory.frameCount());
  EXPECT_TRUE(
      std::equal(fromFile.samples(), fromFile.samples() + 2 * fromFile.frameCount(), fromMemory.samples()));
}

// The load decodes the music ahead on a thread; the sound set-up must get exactly those samples
// for the same bytes, once, and decode any other bytes itself.
TEST_F(AudioSoundTest, MusicDecodedAheadIsTakenOnceForTheSameBytesOnly) {
  std::vector<uint8_t> tone = TrackFixtures::ReadFile(dir + "/tone.mp3");
  std::vector<uint8_t> other = TrackFixtures::ReadFile(dir + "/tone32k.mp3");
  AudioSound direct;
  ASSERT_EQ(AUDIO_OK, direct.decodeMemory(tone.data(), tone.size()));
  KVRDemosys::musicDecode = new AudioDecodeAhead(tone);
  AudioSound fromOther, taken, again;
  EXPECT_EQ(AUDIO_OK, fromOther.loadMemory(other.data(), other.size()));
  EXPECT_EQ(32000, fromOther.sampleRate());
  EXPECT_EQ(AUDIO_OK, taken.loadMemory(tone.data(), tone.size()));
  EXPECT_EQ(AUDIO_OK, again.loadMemory(tone.data(), tone.size()));
  delete KVRDemosys::musicDecode;
  KVRDemosys::musicDecode = nullptr;
  for (const AudioSound* sound : {&taken, &again}) {
    ASSERT_EQ(direct.frameCount(), sound->frameCount());
    EXPECT_EQ(44100, sound->sampleRate());
    EXPECT_TRUE(std::equal(direct.samples(), direct.samples() + 2 * direct.frameCount(), sound->samples()));
  }
}

TEST_F(AudioSoundTest, KeepsTheStreamsOwnRate) {
  AudioSound sound;
  ASSERT_EQ(AUDIO_OK, sound.loadFile(dir + "/tone32k.mp3"));
  EXPECT_EQ(32000, sound.sampleRate());
  EXPECT_NEAR(1500, int(sound.lengthMs()), 40);
}

TEST_F(AudioSoundTest, TruncatedStreamDecodesWhatItHolds) {
  std::vector<uint8_t> bytes = TrackFixtures::ReadFile(dir + "/tone.mp3");
  bytes.resize(bytes.size() / 2 + 7);
  AudioSound sound;
  ASSERT_EQ(AUDIO_OK, sound.loadMemory(bytes.data(), bytes.size()));
  EXPECT_GT(sound.lengthMs(), 500u);
  EXPECT_LT(sound.lengthMs(), 1500u);
}

TEST_F(AudioSoundTest, BadInputLeavesTheSoundEmpty) {
  const std::string text = "not an mp3 at all, just words\n";
  std::vector<uint8_t> zeros(4096, 0);
  struct Case {
    const char* what;
    const uint8_t* data;
    size_t size;
    int result;
  };
  const std::vector<Case> cases = {
      {"null", nullptr, 10, AUDIO_ERR_INVALID_PARAM},
      {"empty", zeros.data(), 0, AUDIO_ERR_INVALID_PARAM},
      {"text", reinterpret_cast<const uint8_t*>(text.data()), text.size(), AUDIO_ERR_FORMAT},
      {"zeros", zeros.data(), zeros.size(), AUDIO_ERR_FORMAT},
  };
  for (const Case& c : cases) {
    AudioSound sound;
    EXPECT_EQ(c.result, sound.loadMemory(c.data, c.size)) << c.what;
    EXPECT_FALSE(sound.isLoaded()) << c.what;
    EXPECT_EQ(0u, sound.lengthMs()) << c.what;
  }
  AudioSound missing;
  EXPECT_EQ(AUDIO_ERR_FILE_NOT_FOUND, missing.loadFile(dir + "/no_such.mp3"));
  EXPECT_FALSE(missing.isLoaded());
}

TEST_F(AudioSoundTest, ReleaseOfAFreeStandingSoundDropsItsSamples) {
  AudioSound sound;
  ASSERT_EQ(AUDIO_OK, sound.loadFile(dir + "/tone.mp3"));
  EXPECT_EQ(AUDIO_OK, sound.release());
  EXPECT_FALSE(sound.isLoaded());
}
