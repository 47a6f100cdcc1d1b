#include <gtest/gtest.h>

#include "demosys/runtime/TrackData.h"
#include "demosys/timing/EffectTrackSet.h"
#include "demosys/timing/TrackStartStop.h"
#include "support/CapturedStdout.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::FakeFBO;

// A set whose instance runs from row `from` to row `to` into `target`.
EffectTrackSet* makeSet(const std::string& name, int32_t priority, Effect* effect = nullptr,
                        uint32_t from = 10, uint32_t to = 20, FBO* target = nullptr) {
  EffectTrackSet* set = new EffectTrackSet(name);
  set->effect = effect;
  set->startStop = new TrackStartStop(priority);
  set->startStop->InsertPair(new StartStopKeyframe(from, StartStopKeyframe::Start, "t", target),
                             new StartStopKeyframe(to, StartStopKeyframe::Stop));
  return set;
}

// Lower priority draws first; equal ones come out of a selection sort over name order, so with
// a, b, c, d at 1, 1, 0, 7 the swap of a and c moves a behind b. Renumbering follows the order.
TEST(TrackDataTest, BuildOrderSortsByPriorityNumbersFromZeroAndValidates) {
  TrackData data;
  for (const auto& set : std::vector<std::pair<const char*, int32_t>>{{"a", 1}, {"b", 1}, {"c", 0}, {"d", 7}})
    data.AddSet(makeSet(set.first, set.second));
  data.BuildOrder();
  data.NumberPriorities();
  EXPECT_EQ("Priority 0 = c\nPriority 1 = b\nPriority 2 = a\nPriority 3 = d\n",
            stdoutOf([&] { data.PrintPriorities(); }));
  EXPECT_EQ(2, data.GetSet("a")->startStop->priority);
  data.SwapPriority(0, 3);
  EXPECT_EQ("Priority 0 = d\nPriority 1 = b\nPriority 2 = a\nPriority 3 = c\n",
            stdoutOf([&] { data.PrintPriorities(); }));
  // Validation names the first set in drawing order whose start/stop track is broken.
  data.GetSet("a")->startStop->InsertKeyframe(new StartStopKeyframe(30, StartStopKeyframe::Stop));
  EXPECT_EQ(
      "Validating StartStop track data.\n--> row = 30, row=30, type = 0\n"
      "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n"
      "--> StartStop Track : a has keyframe mismatch\n",
      stdoutOf([&] { EXPECT_FALSE(data.ValidateStartStop()); }));
}

// All pre-draws, then all draws, then all post-draws, each in priority order, of the active sets.
TEST(TrackDataTest, StepRunsThePhasesInPriorityOrderWithEachTarget) {
  std::vector<std::string> log;
  RecordingEffect first("first", log), second("second", log), idle("idle", log);
  TrackData data;
  data.AddSet(makeSet("zeta", 0, &first, 10, 20, FakeFBO(1)));
  data.AddSet(makeSet("alpha", 1, &second, 5, 30));
  data.AddSet(makeSet("idle", 2, &idle, 100, 200));
  data.BuildOrder();
  data.Step(750, 15, 16);
  EXPECT_EQ((std::vector<std::string>{"pre first", "pre second", "draw first", "draw second", "post first",
                                      "post second"}),
            log);
  EXPECT_EQ(std::vector<FBO*>{FakeFBO(1)}, first.targets);
  EXPECT_EQ(std::vector<FBO*>{nullptr}, second.targets);
  log.clear();
  data.Step(1250, 25, 16);
  EXPECT_EQ((std::vector<std::string>{"pre second", "draw second", "post second"}), log);
  EXPECT_FALSE(data.IsInstanceActive("zeta"));
}

// Lookups of missing names invent nothing; a set of a taken name replaces (and deletes) the old
// one and empties the drawing order until it is built again. Values are read at the data's rate.
TEST(TrackDataTest, LookupsReplacementAndRate) {
  TrackData data;
  EffectTrackSet* set = makeSet("fade", 0);
  set->AddTrack(new TrackInterpolate("alpha"));
  set->tracks[0]->InsertKeyframe(new ValueKeyframe(20, 1.0f));
  data.AddSet(set);
  EXPECT_EQ(nullptr, data.GetSet("missing"));
  EXPECT_EQ(nullptr, set->GetTrack("missing"));
  EXPECT_EQ(1.0f, data.GetValue(set->tracks[0], 1000));
  data.SetRate(10);
  EXPECT_EQ(0.0f, data.GetValue(set->tracks[0], 1000));
  EXPECT_EQ(0.0f, data.GetValue(nullptr, 1000));
  data.BuildOrder();
  EffectTrackSet* replacement = makeSet("fade", 4);
  data.AddSet(replacement);
  data.AddSet(replacement);
  EXPECT_EQ(1, data.GetSetCount());
  EXPECT_EQ(replacement, data.GetSetAt(0));
  EXPECT_TRUE(data.ordered.empty());
}

}  // namespace
