// The production loaded from damaged copies of its own archive: each damage ends the load with
// a report that names the problem, and the run ends normally.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/ScreenMetrics.h"
#include "demosys/runtime/Demo.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackWriter.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/StartStopKeyframe.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/TempDir.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace fs = std::filesystem;

namespace {

class DamagedResourcesDemoTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(std::string(KVR_BINARY_DIR) + "/resources.7z", dir.path() + "/resources.7z");
  }

  void replaceEntry(const std::string& entry, const std::string& bytes) {
    dir.write(entry, bytes);
    run("7zz u -ms=off resources.7z '" + entry + "'");
  }

  void run(const std::string& command) {
    ASSERT_EQ(0, std::system(("cd '" + dir.path() + "' && " + command + " >/dev/null").c_str())) << command;
  }

  // The whole program after the launcher: content objects, load, run, shutdown.
  std::string playProduction() {
    WorkingDirectory inside(dir.path());
    KVRDemosys::progressBar = new BrinovaProgressBar();
    KVRDemosys::shaderCache = new BrinovaShaderCache();
    KVRDemosys::resources = new BrinovaResources();
    ScreenMetrics metrics;
    metrics.setSize(320, 180);
    metrics.setFullscreen(false);
    metrics.setQuality(0);
    CaptureStdout();
    Demo demo;
    loaded = demo.load(&metrics, 1);
    demo.setupRendering();
    demo.run();
    demo.shutdown();
    return GetCapturedStdout();
  }

  // The report's message: the lines between "Message from resourceloader" and the deletion.
  static std::string reportedMessage(const std::string& output) {
    size_t from = output.find("Message from resourceloader\n");
    size_t to = output.find("[Deleting Pools]");
    if (from == std::string::npos || to == std::string::npos) return "(no report)\n" + output;
    from += std::string("Message from resourceloader\n").size();
    return output.substr(from, to - from);
  }

  void expectReport(const std::string& output, const std::string& message) {
    EXPECT_FALSE(loaded);
    EXPECT_NE(std::string::npos, reportedMessage(output).find(message)) << reportedMessage(output);
    EXPECT_NE(std::string::npos, output.find("[Application End]\n"));
    EXPECT_EQ(std::string::npos, output.find("[Demo Init]"));
  }

  TempDir dir;
  bool loaded = true;
};

}  // namespace

TEST_F(DamagedResourcesDemoTest, TruncatedArchive) {
  fs::resize_file(dir.path() + "/resources.7z", fs::file_size(dir.path() + "/resources.7z") / 2);
  expectReport(playProduction(), "Archive 'resources.7z' is missing or damaged");
}

TEST_F(DamagedResourcesDemoTest, ArchiveWithoutTrackData) {
  run("7zz d resources.7z resources/tracks/track.data");
  expectReport(playProduction(), "resources/tracks/track.data");
}

TEST_F(DamagedResourcesDemoTest, CorruptPicture) {
  replaceEntry("resources/graphics/Noise.png", "\x89PNG\r\n\x1a\n this is no picture");
  expectReport(playProduction(), "Failed to load texture!\nFile : 'resources/graphics/Noise.png'");
}

TEST_F(DamagedResourcesDemoTest, ShaderWithASyntaxError) {
  replaceEntry("resources/shaders/Copy.frag", "uniform sampler2D Texture;\nvoid main() { gl_FragColor = ; }\n");
  expectReport(playProduction(), "Copy");
}

TEST_F(DamagedResourcesDemoTest, StartStopTrackThatDoesNotAlternate) {
  TrackData data;
  EffectTrackSet* set = new EffectTrackSet("camera");
  TrackStartStop* startStop = new TrackStartStop();
  startStop->InsertKeyframe(new StartStopKeyframe(0, 1, "screen"));
  startStop->InsertKeyframe(new StartStopKeyframe(20, 1, "screen"));
  set->SetStartStop(startStop);
  data.AddSet(set);
  fs::create_directories(dir.path() + "/resources/tracks");
  ASSERT_TRUE(TrackWriter().SaveTrackData(dir.path() + "/resources/tracks/", data));
  run("7zz u -ms=off resources.7z resources/tracks/index.list resources/tracks/track.data");
  std::string output = playProduction();
  EXPECT_NE(std::string::npos, output.find("--> StartStop Track : camera has keyframe mismatch\n"));
  expectReport(output, "the start/stop track of 'camera' does not alternate start and stop keyframes");
}
