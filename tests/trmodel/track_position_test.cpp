#include "track_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Join;

// A straight run: a 30 m line followed by a 20 m line, both going east.
struct StraightRun {
  TTrainStructureSV map;
  TTrLine* first;
  TTrLine* second;
  StraightRun() {
    first = Build(map, 0, 0, 30, 0);
    second = BuildFrom(map, first->P2, 50, 0);
  }
};

TEST(Advance, StopsOnTheLineWhenTheTargetIsExactlyItsFarEnd) {
  StraightRun run;
  const TTrackPosition pos(run.first, 30, 1);
  EXPECT_EQ(pos.Line, run.first);
  EXPECT_EQ(pos.Offset, 30.0);
  EXPECT_EQ(pos.Dir, 1);
}

TEST(Advance, PassesOntoTheLinkedLineBeyondTheFarEnd) {
  StraightRun run;
  const TTrackPosition pos(run.first, 30.5, 1);
  EXPECT_EQ(pos.Line, run.second);
  EXPECT_EQ(pos.Offset, 0.5);
  EXPECT_EQ(pos.Dir, 1);
  // Backwards from the far end of the second line onto the first.
  const TTrackPosition back(run.second, 25, 2);
  EXPECT_EQ(back.Line, run.first);
  EXPECT_EQ(back.Dir, 2);
  EXPECT_EQ(back.Offset, 5.0);
}

TEST(Advance, RunsOffTheEndOfTheTrack) {
  StraightRun run;
  const TTrackPosition pos(run.first, 50.5, 1);
  EXPECT_EQ(pos.Line, nullptr);
  EXPECT_EQ(pos.Offset, 0.0);
  TTrackPosition moved = pos;
  moved.Advance(10);
  moved.NextLine();
  EXPECT_EQ(moved.Line, nullptr);
  TTrXY out{7, 8};
  moved.GetXY(out);
  EXPECT_EQ(out.X, 7.0);
  EXPECT_EQ(out.Y, 8.0);
}

TEST(Advance, ANegativeTargetStaysOnTheLine) {
  StraightRun run;
  TTrackPosition pos(run.second, 5, 1);
  pos.Advance(-12);
  EXPECT_EQ(pos.Line, run.second);
  EXPECT_EQ(pos.Offset, -7.0);
  TTrXY out;
  pos.GetXY(out);
  EXPECT_DOUBLE_EQ(out.X, 23.0);
}

TEST(Advance, FollowsTheDefaultDirectionAtASwitch) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 10, 0);
  TTrLine* straight = BuildFrom(map, entry->P2, 20, 0);
  BuildFrom(map, entry->P2, 20, 5);
  const TTrackPosition pos(entry, 15, 1);
  EXPECT_EQ(pos.Line, straight);
  map.SwapSwitch(entry->P2);
  const TTrackPosition swapped(entry, 15, 1);
  EXPECT_NE(swapped.Line, straight);
  EXPECT_EQ(swapped.Line, entry->P2->Conn2.Line);
}

TEST(GetXY, MeasuresFromTheEntryEnd) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 0, 100);
  TTrXY out;
  TTrackPosition(line, 25, 2).GetXY(out);
  EXPECT_DOUBLE_EQ(out.X, 0.0);
  EXPECT_DOUBLE_EQ(out.Y, 75.0);
  TTrackPosition(line, 25, 1).GetXY(out);
  EXPECT_DOUBLE_EQ(out.Y, 25.0);
  TTrackPosition(line, 25, 7).GetXY(out);  // any code but 1 runs backward
  EXPECT_DOUBLE_EQ(out.Y, 75.0);
}

TEST(Train, StandsAtTheEntryEndAndMayHaveNoFarEnd) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 30, 0);
  const TTrain train(line, 1, 50);
  EXPECT_EQ(train.Position.Line, line);
  EXPECT_EQ(train.Position.Offset, 0.0);
  EXPECT_EQ(train.Length, 50.0);
  const TTrackPosition front(train.Position.Line,
                             train.Position.Offset + train.Length,
                             train.Position.Dir);
  EXPECT_EQ(front.Line, nullptr);
}

TEST(Advance, EndsOnALoopOfLengthZero) {
  TTrainStructureSV map;
  TTrLine* loop = Build(map, 5, 5, 5, 5);
  Join(map, loop->P2, loop, loop->P1);
  const TTrackPosition pos(loop, 50, 1);
  EXPECT_EQ(pos.Line, loop);
  TTrXY out;
  pos.GetXY(out);
  EXPECT_EQ(out.X, 5.0);
  EXPECT_EQ(out.Y, 5.0);
}

// Two 30 m lines between the same two points: a loop of 60 m.
struct Loop {
  TTrainStructureSV map;
  TTrLine* a;
  TTrLine* b;
  Loop() {
    a = Build(map, 0, 0, 30, 0);
    b = BuildFrom(map, a->P2, 0, 0);
    Join(map, b->P2, b, a->P1);
  }
};

TEST(Advance, GoesRoundALoopLineByLine) {
  Loop loop;
  const TTrackPosition pos(loop.a, 130, 1);  // two laps and 10 m
  EXPECT_EQ(pos.Line, loop.a);
  EXPECT_EQ(pos.Dir, 1);
  EXPECT_DOUBLE_EQ(pos.Offset, 10.0);
  const TTrackPosition half(loop.a, 45, 1);
  EXPECT_EQ(half.Line, loop.b);
  EXPECT_DOUBLE_EQ(half.Offset, 15.0);
}

TEST(Advance, WalksHugeDistancesRoundALoopInBoundedTime) {
  Loop loop;
  const double distance = 6e12 + 45;  // 1e11 laps, then 45 m
  const TTrackPosition far(loop.a, distance, 1);
  EXPECT_EQ(far.Line, loop.b);
  EXPECT_NEAR(far.Offset, 15.0, 1e-3);

  const TTrackPosition absurd(loop.a, 1e300, 1);
  ASSERT_NE(absurd.Line, nullptr);
  EXPECT_TRUE(std::isfinite(absurd.Offset));
  EXPECT_LE(absurd.Offset, 30.0);
}

TEST(Advance, LeavesThePositionAloneForADistanceThatIsNotFinite) {
  StraightRun run;
  for (double bad : {std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
    TTrackPosition pos(run.first, 12, 1);
    pos.Advance(bad);
    EXPECT_EQ(pos.Line, run.first);
    EXPECT_EQ(pos.Offset, 12.0);
  }
}

}  // namespace
