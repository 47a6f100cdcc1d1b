#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "demosys/core/KVRDemosys.h"
#include "demosys/io/ResourceAccess.h"
#include "demosys/timing/FMODTimer.h"
#include "support/AudioFixtures.h"
#include "support/SteppedClock.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kEntry = "resources/sound/x.mp3";

using SteppedFMODTimer = SteppedClock<FMODTimer>;

class FMODTimerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    AudioFixtures::Tone tone;
    tone.leftHz = 40 * 44100.0 / 2048;
    tone.rightHz = 100 * 44100.0 / 2048;
    std::filesystem::create_directories(dir + "/resources/sound");
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/" + kEntry, tone));
    ASSERT_TRUE(AudioFixtures::pack7z(dir, "resources.7z", kEntry));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }

  void TearDown() override { ResourceAccess::selectSource(0), ResourceAccess::closeArchive(); }
  void useSource(int source) {
    WorkingDirectory inside(dir);
    ResourceAccess::selectSource(source);
  }
  // Init with what it printed kept in `printed`.
  bool init(FMODTimer& clock) {
    testing::internal::CaptureStdout();
    bool ok = clock.Init();
    printed = testing::internal::GetCapturedStdout();
    return ok;
  }

  static std::string dir;
  SteppedFMODTimer timer{dir + "/" + kEntry, 20};
  std::string printed;
};

std::string FMODTimerTest::dir;

}  // namespace

TEST_F(FMODTimerTest, LoadsTheMusicFromTheResourceTreeAndTheArchive) {
  ASSERT_TRUE(init(timer));
  EXPECT_EQ("Fmod Version = 65536\n", printed);
  EXPECT_NEAR(2000, int(timer.GetLength()), 27);
  EXPECT_EQ(timer.GetLength() / 50, timer.GetLengthFrames());
  useSource(1);
  SteppedFMODTimer fromArchive(kEntry, 20);
  ASSERT_TRUE(init(fromArchive));
  EXPECT_EQ("Fmod Version = 65536\n", printed);
  EXPECT_EQ(timer.GetLength(), fromArchive.GetLength());
}

TEST_F(FMODTimerTest, InitFailuresPrintTheirLineAndKeepTheirText) {
  struct Case {
    const char* what;
    int source;
    std::string path;
    std::string line;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"entry missing from the archive", 1, "resources/sound/missing.mp3", "Error code: 0\n",
       "FMOD Init : Failed to load soundfile from archive!"},
      {"file missing from the tree", 0, dir + "/resources/sound/missing.mp3",
       "Failed to create sound sysmte sound! Error code: 2\n", "FMOD Init : Failed to load soundfile!"},
  };
  for (const Case& c : cases) {
    useSource(c.source);
    SteppedFMODTimer failing(c.path, 20);
    EXPECT_FALSE(init(failing)) << c.what;
    EXPECT_EQ("Fmod Version = 65536\n" + c.line, printed) << c.what;
    EXPECT_EQ(c.error, failing.GetError()) << c.what;
    // Nothing plays, so shutting down fails, and the clock still cleans up when deleted.
    EXPECT_EQ(1u, failing.Shutdown()) << c.what;
    TearDown();
  }
}

// Shutdown releases the music once, also after the music has ended.
TEST_F(FMODTimerTest, SetTimeMovesTheMusicStartResumesFromTheChannelAndShutdownReleasesOnce) {
  ASSERT_TRUE(init(timer));
  EXPECT_EQ(5000u, timer.SetTime(1049));  // the tick it anchors at
  EXPECT_EQ(20u, timer.GetFrame());
  timer.audioMs += 5000;  // paused music does not move
  timer.Start();
  EXPECT_EQ(1049u, timer.GetTime());
  timer.SetTime(0);
  timer.ticks += 700;
  timer.audioMs += 650;  // the music is heard a little behind the tick counter
  EXPECT_EQ(700u, timer.GetTime());
  timer.Pause();
  timer.advance(3000);
  EXPECT_EQ(700u, timer.GetTime());
  EXPECT_EQ(0u, timer.GetDelta(700));
  timer.Start();
  EXPECT_EQ(650u, timer.GetTime());
  timer.ticks += 50;
  EXPECT_EQ(50u, timer.GetDelta(700));
  timer.audioMs += 10000;
  timer.Update();
  EXPECT_EQ(0u, timer.Shutdown());
  EXPECT_EQ(1u, timer.Shutdown());
  EXPECT_EQ("Failed to shut down FMOD!", timer.GetError());
}

// Left and right hold their tones' bins, 2 is their sum and 3 their mean; an unknown mode
// writes nothing, and a count is held to the spectrum's size.
TEST_F(FMODTimerTest, SpectrumModes) {
  ASSERT_TRUE(init(timer));
  timer.SetTime(1000);
  std::vector<float> spectra[4], untouched(64, -1.0f), big(9000, -1.0f);
  for (int mode = 0; mode < 4; ++mode) {
    spectra[mode].resize(1024);
    EXPECT_EQ(mode < 2 ? 0 : 1024, timer.GetSpectrum(mode, 1024, spectra[mode].data())) << mode;
  }
  EXPECT_EQ(40, std::max_element(spectra[0].begin(), spectra[0].end()) - spectra[0].begin());
  EXPECT_EQ(100, std::max_element(spectra[1].begin(), spectra[1].end()) - spectra[1].begin());
  for (int i : {40, 100, 700}) {
    EXPECT_FLOAT_EQ(spectra[0][i] + spectra[1][i], spectra[2][i]) << i;
    EXPECT_FLOAT_EQ((spectra[0][i] + spectra[1][i]) * 0.5f, spectra[3][i]) << i;
  }
  timer.GetSpectrum(4, 64, untouched.data());
  EXPECT_EQ(std::vector<float>(64, -1.0f), untouched);
  EXPECT_EQ(8192, timer.GetSpectrum(3, 9000, big.data()));
  EXPECT_NE(-1.0f, big[8191]);
  EXPECT_EQ(-1.0f, big[8192]);
}
