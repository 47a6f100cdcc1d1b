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
class AudioDriverOverride {
 public:
  explicit AudioDriverOverride(const char* driver) {
    const char* old = std::getenv("SDL_AUDIODRIVER");
    hadOld = old != nullptr;
    if (old) oldValue = old;
    setenv("SDL_AUDIODRIVER", driver, 1);
  }
  ~AudioDriverOverride() {
    if (hadOld)
      setenv("SDL_AUDIODRIVER", oldValue.c_str(), 1);
    else
      unsetenv("SDL_AUDIODRIVER");
  }

 private:
  bool hadOld = false;
  std::string oldValue;
};

class AudioSystemTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/tone.mp3", AudioFixtures::Tone()));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }
  static std::string dir;
};

std::string AudioSystemTest::dir;

}  // namespace

TEST_F(AudioSystemTest, CreateReportsAVersion) {
  AudioSystem* system = nullptr;
  ASSERT_EQ(AUDIO_OK, AudioSystem::create(&system));
  ASSERT_NE(nullptr, system);
  EXPECT_EQ(AudioSystem::VERSION, system->getVersion());
  EXPECT_NE(0u, system->getVersion());
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, AudioSystem::create(nullptr));
  delete system;
}

TEST_F(AudioSystemTest, OperationsNeedAnInitialisedSystem) {
  AudioSystem system;
  AudioSound* sound = reinterpret_cast<AudioSound*>(1);
  AudioChannel* channel = reinterpret_cast<AudioChannel*>(1);
  EXPECT_EQ(AUDIO_ERR_NOT_INITIALIZED, system.update());
  EXPECT_EQ(AUDIO_ERR_NOT_INITIALIZED, system.release());
  EXPECT_EQ(AUDIO_ERR_NOT_INITIALIZED, system.createSound(dir + "/tone.mp3", &sound));
  EXPECT_EQ(nullptr, sound);
  EXPECT_EQ(AUDIO_ERR_NOT_INITIALIZED, system.playSound(nullptr, true, &channel));
  EXPECT_EQ(nullptr, channel);
  EXPECT_EQ(AUDIO_ERR_INVALID_PARAM, system.init(0, AudioSystem::Output::Silent));
  EXPECT_EQ(AUDIO_OK, system.init(2, AudioSystem::Output::Silent));
  EXPECT_EQ(AUDIO_ERR_ALREADY_INITIALIZED, system.init(2, AudioSystem::Output::Silent));
  EXPECT_EQ(AUDIO_OK, system.release());
  EXPECT_EQ(AUDIO_OK, system.init(2, AudioSystem::Output::Silent));
}

TEST_F(AudioSystemTest, FailedCreateLeavesTheSoundNull) {
  AudioSystem system;
  system.init(2, AudioSystem::Output::Silent);
  AudioSound* sound = reinterpret_cast<AudioSound*>(1);
  EXPECT_EQ(AUDIO_ERR_FILE_NOT_FOUND, system.createSound(dir + "/missing.mp3", &sound));
  EXPECT_EQ(nullptr, sound);
  const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(AUDIO_ERR_FORMAT, system.createSoundFromMemory(junk, sizeof junk, &sound));
  EXPECT_EQ(nullptr, sound);
  AudioSound foreign;
  AudioChannel* channel = nullptr;
  EXPECT_EQ(AUDIO_ERR_INVALID_HANDLE, system.playSound(&foreign, true, &channel));
}

TEST_F(AudioSystemTest, ExplicitSilenceSaysNothing) {
  AudioSystem system;
  EXPECT_EQ("", stdoutOf([&] { EXPECT_EQ(AUDIO_OK, system.init(4, AudioSystem::Output::Silent)); }));
  EXPECT_EQ(AudioSystem::Output::Silent, system.activeOutput());
}

TEST_F(AudioSystemTest, NoDeviceFallsBackToSilenceWithOneLine) {
  AudioDriverOverride driver("kvr_no_such_driver");
  uint64_t micros = 0;
  AudioSystem system;
  system.setClock([&] { return micros; });
  EXPECT_EQ("Sound: no audio device, playing silently\n",
            stdoutOf([&] { EXPECT_EQ(AUDIO_OK, system.init(4, AudioSystem::Output::Automatic)); }));
  EXPECT_EQ(AudioSystem::Output::Silent, system.activeOutput());

  AudioSound* sound = nullptr;
  AudioChannel* channel = nullptr;
  ASSERT_EQ(AUDIO_OK, system.createSound(dir + "/tone.mp3", &sound));
  ASSERT_EQ(AUDIO_OK, system.playSound(sound, false, &channel));
  micros += 1234000;
  uint32_t ms = 0;
  channel->getPosition(&ms);
  EXPECT_EQ(1234u, ms);
}

// SDL's dummy driver consumes buffers on its own thread like a real device.
TEST_F(AudioSystemTest, PlaysThroughAnSdlDevice) {
  AudioDriverOverride driver("dummy");
  AudioSystem system;
  testing::internal::CaptureStdout();
  ASSERT_EQ(AUDIO_OK, system.init(4, AudioSystem::Output::Automatic));
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ(AudioSystem::Output::Automatic, system.activeOutput());
  EXPECT_GT(system.bufferFrames(), 0);

  AudioSound* sound = nullptr;
  AudioChannel* channel = nullptr;
  ASSERT_EQ(AUDIO_OK, system.createSound(dir + "/tone.mp3", &sound));
  ASSERT_EQ(AUDIO_OK, system.playSound(sound, false, &channel));
  uint32_t previous = 0;
  for (int i = 0; i < 200; ++i) {
    uint32_t ms = 0;
    ASSERT_EQ(AUDIO_OK, channel->getPosition(&ms));
    EXPECT_GE(ms, previous);
    EXPECT_LE(ms, sound->lengthMs());
    previous = ms;
    system.update();
  }
  float spectrum[256];
  EXPECT_EQ(AUDIO_OK, channel->getSpectrum(spectrum, 256, 1));
  EXPECT_EQ(AUDIO_OK, channel->setPaused(true));
  EXPECT_EQ(AUDIO_OK, system.release());
}
