#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/runtime/TrackWriter.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackInterpolate.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/TrackFixtures.h"

namespace {

using namespace TrackFixtures;

// The packed pair for the single instance "fade": its start/stop record at offset 0.
struct PackedPair {
  std::vector<uint8_t> index;
  std::vector<uint8_t> data;
};

PackedPair fadeExample() {
  PackedPair pair;
  AppendU32(pair.index, 1);
  AppendString(pair.index, "fade.track");
  AppendU32(pair.index, 0);
  AppendU32(pair.data, 3);   // priority
  AppendU32(pair.data, 2);   // count
  AppendU32(pair.data, 10);  // start, empty target
  AppendU32(pair.data, 1);
  pair.data.push_back(0);
  AppendU32(pair.data, 20);  // stop
  AppendU32(pair.data, 0);
  return pair;
}

class TrackLoaderTest : public testing::Test {
 protected:
  void SetUp() override { KVRDemosys::resourceSource = 0; }

  std::string writePair(const std::string& name, const PackedPair& pair) {
    std::string directory = MakeDirectory(name);
    WriteFile(directory + "index.list", pair.index);
    WriteFile(directory + "track.data", pair.data);
    return directory;
  }

  std::ostringstream log;
};

std::string lookups;
FBO* recordLookups(const std::string& name) {
  lookups += name + ";";
  return nullptr;
}

// The empty target is looked up as "Object" and draws to the screen.
TEST_F(TrackLoaderTest, LoadsTheFadeExample) {
  std::string directory = writePair("fade", fadeExample());
  TrackLoader loader(directory);
  loader.SetFBOResolver(recordLookups);
  lookups.clear();
  testing::internal::CaptureStdout();
  std::unique_ptr<TrackData> data(loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ("Loading 'fade.track' (3)\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ("Object;", lookups);
  ASSERT_NE(nullptr, data);
  TrackStartStop* startStop = data->GetSet("fade")->startStop;
  EXPECT_EQ(0, startStop->priority);  // renumbered
  EXPECT_FALSE(TrackData::IsActive(startStop, 9));
  EXPECT_TRUE(TrackData::IsActive(startStop, 10));
  EXPECT_TRUE(TrackData::IsActive(startStop, 20));
  EXPECT_FALSE(TrackData::IsActive(startStop, 21));
  EXPECT_EQ(nullptr, TrackData::GetTarget(startStop, 15));
  EXPECT_EQ("screen", startStop->ActiveStart(15)->target);
}

TEST_F(TrackLoaderTest, MissingRecordsGiveDummyTracks) {
  PackedPair pair = fadeExample();
  std::string directory = writePair("dummy", pair);
  std::vector<std::string> events;
  RecordingEffect camera("camera", events);
  camera.createTracks();
  TrackLoader loader(directory, true, log);
  std::unique_ptr<TrackData> data(loader.LoadTrackData({"camera", "fade"}, {&camera, nullptr}));
  ASSERT_NE(nullptr, data);
  EffectTrackSet* set = data->GetSet("camera");
  EXPECT_EQ(0u, set->startStop->GetKeyframeCount());
  EXPECT_EQ(2u, set->tracks.size());
  EXPECT_EQ(0.0f, data->GetValue(camera.alpha, 5000));
  EXPECT_EQ((std::vector<std::string>{"camera", "fade"}),
            (std::vector<std::string>{data->ordered[0]->name, data->ordered[1]->name}));
  EXPECT_NE(std::string::npos, log.str().find("Track 'camera' do not exit. Creating dummy.\n"));
  EXPECT_NE(std::string::npos, log.str().find("-> 'camera.fov.track' do not exit. Keeping dummy.\n"));
}

TEST_F(TrackLoaderTest, WrittenTrackDataLoadsBackUnchanged) {
  std::vector<std::string> events;
  RecordingEffect glow("glow", events), camera("camera", events);
  glow.createTracks();
  camera.createTracks();
  glow.alpha->InsertKeyframe(new ValueKeyframe(0, 0.5f, ValueKeyframe::SineEaseOut));
  glow.alpha->InsertKeyframe(new ValueKeyframe(40, -2.25f, ValueKeyframe::Step));
  camera.fov->InsertKeyframe(new ValueKeyframe(7, 1e-9f, 12));

  TrackData original;
  EffectTrackSet* glowSet = new EffectTrackSet("glow");
  glowSet->startStop = new TrackStartStop(1);
  glowSet->startStop->InsertPair(new StartStopKeyframe(10, 1, "blurx", FakeFBO(1)),
                                 new StartStopKeyframe(20, 0));
  glowSet->startStop->InsertKeyframe(new StartStopKeyframe(30, 1, "offscreen0", FakeFBO(2)));
  glowSet->AddTrack(glow.alpha);
  glowSet->AddTrack(glow.fov);
  EffectTrackSet* cameraSet = new EffectTrackSet("camera");
  cameraSet->startStop = new TrackStartStop(0);
  cameraSet->startStop->InsertPair(new StartStopKeyframe(0, 1), new StartStopKeyframe(3000, 0));
  cameraSet->AddTrack(camera.alpha);
  cameraSet->AddTrack(camera.fov);
  original.AddSet(glowSet);
  original.AddSet(cameraSet);
  glow.HandOverTracks();
  camera.HandOverTracks();

  std::string directory = MakeDirectory("roundtrip");
  TrackWriter writer;
  ASSERT_TRUE(writer.SaveTrackData(directory, original));

  std::vector<std::string> reloadEvents;
  RecordingEffect glow2("glow", reloadEvents), camera2("camera", reloadEvents);
  glow2.createTracks();
  camera2.createTracks();
  TrackLoader loader(directory, false, log);
  loader.SetFBOResolver(ResolveFakeFBO);
  std::unique_ptr<TrackData> loaded(loader.LoadTrackData({"camera", "glow"}, {&camera2, &glow2}));
  ASSERT_NE(nullptr, loaded) << loader.GetError();
  TrackStartStop* glowStartStop = loaded->GetSet("glow")->startStop;
  EXPECT_EQ(1, glowStartStop->priority);
  EXPECT_EQ(0, loaded->GetSet("camera")->startStop->priority);
  EXPECT_EQ(FakeFBO(1), glowStartStop->GetTarget(15));
  EXPECT_EQ("blurx", glowStartStop->ActiveStart(15)->target);
  EXPECT_EQ(FakeFBO(2), glowStartStop->GetTarget(30));
  EXPECT_EQ(nullptr, loaded->GetSet("camera")->startStop->GetTarget(5));
  EXPECT_EQ(3u, glowStartStop->GetKeyframeCount());
  ASSERT_EQ(2u, glow2.alpha->GetKeyframeCount());
  const ValueKeyframe* last = static_cast<const ValueKeyframe*>(glow2.alpha->KeyframeAt(40));
  EXPECT_EQ(-2.25f, last->value);
  EXPECT_EQ(uint32_t(ValueKeyframe::Step), last->interpolation);
  const ValueKeyframe* tiny = static_cast<const ValueKeyframe*>(camera2.fov->KeyframeAt(7));
  EXPECT_EQ(1e-9f, tiny->value);
  EXPECT_EQ(12u, tiny->interpolation);
  EXPECT_EQ(0u, glow2.fov->GetKeyframeCount());
}

TEST_F(TrackLoaderTest, OneFilePerRecordAndPropertiesRoundTrip) {
  TrackData original;
  EffectTrackSet* set = new EffectTrackSet("fade");
  set->startStop = new TrackStartStop(2);
  set->startStop->InsertPair(new StartStopKeyframe(1, 1, "blurx"), new StartStopKeyframe(2, 0));
  set->startStop->enabled = false;
  TrackInterpolate* alpha = new TrackInterpolate("alpha");
  alpha->InsertKeyframe(new ValueKeyframe(5, 0.25f));
  set->AddTrack(alpha);
  original.AddSet(set);
  std::string directory = MakeDirectory("perfile");
  TrackWriter writer(log);
  ASSERT_TRUE(writer.SaveTrackFiles(directory, original));
  ASSERT_TRUE(writer.SaveTrackProperties(directory, original));
  EXPECT_EQ("Saving track property for fade\n", log.str());

  std::vector<std::string> events;
  RecordingEffect fade("fade", events);
  fade.createTracks();
  TrackLoader loader(directory, false, log);
  std::unique_ptr<TrackData> loaded(loader.LoadTrackFiles({"fade"}, {&fade}));
  ASSERT_NE(nullptr, loaded) << loader.GetError();
  EXPECT_EQ("blurx", loaded->GetSet("fade")->startStop->ActiveStart(1)->target);
  EXPECT_EQ(0.25f, loaded->GetValue(fade.alpha, 250));
  EXPECT_TRUE(loaded->GetSet("fade")->startStop->enabled);
  log.str("");
  ASSERT_TRUE(loader.LoadTrackProperties(loaded.get()));
  EXPECT_FALSE(loaded->GetSet("fade")->startStop->enabled);
  EXPECT_EQ("Loading track property for fade\nFlag : 1\n", log.str());
}

TEST_F(TrackLoaderTest, MisspelledNamesWarnWithTheKnownNames) {
  PackedPair pair = fadeExample();
  const uint32_t emptyValues = static_cast<uint32_t>(pair.data.size());
  AppendU32(pair.data, 0);
  pair.index.clear();
  AppendU32(pair.index, 4);
  for (std::string key : {"credit_effect.track", "credit_effect.alpha.track", "credits_effect.alhpa.track",
                          "credits_effect.fov.track"}) {
    AppendString(pair.index, key);
    AppendU32(pair.index, key == "credit_effect.track" ? 0 : emptyValues);
  }
  std::vector<std::string> events;
  RecordingEffect credits("credits_effect", events);
  credits.createTracks();
  TrackLoader loader(writePair("misspelled", pair), false, log);
  KVRDemosys::tracks = loader.LoadTrackData({"credits_effect"}, {&credits});
  ASSERT_NE(nullptr, KVRDemosys::tracks) << loader.GetError();
  const std::vector<std::string> warnings = {
      "Track data : no instance 'credit_effect' (instances: credits_effect)",
      "Track data : 'credits_effect' has no track 'alhpa' (tracks: alpha, fov)"};
  EXPECT_EQ(warnings, KVRDemosys::timelineWarnings);
  EXPECT_NE(std::string::npos, log.str().find(warnings[0] + "\n" + warnings[1] + "\n"));
  delete KVRDemosys::tracks;
  KVRDemosys::tracks = nullptr;
  EXPECT_TRUE(KVRDemosys::timelineWarnings.empty());
}

struct DamageCase {
  std::string name;
  PackedPair pair;
  std::string message;  // after the directory
};

void PrintTo(const DamageCase& damage, std::ostream* out) { *out << damage.name; }

PackedPair truncatedIndex() {
  PackedPair pair = fadeExample();
  pair.index[0] = 3;
  return pair;
}

PackedPair offsetBeyondData() {
  PackedPair pair = fadeExample();
  pair.index[pair.index.size() - 4] = 200;
  return pair;
}

PackedPair hugeCount() {
  PackedPair pair = fadeExample();
  pair.data[4] = 0xFF;
  pair.data[7] = 0x7F;
  return pair;
}

PackedPair unterminatedTarget() {
  PackedPair pair = fadeExample();
  pair.data.resize(16);
  pair.data[4] = 1;  // one start keyframe whose target never ends
  pair.data.insert(pair.data.end(), {'x', 'y', 'z', 'w'});
  return pair;
}

PackedPair cutInsideKeyframe() {
  PackedPair pair = fadeExample();
  pair.data.resize(pair.data.size() - 1);
  return pair;
}

PackedPair emptyIndex() {
  PackedPair pair = fadeExample();
  pair.index.clear();
  return pair;
}

class DamagedTrackFiles : public TrackLoaderTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedTrackFiles, FailWithAMessageNamingTheFile) {
  std::string directory = writePair("damaged_" + GetParam().name, GetParam().pair);
  TrackLoader loader(directory, false, log);
  EXPECT_EQ(nullptr, loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ("Track file '" + directory + GetParam().message, loader.GetError());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedTrackFiles,
    testing::Values(
        DamageCase{"truncated_index", truncatedIndex(),
                   "index.list' is damaged: it lists 3 entries but ends inside entry 2"},
        DamageCase{"empty_index", emptyIndex(),
                   "index.list' is damaged: it is too short to hold the entry count"},
        DamageCase{"offset_beyond_data", offsetBeyondData(),
                   "track.data': record 'fade.track' at offset 200 lies beyond the end (25 bytes)"},
        DamageCase{"huge_count", hugeCount(),
                   "track.data': record 'fade.track' lists 2130706687 keyframes but only 17 bytes follow"},
        DamageCase{"unterminated_target", unterminatedTarget(),
                   "track.data': record 'fade.track' runs past the end"},
        DamageCase{"cut_inside_keyframe", cutInsideKeyframe(),
                   "track.data': record 'fade.track' runs past the end"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

TEST_F(TrackLoaderTest, UnreadableFilesAreNamedWithTheReason) {
  std::string directory = MakeDirectory("unreadable");
  TrackLoader loader(directory, false, log);
  std::string cannotOpen = "Cannot open track file '" + directory;
  EXPECT_EQ(nullptr, loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ(cannotOpen + "index.list': No such file or directory", loader.GetError());
  std::filesystem::create_symlink("/dev/zero", directory + "index.list");
  EXPECT_EQ(nullptr, loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ(cannotOpen + "index.list': File larger than 64 MiB", loader.GetError());
  std::filesystem::remove(directory + "index.list");
  WriteFile(directory + "index.list", fadeExample().index);
  std::filesystem::create_directory(directory + "track.data");
  EXPECT_EQ(nullptr, loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ(cannotOpen + "track.data': Is a directory", loader.GetError());
}

TEST_F(TrackLoaderTest, FailedLoadLeavesTheEffectsTheirEmptyTracks) {
  PackedPair pair = fadeExample();
  AppendString(pair.index, "camera.alpha.track");
  AppendU32(pair.index, 9999);
  pair.index[0] = 2;
  std::string directory = writePair("effect_keeps_tracks", pair);
  std::vector<std::string> events;
  RecordingEffect camera("camera", events);
  camera.createTracks();
  TrackLoader loader(directory, false, log);
  EXPECT_EQ(nullptr, loader.LoadTrackData({"camera", "fade"}, {&camera, nullptr}));
  EXPECT_EQ(2, camera.GetTrackCount());
  EXPECT_EQ(0u, camera.alpha->GetKeyframeCount());
}

TEST_F(TrackLoaderTest, ValueRecordWithNoKeyframesLeavesTheTrackEmpty) {
  PackedPair pair = fadeExample();
  pair.index[0] = 2;
  AppendString(pair.index, "fade.alpha.track");
  AppendU32(pair.index, static_cast<uint32_t>(pair.data.size()));
  AppendU32(pair.data, 0);
  std::string directory = writePair("empty_value", pair);
  std::vector<std::string> events;
  RecordingEffect fade("fade", events);
  fade.createTracks();
  TrackLoader loader(directory, false, log);
  std::unique_ptr<TrackData> data(loader.LoadTrackData({"fade"}, {&fade}));
  ASSERT_NE(nullptr, data) << loader.GetError();
  EXPECT_EQ(0u, fade.alpha->GetKeyframeCount());
  EXPECT_NE(std::string::npos, log.str().find("Loading 'fade.alpha'\n"));
}

}  // namespace
