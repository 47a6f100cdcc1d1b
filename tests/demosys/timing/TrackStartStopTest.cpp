#include <gtest/gtest.h>

#include "demosys/timing/TrackStartStop.h"
#include "support/CapturedStdout.h"
#include "support/TrackFixtures.h"

namespace {

using TrackFixtures::FakeFBO;

StartStopKeyframe* start(uint32_t row, FBO* fbo = nullptr) {
  return new StartStopKeyframe(row, StartStopKeyframe::Start, fbo ? "blurx" : "screen", fbo);
}

StartStopKeyframe* stop(uint32_t row) { return new StartStopKeyframe(row, StartStopKeyframe::Stop); }

TEST(TrackStartStopTest, ActiveFromStartToStopInclusive) {
  TrackStartStop track(0);
  track.InsertPair(start(10, FakeFBO(1)), stop(20));
  for (uint32_t row : {0u, 9u, 21u, 1000u}) EXPECT_FALSE(track.IsActive(row)) << row;
  for (uint32_t row : {10u, 15u, 20u}) EXPECT_TRUE(track.IsActive(row)) << row;
  EXPECT_EQ(FakeFBO(1), track.GetTarget(10));
  EXPECT_EQ(FakeFBO(1), track.GetTarget(15));
  EXPECT_EQ(FakeFBO(1), track.GetTarget(20));
  EXPECT_EQ(nullptr, track.GetTarget(9));
  EXPECT_EQ(nullptr, track.GetTarget(21));
}

TEST(TrackStartStopTest, EachIntervalHasItsOwnTarget) {
  TrackStartStop track(0);
  track.InsertPair(start(10), stop(20));
  track.InsertPair(start(30, FakeFBO(2)), stop(40));
  EXPECT_EQ(nullptr, track.GetTarget(15));
  EXPECT_FALSE(track.IsActive(25));
  EXPECT_EQ(FakeFBO(2), track.GetTarget(35));
  EXPECT_EQ("blurx", track.ActiveStart(40)->target);
}

TEST(TrackStartStopTest, TrailingStartIsActiveOnItsRowOnly) {
  TrackStartStop track(0);
  track.InsertKeyframe(start(10));
  EXPECT_TRUE(track.IsActive(10));
  EXPECT_FALSE(track.IsActive(11));
  EXPECT_FALSE(track.IsActive(9));
}

TEST(TrackStartStopTest, EmptyTrackAndLoneStopHaveNoTarget) {
  TrackStartStop empty(0);
  EXPECT_FALSE(empty.IsActive(0));
  EXPECT_EQ(nullptr, empty.GetTarget(0));
  TrackStartStop loneStop(0);
  loneStop.InsertKeyframe(stop(10));
  EXPECT_TRUE(loneStop.IsActive(5));
  EXPECT_EQ(nullptr, loneStop.GetTarget(5));
}

struct ValidateCase {
  std::vector<uint32_t> kinds;
  bool valid;
  std::string output;
};

void PrintTo(const ValidateCase& c, std::ostream* out) {
  *out << "kinds";
  for (uint32_t kind : c.kinds) *out << " " << kind;
}

class StartStopValidate : public testing::TestWithParam<ValidateCase> {};

TEST_P(StartStopValidate, PrintsTheFirstKeyframeOutOfTurn) {
  TrackStartStop track(0);
  uint32_t row = 10;
  for (uint32_t kind : GetParam().kinds) track.InsertKeyframe(new StartStopKeyframe(row += 10, kind));
  EXPECT_EQ(GetParam().output, stdoutOf([&] { EXPECT_EQ(GetParam().valid, track.Validate()); }));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, StartStopValidate,
    testing::Values(
        ValidateCase{{}, true, ""}, ValidateCase{{1, 0, 1}, true, ""},
        ValidateCase{{1, 1},
                     false,
                     "--> row = 30, row=30, type = 1\n"
                     "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A STOP KEYFRAME!\n"},
        ValidateCase{{0},
                     false,
                     "--> row = 20, row=20, type = 0\n"
                     "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n"},
        ValidateCase{{1, 0, 2},
                     false,
                     "--> row = 40, row=40, type = 2\n"
                     "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n"}));

std::vector<uint32_t> rowsOf(const Track& track) {
  std::vector<uint32_t> rows;
  for (const auto& entry : track.Keyframes()) rows.push_back(entry.first);
  return rows;
}

TEST(TrackStartStopTest, DeletePairRemovesTheWholeInterval) {
  TrackStartStop track(0);
  track.InsertPair(start(10), stop(20));
  track.InsertPair(start(30), stop(40));
  track.InsertPair(start(50), stop(60));
  track.DeletePair(15);  // inside the first interval: finds its stop
  EXPECT_EQ((std::vector<uint32_t>{30, 40, 50, 60}), rowsOf(track));
  track.DeletePair(50);  // exactly on a start
  EXPECT_EQ((std::vector<uint32_t>{30, 40}), rowsOf(track));
  track.DeletePair(25);  // before a start that is not on the row: nothing
  EXPECT_EQ((std::vector<uint32_t>{30, 40}), rowsOf(track));
  track.DeletePair(41);
  EXPECT_EQ((std::vector<uint32_t>{30, 40}), rowsOf(track));
}

TEST(TrackStartStopTest, GetKeyframesReturnsCutIntervalsWhole) {
  TrackStartStop track(0);
  track.InsertPair(start(10), stop(20));
  track.InsertPair(start(30), stop(40));
  std::vector<Keyframe*> window;
  track.GetKeyframes(15, 35, window);
  ASSERT_EQ(4u, window.size());
  EXPECT_EQ(10u, window.front()->row);
  EXPECT_EQ(40u, window.back()->row);
  window.clear();
  track.GetKeyframes(21, 29, window);
  EXPECT_EQ(0u, window.size());
  window.clear();
  track.GetKeyframes(41, 50, window);
  EXPECT_TRUE(window.empty());
}

}  // namespace
