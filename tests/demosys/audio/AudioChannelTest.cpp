#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "demosys/audio/AudioChannel.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/audio/AudioSystem.h"
#include "support/AudioFixtures.h"

namespace {

// Bins 40 and 100 of a 2048-sample transform at 44.1 kHz.
constexpr double kLeftHz = 40 * 44100.0 / 2048;
constexpr double kRightHz = 100 * 44100.0 / 2048;

class AudioChannelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    AudioFixtures::Tone tone;
    tone.leftHz = kLeftHz;
    tone.rightHz = kRightHz;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone.mp3", tone));
    // Two minutes at a low rate: the drift test's piece, resampled to the device rate.
    AudioFixtures::Tone piece;
    piece.seconds = 120.0;
    piece.sampleRate = 8000;
    piece.leftHz = piece.rightHz = 440.0;
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/piece.mp3", piece));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }

  // A system on the test's clock; `output` Silent or Manual.
  void start(AudioSystem::Output output, const std::string& file = "tone.mp3", int channels = 4) {
    system.setClock([this] { return micros; });
    ASSERT_EQ(AUDIO_OK, system.init(channels, output));
    ASSERT_EQ(AUDIO_OK, system.createSound(dir + "/" + file, &sound));
  }
  uint32_t position(AudioChannel* channel) {
    uint32_t ms = 0xDEADBEEF;
    EXPECT_EQ(AUDIO_OK, channel->getPosition(&ms));
    return ms;
  }
  bool playing(AudioChannel* channel) {
    bool result = false;
    EXPECT_EQ(AUDIO_OK, channel->isPlaying(&result));
    return result;
  }
  void advanceMs(uint64_t ms) { micros += ms * 1000; }

  static std::string dir;
  uint64_t micros = 1000000;
  AudioSystem system;
  AudioSound* sound = nullptr;
};

std::string AudioChannelTest::dir;

}  // namespace

TEST_F(AudioChannelTest, SilentPositionFollowsUnpausedTime) {
  start(AudioSystem::Output::Silent);
  AudioChannel* channel = nullptr;
  ASSERT_EQ(AUDIO_OK, system.playSound(sound, true, &channel));
  advanceMs(500);
  EXPECT_EQ(0u, position(channel));
  EXPECT_TRUE(playing(channel));

  ASSERT_EQ(AUDIO_OK, channel->setPaused(false));
  advanceMs(300);
  EXPECT_EQ(300u, position(channel));
  channel->setPaused(true);
  bool paused = false;
  EXPECT_EQ(AUDIO_OK, channel->getPaused(&paused));
  EXPECT_TRUE(paused);
  advanceMs(1000);
  EXPECT_EQ(300u, position(channel));

  ASSERT_EQ(AUDIO_OK, channel->setPosition(1500));
  EXPECT_EQ(1500u, position(channel));
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, channel->setPosition(sound->lengthMs() + 100));  // past the end
  EXPECT_EQ(1500u, position(channel));
  channel->setPaused(false);
  advanceMs(250);
  EXPECT_EQ(1750u, position(channel));
  EXPECT_TRUE(playing(channel));
}

TEST_F(AudioChannelTest, SilentChannelStopsAtTheEnd) {
  start(AudioSystem::Output::Silent);
  AudioChannel* channel = nullptr;
  ASSERT_EQ(AUDIO_OK, system.playSound(sound, false, &channel));
  advanceMs(sound->lengthMs() + 5000);
  EXPECT_EQ(AUDIO_OK, system.update());
  EXPECT_EQ(sound->lengthMs(), position(channel));
  EXPECT_FALSE(playing(channel));
  // An ended channel is still a handle: it can be sought back and stopped.
  EXPECT_EQ(AUDIO_OK, channel->setPosition(100));
  EXPECT_TRUE(playing(channel));
  EXPECT_EQ(AUDIO_OK, channel->stop());
}

TEST_F(AudioChannelTest, StoppedOrReleasedChannelIsAnInvalidHandle) {
  start(AudioSystem::Output::Silent);
  AudioChannel* first = nullptr;
  AudioChannel* second = nullptr;
  system.playSound(sound, false, &first);
  system.playSound(sound, false, &second);
  ASSERT_NE(first, second);
  EXPECT_EQ(AUDIO_OK, first->stop());
  uint32_t ms;
  bool flag;
  float values[64];
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->stop());
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->isPlaying(&flag));
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->getPosition(&ms));
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->setPosition(0));
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->setPaused(true));
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->getPaused(&flag));
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, first->getSpectrum(values, 32, 0));
  // Releasing a sound stops the channels that play it.
  EXPECT_EQ(AUDIO_OK, sound->release());
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, second->isPlaying(&flag));
}

TEST_F(AudioChannelTest, RunsOutOfChannels) {
  start(AudioSystem::Output::Silent, "tone.mp3", 1);
  AudioChannel* channel = nullptr;
  EXPECT_EQ(AUDIO_OK, system.playSound(sound, true, &channel));
  AudioChannel* none = reinterpret_cast<AudioChannel*>(1);
  EXPECT_EQ(AUDIO_ERR_NO_FREE_CHANNEL, system.playSound(sound, true, &none));
  EXPECT_EQ(nullptr, none);
  channel->stop();
  EXPECT_EQ(AUDIO_OK, system.playSound(sound, true, &channel));
}

TEST_F(AudioChannelTest, DeviceMixesTheSoundAndReportsTheHeardPosition) {
  start(AudioSystem::Output::Manual);
  AudioChannel* channel = nullptr;
  system.playSound(sound, false, &channel);
  advanceMs(100);
  EXPECT_EQ(0u, position(channel)) << "nothing handed to the device yet";

  std::vector<int16_t> out(2 * 1024);
  system.render(out.data(), 1024);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), sound->samples()));
  EXPECT_EQ(0u, position(channel));
  advanceMs(10);
  EXPECT_EQ(10u, position(channel));
  advanceMs(100);
  EXPECT_EQ(1024u * 1000 / 44100, position(channel)) << "never past what was handed over";

  channel->setPaused(true);
  system.render(out.data(), 1024);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 0; }));
  EXPECT_EQ(1024u * 1000 / 44100, position(channel));
  // Mixing resumes from the held position.
  channel->setPaused(false);
  system.render(out.data(), 1024);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), sound->samples() + 2 * 1024));
}

TEST_F(AudioChannelTest, SpectrumPeaksInTheTonesBin) {
  start(AudioSystem::Output::Silent);
  AudioChannel* channel = nullptr;
  system.playSound(sound, true, &channel);
  std::vector<float> out(1024);
  ASSERT_EQ(AUDIO_OK, channel->getSpectrum(out.data(), 1024, 0));
  EXPECT_EQ(0.0f, *std::max_element(out.begin(), out.end())) << "nothing before the start";

  channel->setPosition(1000);
  struct Case {
    int offset, bin;
  };
  for (Case c : {Case{0, 40}, Case{1, 100}}) {
    ASSERT_EQ(AUDIO_OK, channel->getSpectrum(out.data(), 1024, c.offset));
    int peak = static_cast<int>(std::max_element(out.begin(), out.end()) - out.begin());
    EXPECT_EQ(c.bin, peak) << "channel " << c.offset;
    EXPECT_NEAR(0.5, out[peak], 0.05) << "channel " << c.offset;
  }
  // Requests are checked, and clamped to 8192 bins.
  out.assign(9000, -1.0f);
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, channel->getSpectrum(out.data(), 64, 2));
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, channel->getSpectrum(out.data(), 0, 0));
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, channel->getSpectrum(nullptr, 64, 0));
  EXPECT_EQ(-1.0f, out[0]);
  EXPECT_EQ(AUDIO_OK, channel->getSpectrum(out.data(), 9000, 0));
  EXPECT_NE(-1.0f, out[8191]);
  EXPECT_EQ(-1.0f, out[8192]);
}

// Two minutes of a simulated device: a first callback after some latency, a second at once to
// fill its queue, then one per buffer with jitter. The position must stay within 50 ms of a
// wall clock started at play, and never go back.
TEST_F(AudioChannelTest, HeardPositionStaysWithWallClockOverTwoMinutes) {
  start(AudioSystem::Output::Manual, "piece.mp3");
  AudioChannel* channel = nullptr;
  system.playSound(sound, false, &channel);
  const uint64_t playedAt = micros;
  const int frames = AudioSystem::DEVICE_BUFFER_FRAMES;
  const double periodMicros = frames * 1e6 / AudioSystem::DEVICE_RATE;
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> jitter(-4000.0, 4000.0);
  std::vector<int16_t> out(2 * frames);

  std::vector<uint64_t> callbacks = {playedAt + 5000, playedAt + 5100};
  for (int k = 1; playedAt + 5000 + k * periodMicros < playedAt + 125e6; ++k)
    callbacks.push_back(playedAt + 5000 + static_cast<uint64_t>(k * periodMicros + jitter(random)));

  size_t next = 0;
  int64_t worstDrift = 0;
  uint32_t previous = 0;
  for (micros = playedAt; micros < playedAt + uint64_t(sound->lengthMs()) * 1000; micros += 1000) {
    for (; next < callbacks.size() && callbacks[next] <= micros; ++next) system.render(out.data(), frames);
    uint32_t heard = position(channel);
    ASSERT_GE(heard, previous) << "went back at " << (micros - playedAt) / 1000 << " ms";
    previous = heard;
    int64_t wall = int64_t(micros - playedAt) / 1000;
    worstDrift = std::max<int64_t>(worstDrift, std::abs(wall - int64_t(heard)));
  }
  EXPECT_LT(worstDrift, 50);
  EXPECT_GT(sound->lengthMs(), 119000u);

  for (int i = 0; i < 200; ++i, micros += 30000) system.render(out.data(), frames);
  EXPECT_FALSE(playing(channel));
  EXPECT_EQ(sound->lengthMs(), position(channel));
}
