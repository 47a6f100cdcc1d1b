#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "demosys/io/ResourceAccess.h"
#include "demosys/timing/FMODTimer.h"
#include "support/AudioFixtures.h"
#include "support/CapturedStdout.h"
#include "support/SteppedClock.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kEntry = "resources/sound/x.mp3";

class FMODTimerTest : public testing::Test {
 protected:
  // Two seconds of a tone in the left channel's bin 40 of 1024, in the tree and in
  // resources.7z.
  static void SetUpTestSuite() {
    dir = AudioFixtures::makeTempDir();
    AudioFixtures::Tone tone;
    tone.leftHz = 40 * 44100.0 / 2048;
    std::filesystem::create_directories(dir + "/resources/sound");
    ASSERT_TRUE(AudioFixtures::makeMp3(dir + "/" + kEntry, tone));
    ASSERT_TRUE(AudioFixtures::pack7z(dir, "resources.7z", kEntry));
  }
  static void TearDownTestSuite() { AudioFixtures::removeTree(dir); }
  void TearDown() override { ResourceAccess::selectSource(0), ResourceAccess::closeArchive(); }

  // Init from the source (0: the tree, 1: the archive), with what it printed kept in `printed`.
  bool init(FMODTimer& clock, int source = 0) {
    WorkingDirectory inside(dir);
    ResourceAccess::selectSource(source);
    bool ok = false;
    printed = stdoutOf([&] { ok = clock.Init(); });
    return ok;
  }

  static std::string dir;
  SteppedClock<FMODTimer> timer{dir + "/" + kEntry, 20};
  std::string printed;
};
std::string FMODTimerTest::dir;

}  // namespace

TEST_F(FMODTimerTest, LoadsTheMusicFromTheResourceTreeAndTheArchive) {
  ASSERT_TRUE(init(timer));
  EXPECT_EQ("Fmod Version = 65536\n", printed);
  EXPECT_NEAR(2000, int(timer.GetLength()), 27);
  EXPECT_EQ(timer.GetLength() / 50, timer.GetLengthFrames());
  SteppedClock<FMODTimer> fromArchive(kEntry, 20);
  ASSERT_TRUE(init(fromArchive, 1));
  EXPECT_EQ(timer.GetLength(), fromArchive.GetLength());
}

TEST_F(FMODTimerTest, InitFailuresPrintTheirLineAndKeepTheirText) {
  const struct {
    int source;
    std::string path, line, error;
  } cases[] = {
      {1, "resources/sound/missing.mp3", "Error code: 0\n",
       "FMOD Init : Failed to load soundfile from archive!"},
      {0, dir + "/resources/sound/missing.mp3", "Failed to create sound sysmte sound! Error code: 2\n",
       "FMOD Init : Failed to load soundfile!"}};
  for (const auto& c : cases) {
    SteppedClock<FMODTimer> failing(c.path, 20);
    EXPECT_FALSE(init(failing, c.source)) << c.path;
    EXPECT_EQ("Fmod Version = 65536\n" + c.line, printed) << c.path;
    EXPECT_EQ(c.error, failing.GetError()) << c.path;
    // Nothing plays, so shutting down fails, and the clock still cleans up when deleted.
    EXPECT_EQ(1u, failing.Shutdown()) << c.path;
    TearDown();
  }
}

// SetTime moves the paused music, Start resumes from where the channel is heard, and Shutdown
// releases the music once, also after the music has ended.
TEST_F(FMODTimerTest, SetTimeMovesTheMusicStartResumesFromTheChannelAndShutdownReleasesOnce) {
  ASSERT_TRUE(init(timer));
  EXPECT_EQ(5000u, timer.SetTime(1049));  // the tick it anchors at
  timer.audioMs += 5000;                  // paused music does not move
  timer.Start();
  EXPECT_EQ(1049u, timer.GetTime());
  timer.SetTime(0);
  timer.ticks += 700, timer.audioMs += 650;  // the music is heard a little behind the tick counter
  EXPECT_EQ(700u, timer.GetTime());
  timer.Pause();
  timer.advance(3000);
  EXPECT_EQ(700u, timer.GetTime());
  EXPECT_EQ(0u, timer.GetDelta(700));
  timer.Start();
  EXPECT_EQ(650u, timer.GetTime());
  timer.audioMs += 10000;
  timer.Update();
  EXPECT_EQ(0u, timer.Shutdown());
  EXPECT_EQ(1u, timer.Shutdown());
  EXPECT_EQ("Failed to shut down FMOD!", timer.GetError());
}

// Mode 0 holds the left channel's tone in its bin (of 8192 here); a count is held to the spectrum's size.
TEST_F(FMODTimerTest, SpectrumHoldsTheToneUpToItsSize) {
  ASSERT_TRUE(init(timer));
  timer.SetTime(1000);
  std::vector<float> left(9000, -1.0f);
  EXPECT_EQ(0, timer.GetSpectrum(0, 9000, left.data()));
  EXPECT_EQ(40 * 8, std::max_element(left.begin(), left.end()) - left.begin());
  EXPECT_NE(-1.0f, left[8191]);
  EXPECT_EQ(-1.0f, left[8192]);
}
