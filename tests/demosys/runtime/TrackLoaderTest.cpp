#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "demosys/core/KVRDemosys.h"
#include "demosys/runtime/TrackData.h"
#include "demosys/runtime/TrackLoader.h"
#include "demosys/runtime/TrackWriter.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/TrackFixtures.h"

namespace {

using namespace TrackFixtures;

// The packed pair for the single instance "fade": its start/stop record at offset 0,
// priority 3, a start on row 10 with an empty target and a stop on row 20.
struct PackedPair {
  std::vector<uint8_t> index, data;
};
PackedPair fadeExample() {
  PackedPair pair;
  AppendU32(pair.index, 1), AppendString(pair.index, "fade.track"), AppendU32(pair.index, 0);
  for (uint32_t word : {3, 2, 10, 1}) AppendU32(pair.data, word);
  pair.data.push_back(0);
  for (uint32_t word : {20, 0}) AppendU32(pair.data, word);
  return pair;
}

// Sets in name order: priority, flag, start/stop keyframes, then each track's keyframes, exact.
std::string describe(const TrackData& data) {
  std::ostringstream out;
  for (int i = 0; i < data.GetSetCount(); ++i) {
    const EffectTrackSet* set = data.GetSetAt(i);
    out << set->name << " " << set->startStop->priority << (set->startStop->enabled ? "" : " off") << ":";
    for (const auto& entry : set->startStop->Keyframes()) {
      auto* key = static_cast<const StartStopKeyframe*>(entry.second);
      out << " " << key->row << "/" << key->kind << "/" << key->target << "/" << key->targetFBO;
    }
    for (const TrackInterpolate* track : set->tracks) {
      out << "\n  " << track->name << ":";
      for (const auto& entry : track->Keyframes()) {
        auto* key = static_cast<const ValueKeyframe*>(entry.second);
        out << " " << key->row << "=" << std::hexfloat << key->value << std::defaultfloat << "/"
            << key->interpolation;
      }
    }
    out << "\n";
  }
  return out.str();
}

class TrackLoaderTest : public testing::Test {
 protected:
  void SetUp() override { KVRDemosys::resourceSource = 0; }
  std::string writePair(const std::string& name, const PackedPair& pair) {
    std::string directory = MakeDirectory(name);
    WriteFile(directory + "index.list", pair.index), WriteFile(directory + "track.data", pair.data);
    return directory;
  }
  RecordingEffect* effect(const std::string& name) {
    effects.emplace_back(new RecordingEffect(name, events));
    effects.back()->createTracks();
    return effects.back().get();
  }

  std::ostringstream log;
  std::vector<std::string> events;
  std::vector<std::unique_ptr<RecordingEffect>> effects;
};

std::string lookups;

}  // namespace

// A record missing from the files gives empty (dummy) tracks, an empty record empty tracks; the
// priorities are renumbered and the empty target is looked up as "Object" and draws to the screen.
// A record of a track the effect does not make is named with the tracks it has.
TEST_F(TrackLoaderTest, MissingRecordsGiveDummyTracksAndMisspelledOnesAWarning) {
  PackedPair pair = fadeExample();
  pair.index[0] = 3;
  for (const char* key : {"fade.alpha.track", "fade.alhpa.track"})
    AppendString(pair.index, key), AppendU32(pair.index, static_cast<uint32_t>(pair.data.size()));
  AppendU32(pair.data, 0);
  RecordingEffect *camera = effect("camera"), *fade = effect("fade");
  TrackLoader loader(writePair("dummy", pair), true, log);
  loader.SetFBOResolver([](const std::string& name) -> FBO* { return lookups += name + ";", nullptr; });
  KVRDemosys::tracks = loader.LoadTrackData({"camera", "fade"}, {camera, fade});
  ASSERT_NE(nullptr, KVRDemosys::tracks) << loader.GetError();
  EXPECT_EQ("camera 0:\n  alpha:\n  fov:\nfade 1: 10/1/screen/0 20/0/screen/0\n  alpha:\n  fov:\n",
            describe(*KVRDemosys::tracks));
  EXPECT_EQ("Object;", lookups);
  const std::string warning = "Track data : 'fade' has no track 'alhpa' (tracks: alpha, fov)";
  EXPECT_EQ(std::vector<std::string>{warning}, KVRDemosys::timelineWarnings);
  for (const std::string& line : std::vector<std::string>{
           "Track 'camera' do not exit. Creating dummy.", "Loading 'fade.track' (3)",
           "-> 'camera.fov.track' do not exit. Keeping dummy.", "Loading 'fade.alpha'", warning})
    EXPECT_NE(std::string::npos, log.str().find(line + "\n")) << line << log.str();
  delete KVRDemosys::tracks;
  KVRDemosys::tracks = nullptr;
  EXPECT_TRUE(KVRDemosys::timelineWarnings.empty());
}

// Track data written one file per record, with the flag, loads back unchanged (the packed pair's
// round trip is the track compiler's).
TEST_F(TrackLoaderTest, WrittenTrackDataLoadsBackUnchanged) {
  TrackData original;
  EffectTrackSet* glow = new EffectTrackSet("glow");
  glow->startStop = new TrackStartStop(0);
  glow->startStop->enabled = false;
  glow->startStop->InsertPair(new StartStopKeyframe(10, 1, "blurx", FakeFBO(1)),
                              new StartStopKeyframe(20, 0));
  glow->startStop->InsertKeyframe(new StartStopKeyframe(30, 1, "screen"));
  for (const char* track : {"alpha", "fov"}) glow->AddTrack(new TrackInterpolate(track));
  SetKeys(glow->tracks[0], {{0, 0.5f}}, ValueKeyframe::SineEaseOut);
  SetKeys(glow->tracks[0], {{40, -2.25f}}, ValueKeyframe::Step);
  SetKeys(glow->tracks[1], {{7, 1e-9f}}, 12);
  original.AddSet(glow);

  const std::string directory = MakeDirectory("per_record");
  TrackWriter writer(log);
  ASSERT_TRUE(writer.SaveTrackFiles(directory, original) && writer.SaveTrackProperties(directory, original));
  TrackLoader loader(directory, false, log);
  loader.SetFBOResolver([](const std::string& name) { return name == "blurx" ? FakeFBO(1) : nullptr; });
  std::unique_ptr<TrackData> loaded(loader.LoadTrackFiles({"glow"}, {effect("glow")}));
  ASSERT_NE(nullptr, loaded) << loader.GetError();
  log.str("");
  ASSERT_TRUE(loader.LoadTrackProperties(loaded.get()));
  EXPECT_EQ(describe(original), describe(*loaded));
  EXPECT_EQ("Loading track property for glow\nFlag : 1\n", log.str());
}

// Each damage fails the load with a message naming the file, and leaves the effects their
// empty tracks.
TEST_F(TrackLoaderTest, DamagedFilesFailWithAMessageNamingTheFile) {
  const struct {
    const char* name;
    void (*damage)(PackedPair&);
    std::string message;  // after the directory
  } cases[] = {
      {"truncated_index", [](PackedPair& p) { p.index[0] = 3; },
       "index.list' is damaged: it lists 3 entries but ends inside entry 2"},
      {"empty_index", [](PackedPair& p) { p.index.clear(); },
       "index.list' is damaged: it is too short to hold the entry count"},
      {"offset_beyond_data", [](PackedPair& p) { p.index[p.index.size() - 4] = 200; },
       "track.data': record 'fade.track' at offset 200 lies beyond the end (25 bytes)"},
      {"huge_count", [](PackedPair& p) { p.data[4] = 0xFF, p.data[7] = 0x7F; },
       "track.data': record 'fade.track' lists 2130706687 keyframes but only 17 bytes follow"},
      {"unterminated_target",  // one start keyframe whose target never ends
       [](PackedPair& p) {
         p.data.resize(16), p.data[4] = 1, p.data.insert(p.data.end(), {'x', 'y', 'z'});
       },
       "track.data': record 'fade.track' runs past the end"},
  };
  for (const auto& c : cases) {
    PackedPair pair = fadeExample();
    c.damage(pair);
    const std::string directory = writePair(c.name, pair);
    RecordingEffect* camera = effect("camera");
    TrackLoader loader(directory, false, log);
    EXPECT_EQ(nullptr, loader.LoadTrackData({"camera", "fade"}, {camera, nullptr})) << c.name;
    EXPECT_EQ("Track file '" + directory + c.message, loader.GetError()) << c.name;
    EXPECT_EQ(2, camera->GetTrackCount()) << c.name;
    EXPECT_EQ(0u, camera->alpha->GetKeyframeCount()) << c.name;
  }
  // A file that never ends is refused by its size.
  const std::string directory = MakeDirectory("endless");
  std::filesystem::create_symlink("/dev/zero", directory + "index.list");
  TrackLoader loader(directory, false, log);
  EXPECT_EQ(nullptr, loader.LoadTrackData({"fade"}, {nullptr}));
  EXPECT_EQ("Cannot open track file '" + directory + "index.list': File larger than 64 MiB",
            loader.GetError());
}
