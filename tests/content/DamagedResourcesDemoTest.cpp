// The production loaded from damaged copies of its own archive: each damage ends the load with
// a report that names the problem, and the run ends normally.
#include <gtest/gtest.h>

#include <filesystem>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackWriter.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/StartStopKeyframe.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/MiniDemo.h"

namespace fs = std::filesystem;

namespace {

class DamagedResourcesDemoTest : public testing::Test {
 protected:
  void SetUp() override { fs::copy_file(std::string(KVR_BINARY_DIR) + "/resources.7z", archive); }

  void run(const std::string& command) {
    ASSERT_EQ(0, std::system(("cd '" + demo.dir.path() + "' && " + command + " >/dev/null").c_str()))
        << command;
  }
  void replaceEntry(const std::string& entry, const std::string& bytes) {
    demo.dir.write(entry, bytes);
    run("7zz u -ms=off resources.7z '" + entry + "'");
  }

  // The whole program after the launcher; the report's message, between "Message from
  // resourceloader" and the deletion, must hold `message`.
  std::string expectReport(const std::string& message) {
    KVRDemosys::progressBar = new BrinovaProgressBar();
    KVRDemosys::shaderCache = new BrinovaShaderCache();
    const std::string output = demo.play(1, new BrinovaResources());
    EXPECT_FALSE(demo.loaded);
    const size_t from = output.find("Message from resourceloader\n");
    const size_t to = output.find("[Deleting Pools]");
    EXPECT_TRUE(from != std::string::npos && to != std::string::npos && from < to) << output;
    if (from < to) EXPECT_NE(std::string::npos, output.substr(from, to - from).find(message)) << output;
    EXPECT_NE(std::string::npos, output.find("[Application End]\n"));
    EXPECT_EQ(std::string::npos, output.find("[Demo Init]"));
    return output;
  }

  MiniDemo demo;
  const std::string archive = demo.dir.path() + "/resources.7z";
};

}  // namespace

TEST_F(DamagedResourcesDemoTest, TruncatedArchive) {
  fs::resize_file(archive, fs::file_size(archive) / 2);
  expectReport("Archive 'resources.7z' is missing or damaged");
}

TEST_F(DamagedResourcesDemoTest, ArchiveWithoutTrackData) {
  run("7zz d resources.7z resources/tracks/track.data");
  expectReport("resources/tracks/track.data");
}

TEST_F(DamagedResourcesDemoTest, CorruptPicture) {
  replaceEntry("resources/graphics/Noise.png", "\x89PNG\r\n\x1a\n this is no picture");
  expectReport("File : 'resources/graphics/Noise.png'");
}

TEST_F(DamagedResourcesDemoTest, ShaderWithASyntaxError) {
  replaceEntry("resources/shaders/Copy.frag",
               "uniform sampler2D Texture;\nvoid main() { gl_FragColor = ; }\n");
  expectReport("Copy");
}

TEST_F(DamagedResourcesDemoTest, StartStopTrackThatDoesNotAlternate) {
  TrackData data;
  EffectTrackSet* set = new EffectTrackSet("camera");
  set->SetStartStop(new TrackStartStop());
  set->startStop->InsertKeyframe(new StartStopKeyframe(0, 1, "screen"));
  set->startStop->InsertKeyframe(new StartStopKeyframe(20, 1, "screen"));
  data.AddSet(set);
  fs::create_directories(demo.dir.path() + "/resources/tracks");
  ASSERT_TRUE(TrackWriter().SaveTrackData(demo.dir.path() + "/resources/tracks/", data));
  run("7zz u -ms=off resources.7z resources/tracks/index.list resources/tracks/track.data");
  expectReport("the start/stop track of 'camera' does not alternate start and stop keyframes");
}
