#include <gtest/gtest.h>

#include "demosys/timing/TrackStartStop.h"
#include "support/CapturedStdout.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::FakeFBO, TrackFixtures::KeyframeRows;

StartStopKeyframe* start(uint32_t row, FBO* fbo = nullptr) {
  return new StartStopKeyframe(row, StartStopKeyframe::Start, fbo ? "blurx" : "screen", fbo);
}
StartStopKeyframe* stop(uint32_t row) { return new StartStopKeyframe(row, StartStopKeyframe::Stop); }

// Active from start to stop inclusive, each interval with its own target; a trailing start is
// active on its row only; a lone stop is active before it, on the screen.
TEST(TrackStartStopTest, ActiveRowsAndTargets) {
  TrackStartStop track(0), trailing(0), loneStop(0), empty(0);
  track.InsertPair(start(10, FakeFBO(1)), stop(20));
  track.InsertPair(start(30), stop(40));
  trailing.InsertKeyframe(start(10));
  loneStop.InsertKeyframe(stop(10));
  const struct {
    const TrackStartStop& track;
    uint32_t row;
    bool active;
    FBO* target;
  } cases[] = {{track, 9, false, nullptr},     {track, 10, true, FakeFBO(1)}, {track, 20, true, FakeFBO(1)},
               {track, 21, false, nullptr},    {track, 35, true, nullptr},    {trailing, 10, true, nullptr},
               {trailing, 11, false, nullptr}, {loneStop, 5, true, nullptr},  {empty, 0, false, nullptr}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.active, c.track.IsActive(c.row)) << c.row;
    EXPECT_EQ(c.target, c.track.GetTarget(c.row)) << c.row;
  }
  EXPECT_EQ("blurx", track.ActiveStart(20)->target);
  EXPECT_EQ("screen", track.ActiveStart(40)->target);
  // A window cutting an interval gives it whole; one between intervals gives nothing.
  EXPECT_EQ((std::vector<uint32_t>{10, 20, 30, 40}), KeyframeRows(track, 15, 35));
  EXPECT_TRUE(KeyframeRows(track, 21, 29).empty());
}

// The first keyframe out of turn is printed.
TEST(TrackStartStopTest, ValidateNeedsAlternatingStartAndStop) {
  const struct {
    std::vector<uint32_t> kinds;
    std::string output;
  } cases[] = {{{1, 0, 1}, ""},
               {{1, 1},
                "--> row = 30, row=30, type = 1\n"
                "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A STOP KEYFRAME!\n"},
               {{1, 0, 2},
                "--> row = 40, row=40, type = 2\n"
                "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n"}};
  for (const auto& c : cases) {
    TrackStartStop track(0);
    uint32_t row = 10;
    for (uint32_t kind : c.kinds) track.InsertKeyframe(new StartStopKeyframe(row += 10, kind));
    EXPECT_EQ(c.output, stdoutOf([&] { EXPECT_EQ(c.output.empty(), track.Validate()); })) << c.kinds.size();
  }
}

// The tools' editing operations: a pair goes whole whether its start or its stop is named, a row
// inside an interval names its stop, a row between intervals leaves the track alone; the
// neighbouring rows are strict, -1 past either end.
TEST(TrackStartStopTest, DeletePairAndNeighbouringRows) {
  const struct {
    uint32_t row;
    std::vector<uint32_t> left;
  } deletions[] = {{10, {30, 40}}, {15, {30, 40}}, {20, {30, 40}}, {35, {10, 20}}, {25, {10, 20, 30, 40}}};
  for (const auto& d : deletions) {
    TrackStartStop track(0);
    track.InsertPair(start(10), stop(20));
    track.InsertPair(start(30), stop(40));
    track.DeletePair(d.row);
    EXPECT_EQ(d.left, KeyframeRows(track)) << d.row;
  }
  TrackStartStop track(0);
  track.InsertPair(start(10), stop(20));
  const int64_t neighbours[][3] = {{5, 10, -1}, {10, 20, -1}, {15, 20, 10}, {20, -1, 10}, {25, -1, 20}};
  for (const auto& n : neighbours) {
    EXPECT_EQ(n[1], track.NextKeyframeRow(uint32_t(n[0]))) << n[0];
    EXPECT_EQ(n[2], track.PreviousKeyframeRow(uint32_t(n[0]))) << n[0];
  }
}

}  // namespace
