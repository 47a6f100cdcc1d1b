#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "demosys/audio/AudioChannel.h"
#include "demosys/audio/AudioResult.h"
#include "demosys/audio/AudioSound.h"
#include "demosys/audio/AudioSystem.h"
#include "support/AudioFixtures.h"
#include "support/CapturedStdout.h"

namespace {

// Sets SDL's audio driver for one test and restores what was there.
struct AudioDriverOverride {
  explicit AudioDriverOverride(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }
  ~AudioDriverOverride() { had ? setenv("SDL_AUDIODRIVER", old.c_str(), 1) : unsetenv("SDL_AUDIODRIVER"); }
  const char* had = std::getenv("SDL_AUDIODRIVER");
  std::string old = had ? had : "";
};

}  // namespace

TEST(AudioSystemTest, OperationsNeedAnInitialisedSystemAndGoodInput) {
  AudioSystem system;
  AudioSound* sound = reinterpret_cast<AudioSound*>(1);
  AudioChannel* channel = nullptr;
  EXPECT_EQ(AUDIO_ERR_NOT_INITIALIZED, system.createSound("tone.mp3", &sound));
  EXPECT_EQ(nullptr, sound);
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, system.init(0, AudioSystem::Output::Silent));
  EXPECT_EQ(AUDIO_OK, system.init(2, AudioSystem::Output::Silent));
  EXPECT_EQ(AUDIO_ERR_ALREADY_INITIALIZED, system.init(2, AudioSystem::Output::Silent));

  const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  AudioSound *fromFile = reinterpret_cast<AudioSound*>(1), *fromMemory = fromFile;
  EXPECT_EQ(AUDIO_ERR_FILE_NOT_FOUND, system.createSound("/nonexistent/missing.mp3", &fromFile));
  EXPECT_EQ(AUDIO_ERR_FORMAT, system.createSoundFromMemory(junk, sizeof junk, &fromMemory));
  EXPECT_TRUE(fromFile == nullptr && fromMemory == nullptr);
  AudioSound foreign;
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, system.playSound(&foreign, true, &channel));
}

// Without a device the sound plays silently on the clock, saying so once unless silence was
// asked for. SDL's dummy driver consumes buffers on its own thread like a real device.
TEST(AudioSystemTest, PlaysThroughADeviceOrSilentlyWithOneLine) {
  using Output = AudioSystem::Output;
  const struct {
    const char* driver;
    Output asked, active;
    const char* printed;
  } cases[] = {
      {"kvr_no_such_driver", Output::Silent, Output::Silent, ""},
      {"kvr_no_such_driver", Output::Automatic, Output::Silent, "Sound: no audio device, playing silently\n"},
      {"dummy", Output::Automatic, Output::Automatic, ""}};
  for (const auto& c : cases) {
    AudioDriverOverride driver(c.driver);
    uint64_t micros = 0;
    AudioSystem system;
    if (c.active == Output::Silent) system.setClock([&] { return micros; });
    EXPECT_EQ(c.printed, stdoutOf([&] { EXPECT_EQ(AUDIO_OK, system.init(4, c.asked)); }));
    EXPECT_EQ(c.active, system.activeOutput());
    EXPECT_GT(system.bufferFrames(), 0);
    AudioSound* sound = nullptr;
    AudioChannel* channel = nullptr;
    ASSERT_EQ(AUDIO_OK, system.createSound(AudioFixtures::mp3({}), &sound));
    ASSERT_EQ(AUDIO_OK, system.playSound(sound, false, &channel));
    for (uint32_t i = 0, previous = 0, ms = 0; i < 200; ++i, system.update(), micros += 1000, previous = ms) {
      ASSERT_EQ(AUDIO_OK, channel->getPosition(&ms));
      if (c.active == Output::Silent) {
        ASSERT_NEAR(i, ms, 1);  // on the test's clock, to the millisecond
      }
      ASSERT_GE(ms, previous) << c.driver;
      ASSERT_LE(ms, sound->lengthMs()) << c.driver;
    }
    float spectrum[256];
    EXPECT_EQ(AUDIO_OK, channel->getSpectrum(spectrum, 256, 1));
    EXPECT_EQ(AUDIO_OK, system.release());
  }
}
