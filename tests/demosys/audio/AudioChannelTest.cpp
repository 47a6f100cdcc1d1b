#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "demosys/audio/AudioChannel.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/audio/AudioSystem.h"
#include "support/AudioFixtures.h"

namespace {

class AudioChannelTest : public testing::Test {
 protected:
  // A system of two channels on the test's clock, playing the tone on the first.
  bool start(AudioSystem::Output output, bool paused, const AudioFixtures::Tone& tone = {}) {
    system.setClock([this] { return micros; });
    EXPECT_EQ(AUDIO_OK, system.init(2, output));
    EXPECT_EQ(AUDIO_OK, system.createSound(AudioFixtures::mp3(tone), &sound));
    return sound && system.playSound(sound, paused, &channel) == AUDIO_OK;
  }
  uint32_t after(uint64_t ms) {
    micros += ms * 1000;
    uint32_t heard = 0xDEADBEEF;
    EXPECT_EQ(AUDIO_OK, channel->getPosition(&heard));
    return heard;
  }
  bool playing() {
    bool result = false;
    EXPECT_EQ(AUDIO_OK, channel->isPlaying(&result));
    return result;
  }

  uint64_t micros = 1000000;
  AudioSystem system;
  AudioSound* sound = nullptr;
  AudioChannel* channel = nullptr;
};

}  // namespace

TEST_F(AudioChannelTest, SilentPositionFollowsUnpausedTimeAndStopsAtTheEnd) {
  ASSERT_TRUE(start(AudioSystem::Output::Silent, true));
  EXPECT_EQ(0u, after(500));
  EXPECT_TRUE(playing());
  ASSERT_EQ(AUDIO_OK, channel->setPaused(false));
  EXPECT_EQ(300u, after(300));
  bool paused = false;
  EXPECT_TRUE(channel->setPaused(true) == AUDIO_OK && channel->getPaused(&paused) == AUDIO_OK && paused);
  EXPECT_EQ(300u, after(1000));
  ASSERT_EQ(AUDIO_OK, channel->setPosition(1500));
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, channel->setPosition(sound->lengthMs() + 100));  // past the end
  EXPECT_EQ(1500u, after(0));
  channel->setPaused(false);
  EXPECT_EQ(1750u, after(250));
  micros += (sound->lengthMs() + 5000) * 1000;
  system.update();
  EXPECT_EQ(sound->lengthMs(), after(0));
  EXPECT_FALSE(playing());
  // An ended channel is still a handle: it can be sought back.
  EXPECT_EQ(AUDIO_OK, channel->setPosition(100));
  EXPECT_TRUE(playing());
}

// Spectrum requests are checked; before the start the window is silence; at most 8192 bins are
// written. (Which bins each channel's tone fills is checked through the music clock.) Channels run
// out; a stopped one is an invalid handle until it is reused.
TEST_F(AudioChannelTest, SpectrumRequestsAreCheckedAndStoppedChannelsAreInvalidHandles) {
  ASSERT_TRUE(start(AudioSystem::Output::Silent, true));
  std::vector<float> out(9000, -1.0f);
  EXPECT_EQ(
      std::vector<int>(4, AUDIO_ERR_INVALID_PARAM),
      (std::vector<int>{channel->getSpectrum(out.data(), 64, 2), channel->getSpectrum(out.data(), 64, -1),
                        channel->getSpectrum(out.data(), 0, 0), channel->getSpectrum(nullptr, 64, 0)}));
  EXPECT_EQ(-1.0f, out[0]);
  ASSERT_EQ(AUDIO_OK, channel->getSpectrum(out.data(), 9000, 1));
  EXPECT_EQ(std::vector<float>(8192, 0.0f), std::vector<float>(out.begin(), out.begin() + 8192));
  EXPECT_EQ(-1.0f, out[8192]);
  AudioChannel *second = nullptr, *none = reinterpret_cast<AudioChannel*>(1);
  EXPECT_EQ(AUDIO_OK, system.playSound(sound, false, &second));
  ASSERT_NE(channel, second);
  EXPECT_EQ(AUDIO_ERR_NO_FREE_CHANNEL, system.playSound(sound, true, &none));
  EXPECT_EQ(nullptr, none);
  EXPECT_EQ(AUDIO_OK, channel->stop());
  uint32_t ms;
  bool flag;
  EXPECT_EQ(std::vector<int>(7, AUDIO_ERR_INVALID_HANDLE),
            (std::vector<int>{channel->stop(), channel->isPlaying(&flag), channel->getPosition(&ms),
                              channel->setPosition(0), channel->setPaused(true), channel->getPaused(&flag),
                              channel->getSpectrum(out.data(), 32, 0)}));
  EXPECT_EQ(AUDIO_OK, system.playSound(sound, true, &none)) << "a stopped channel is free again";
  // Releasing a sound stops the channels that play it.
  EXPECT_EQ(AUDIO_OK, sound->release());
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, second->isPlaying(&flag));
}

TEST_F(AudioChannelTest, DeviceMixesTheSoundAndReportsTheHeardPosition) {
  ASSERT_TRUE(start(AudioSystem::Output::Manual, false));
  EXPECT_EQ(0u, after(100)) << "nothing handed to the device yet";
  std::vector<int16_t> out(2 * 1024);
  system.render(out.data(), 1024);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), sound->samples()));
  EXPECT_EQ(0u, after(0));
  EXPECT_EQ(10u, after(10));
  EXPECT_EQ(1024u * 1000 / 44100, after(100)) << "never past what was handed over";
  channel->setPaused(true);
  system.render(out.data(), 1024);
  EXPECT_EQ(std::vector<int16_t>(2 * 1024, 0), out);
  EXPECT_EQ(1024u * 1000 / 44100, after(0));
  // Mixing resumes from the held position.
  channel->setPaused(false);
  system.render(out.data(), 1024);
  EXPECT_TRUE(std::equal(out.begin(), out.end(), sound->samples() + 2 * 1024));
}

// Two minutes of a simulated device: a first callback after some latency, a second at once to
// fill its queue, then one per buffer with jitter. The position must stay within 50 ms of a
// wall clock started at play, and never go back.
TEST_F(AudioChannelTest, HeardPositionStaysWithWallClockOverTwoMinutes) {
  ASSERT_TRUE(start(AudioSystem::Output::Manual, false, {120.0, 8000}));  // resampled to the device rate
  const uint64_t playedAt = micros, frames = AudioSystem::DEVICE_BUFFER_FRAMES;
  const double period = frames * 1e6 / AudioSystem::DEVICE_RATE;
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> jitter(-4000.0, 4000.0);
  std::vector<uint64_t> callbacks = {playedAt + 5000, playedAt + 5100};
  for (int k = 1; k * period < 125e6; ++k)
    callbacks.push_back(playedAt + 5000 + static_cast<uint64_t>(k * period + jitter(random)));
  std::vector<int16_t> out(2 * frames);
  size_t next = 0;
  for (uint32_t previous = 0; micros < playedAt + 119000000; micros += 1000) {
    for (; next < callbacks.size() && callbacks[next] <= micros; ++next) system.render(out.data(), frames);
    const uint32_t heard = after(0), wall = (micros - playedAt) / 1000;
    ASSERT_GE(heard, previous) << "went back at " << wall << " ms";
    ASSERT_NEAR(wall, heard, 50) << "at " << wall << " ms";
    previous = heard;
  }
  for (int i = 0; i < 200; ++i, micros += 30000) system.render(out.data(), frames);
  EXPECT_FALSE(playing());
  EXPECT_EQ(sound->lengthMs(), after(0));
}
