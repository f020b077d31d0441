#include <gtest/gtest.h>

#include <memory>

#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Join;
using test_maps::Problems;
using test_maps::Ref;

TEST(DeletePoint, AnIsolatedLineGoesWithBothItsPoints) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 10, 0);
  map.DeletePoint(line->P1);
  EXPECT_TRUE(map.Points.empty());
  EXPECT_TRUE(map.Tracks.empty());
}

TEST(DeletePoint, MiddleOfAChainLeavesTwoDeadEnds) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);       // 0, 1, 2
  TTrLine* b = BuildFrom(map, a->P2, 20, 0);  // 3, 4
  TTrLine* left = Build(map, -10, 0, 0, 1);   // 5, 6, 7
  Join(map, left->P2, left, a->P1);
  TTrLine* right = BuildFrom(map, b->P2, 30, 0);  // 8, 9
  // Chain: left - a - b - right; delete the point between a and b.
  map.DeletePoint(a->P2);
  ASSERT_EQ(map.Tracks.size(), 2u);
  EXPECT_EQ(map.Tracks[0].get(), left);
  EXPECT_EQ(map.Tracks[1].get(), right);
  // The neighbours that kept a line are dead ends with no links left there.
  EXPECT_EQ(Ref(left->P2->Conn1), "7:2");
  EXPECT_EQ(Ref(left->P2->Conn2), "-");
  EXPECT_EQ(Ref(left->Next2), "-");
  EXPECT_EQ(Ref(left->Branch2), "-");
  EXPECT_EQ(Ref(right->P1->Conn1), "9:1");
  EXPECT_EQ(Ref(right->Next1), "-");
  EXPECT_EQ(map.Points.size(), 4u);
  EXPECT_EQ(Problems(map), "");
}

TEST(DeletePoint, TheMiddleOfTwoLinesTakesBothLinesAndEnds) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  BuildFrom(map, a->P2, 20, 0);
  map.DeletePoint(a->P2);
  EXPECT_TRUE(map.Points.empty());
  EXPECT_TRUE(map.Tracks.empty());
}

struct SwitchMap {
  TTrainStructureSV map;
  TTrLine* entry;
  TTrLine* straight;
  TTrLine* other;
  TTrPoint* s;
  SwitchMap() {
    entry = Build(map, 0, 0, 10, 0);  // 0, 1, 2
    s = entry->P2;
    straight = BuildFrom(map, s, 20, 0);  // 3, 4
    other = BuildFrom(map, s, 20, 5);     // 5, 6
  }
};

TEST(DeletePoint, LosingTheEntryLeavesTheOtherDirectionFirst) {
  SwitchMap sw;
  sw.map.DeletePoint(sw.entry->P1);
  EXPECT_EQ(Ref(sw.s->Conn1), "6:1");
  EXPECT_EQ(Ref(sw.s->Conn2), "4:1");
  EXPECT_EQ(Ref(sw.s->Conn3), "-");
  EXPECT_EQ(Ref(sw.other->Next1), "4:1");
  EXPECT_EQ(Ref(sw.straight->Next1), "6:1");
  EXPECT_EQ(Ref(sw.other->Branch1), "-");
  EXPECT_EQ(Ref(sw.straight->Branch1), "-");
  EXPECT_EQ(Problems(sw.map), "");
}

TEST(DeletePoint, LosingTheDefaultDirectionMovesTheOtherIntoItsPlace) {
  SwitchMap sw;
  sw.map.DeletePoint(sw.straight->P2);
  EXPECT_EQ(Ref(sw.s->Conn1), "2:2");
  EXPECT_EQ(Ref(sw.s->Conn2), "6:1");
  EXPECT_EQ(Ref(sw.s->Conn3), "-");
  EXPECT_EQ(Ref(sw.entry->Next2), "6:1");
  EXPECT_EQ(Ref(sw.entry->Branch2), "-");
  EXPECT_EQ(Ref(sw.other->Next1), "2:2");
  EXPECT_EQ(Problems(sw.map), "");
}

TEST(DeletePoint, LosingTheOtherDirectionLeavesAPlainJoint) {
  SwitchMap sw;
  sw.map.DeletePoint(sw.other->P2);
  EXPECT_EQ(Ref(sw.s->Conn1), "2:2");
  EXPECT_EQ(Ref(sw.s->Conn2), "4:1");
  EXPECT_EQ(Ref(sw.entry->Branch2), "-");
  EXPECT_EQ(Problems(sw.map), "");
}

TEST(DeletePoint, TheSwitchPointTakesAllThreeLinesAndTheirEnds) {
  SwitchMap sw;
  sw.map.DeletePoint(sw.s);
  EXPECT_TRUE(sw.map.Points.empty());
  EXPECT_TRUE(sw.map.Tracks.empty());
}

TEST(DeletePoint, ALineWithBothEndsAtThePointIsDeletedOnce) {
  TTrainStructureSV map;
  TTrLine* loop = Build(map, 0, 0, 0, 0);
  Join(map, loop->P2, loop, loop->P1);
  TTrLine* other = Build(map, 50, 0, 60, 0);
  map.DeletePoint(map.Points[0].get());
  ASSERT_EQ(map.Tracks.size(), 1u);
  EXPECT_EQ(map.Tracks[0].get(), other);
  EXPECT_EQ(map.Points.size(), 2u);
  EXPECT_EQ(Problems(map), "");
}

TEST(DeletePoint, ALoopAtASwitchNeverTouchesAFreedLine) {
  // A switch whose default and other direction are the two ends of one line.
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 10, 0);
  TTrPoint* s = entry->P2;
  TTrLine* loop = BuildFrom(map, s, 20, 10);
  Join(map, loop->P2, loop, s);
  ASSERT_EQ(s->LineCount(), 3);
  ASSERT_EQ(Problems(map), "");
  map.DeletePoint(s);
  EXPECT_TRUE(map.Tracks.empty());
  EXPECT_TRUE(map.Points.empty());

  // The same, deleted from the far end of the entry: the loop stays.
  TTrainStructureSV again;
  entry = Build(again, 0, 0, 10, 0);
  s = entry->P2;
  loop = BuildFrom(again, s, 20, 10);
  Join(again, loop->P2, loop, s);
  again.DeletePoint(entry->P1);
  ASSERT_EQ(again.Tracks.size(), 1u);
  EXPECT_EQ(Ref(s->Conn1), Ref(TTrLineEnd{loop, 2}));
  EXPECT_EQ(Ref(s->Conn2), Ref(TTrLineEnd{loop, 1}));
  EXPECT_EQ(Problems(again), "");
}

TEST(DeletePoint, TwoParallelLinesTakeTheSharedNeighbourWithThem) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 10, 0);
  TTrLine* b = BuildFrom(map, a->P2, 0, 5);
  Join(map, b->P2, b, a->P1);  // two lines between the same two points
  ASSERT_EQ(Problems(map), "");
  map.DeletePoint(a->P1);
  EXPECT_TRUE(map.Points.empty());
  EXPECT_TRUE(map.Tracks.empty());
}

TEST(DeletePoint, TrainsOnDeletedLinesGoWithThem) {
  TTrainStructureSV map;
  TTrLine* a = Build(map, 0, 0, 100, 0);
  TTrLine* b = Build(map, 0, 50, 100, 50);
  map.AddTrain(MakeOwned<TTrain>(a, 1, 50));
  TTrain* kept = map.AddTrain(MakeOwned<TTrain>(b, 2, 50));
  map.AddTrain(MakeOwned<TTrain>(a, 2, 50));
  map.DeletePoint(a->P2);
  ASSERT_EQ(map.Trains.size(), 1u);
  EXPECT_EQ(map.Trains[0].get(), kept);
  EXPECT_EQ(Problems(map), "");
}

TEST(DeletePoint, WallsAreDeletedFromTheWallList) {
  TTrainStructureSV map;
  TTrLine* track = Build(map, 0, 0, 10, 0);
  TTrLine* wall = Build(map, 0, 5, 10, 5, test_maps::Kind::Wall);
  BuildFrom(map, wall->P2, 20, 5, test_maps::Kind::Wall);
  map.DeletePoint(wall->P1);
  EXPECT_EQ(map.Tracks.size(), 1u);
  EXPECT_EQ(map.Tracks[0].get(), track);
  EXPECT_EQ(map.Walls.size(), 1u);
  EXPECT_EQ(Problems(map), "");
}

}  // namespace

namespace {

// Deleting one line: a switch leg leaves a plain joint, a lone line goes
// with its points, a line with both ends at one point lets go of both, and
// the trains on a deleted line go with it.
TEST(DeleteLineOnly, LeavesItsPointsRelinkedOrGone) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 10, 0);
  TTrLine* straight = BuildFrom(map, entry->P2, 20, 0);
  TTrLine* leg = BuildFrom(map, entry->P2, 20, 10);
  TTrPoint* legEnd = leg->P2;
  map.AddTrain(MakeOwned<TTrain>(leg, 1, 50));
  TTrain* kept = map.AddTrain(MakeOwned<TTrain>(straight, 1, 50));
  map.DeleteLineOnly(leg);
  EXPECT_EQ(map.Tracks.size(), 2u);
  ASSERT_EQ(map.Trains.size(), 1u);
  EXPECT_EQ(map.Trains[0].get(), kept);
  EXPECT_EQ(entry->P2->LineCount(), 2);
  EXPECT_EQ(Ref(entry->Next2), Ref(entry->P2->Conn2));
  EXPECT_EQ(Ref(entry->Branch2), "-");
  EXPECT_EQ(map.Points.size(), 3u);
  EXPECT_NE(map.Points.back().get(), legEnd);

  TTrLine* loop = BuildFrom(map, straight->P2, 20, 0);
  Join(map, loop->P2, loop, straight->P2);
  ASSERT_EQ(straight->P2->LineCount(), 3);
  map.DeleteLineOnly(loop);
  EXPECT_EQ(straight->P2->LineCount(), 1);
  EXPECT_EQ(Problems(map), "");

  map.DeleteLineOnly(straight);
  map.DeleteLineOnly(entry);
  EXPECT_TRUE(map.Points.empty());
  EXPECT_TRUE(map.Tracks.empty());
}

}  // namespace
