// The production loaded from damaged copies of its own archive: each damage ends the load with
// a report that names the problem, and the run ends normally.
#include <gtest/gtest.h>

#include <filesystem>

#include "content/BrinovaProgressBar.h"
#include "content/BrinovaResources.h"
#include "content/BrinovaShaderCache.h"
#include "demosys/core/KVRDemosys.h"
#include "support/MiniDemo.h"
#include "support/TrackFixtures.h"

namespace {

using namespace TrackFixtures;

struct Damage {
  const char* name;
  // Writes its files into the folder; the shell command then changes the archive there.
  void (*write)(const TempDir&);
  const char* command;
  const char* message;
};

class DamagedResourcesDemoTest : public testing::TestWithParam<Damage> {};

TEST_P(DamagedResourcesDemoTest, EndsTheLoadWithAReportNamingTheProblem) {
  MiniDemo demo;
  std::filesystem::copy_file(std::string(KVR_BINARY_DIR) + "/resources.7z",
                             demo.dir.path() + "/resources.7z");
  if (GetParam().write) GetParam().write(demo.dir);
  ASSERT_EQ(
      0, std::system(("cd '" + demo.dir.path() + "' && 7zz " + GetParam().command + " >/dev/null").c_str()));
  KVRDemosys::progressBar = new BrinovaProgressBar();
  KVRDemosys::shaderCache = new BrinovaShaderCache();
  const std::string output = demo.play(1, new BrinovaResources());
  EXPECT_FALSE(demo.loaded);
  // The message lies between the report's heading and the deletion of the pools.
  const size_t from = output.find("Message from resourceloader\n"), to = output.find("[Deleting Pools]");
  ASSERT_TRUE(from != std::string::npos && to != std::string::npos && from < to) << output;
  EXPECT_NE(std::string::npos, output.substr(from, to - from).find(GetParam().message)) << output;
  EXPECT_NE(std::string::npos, output.find("[Application End]\n"));
  EXPECT_EQ(std::string::npos, output.find("[Demo Init]"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedResourcesDemoTest,
    testing::Values(Damage{"music_missing", nullptr, "d resources.7z resources/sound/brinova_final_c.mp3",
                           "Failed to load sound!\nFile : 'brinova_final_c.mp3'"},
                    // The camera's start/stop record holds two starts.
                    Damage{"start_stop_not_alternating",
                           [](const TempDir& d) {
                             std::vector<uint8_t> index, data;
                             AppendU32(index, 1), AppendString(index, "camera.track"), AppendU32(index, 0);
                             for (uint32_t word : {0, 2, 0, 1}) AppendU32(data, word);
                             AppendString(data, "screen"), AppendU32(data, 20), AppendU32(data, 1),
                                 AppendString(data, "screen");
                             d.write("resources/tracks/index.list", index);
                             d.write("resources/tracks/track.data", data);
                           },
                           "u -ms=off resources.7z resources/tracks/index.list resources/tracks/track.data",
                           "the start/stop track of 'camera' does not alternate start and stop keyframes"}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

}  // namespace
