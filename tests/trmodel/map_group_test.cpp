#include "map_group.h"

#include <gtest/gtest.h>

#include "errors.h"
#include "map_builder.h"
#include "map_part.h"
#include "map_writer.h"
#include "spatial_index.h"

namespace {

TObjectGroup AllPoints(const TTrainStructureSV& Map) {
  TObjectGroup group;
  for (const auto& point : Map.Points) group.Points.Insert(point.get());
  return group;
}

// A group dragged over many mouse moves holds one record per point, and
// the step still takes the map back and forth exactly, also when other
// changes come between the moves.
TEST(MapGroupTest, AGroupMovedManyTimesIsOneRecordPerPointAndUndoesExactly) {
  TTrainStructureSV map;
  test_maps::BuildNetwork(map);
  const std::string before = WriteMap(map);
  const std::vector<TTrPoint*> points = GroupPoints(map, AllPoints(map));
  std::vector<TTrVector> from;
  for (const TTrPoint* point : points) from.push_back(point->Pos);
  map.BeginEdit();
  for (int step = 1; step <= 50; ++step) {
    PlacePoints(map, points, from, [step](const TTrVector& At) {
      return TTrXY{At.X + step, At.Y - step};
    });
    if (step == 25) map.SetTrackProperties(map.Tracks[0].get(), 2, 1);
  }
  // The whole map moving, drawing looks through the lists rather than make
  // an index at every step; the index comes back when the edit ends.
  EXPECT_EQ(map.SpatialIndexUnlessMovingMuch(), nullptr);
  const std::string after = WriteMap(map);
  TMapEdit edit = map.EndEdit();
  ASSERT_NE(map.SpatialIndexUnlessMovingMuch(), nullptr);
  EXPECT_EQ(map.SpatialIndexUnlessMovingMuch()
                ->Points(TSpatialIndex::BoxOf(*points[0]))
                .size(),
            1u);
  EXPECT_LE(edit.Bytes(), (points.size() + 1) * sizeof(TMapChange));
  edit.Undo(map);
  EXPECT_EQ(WriteMap(map), before);
  edit.Redo(map);
  EXPECT_EQ(WriteMap(map), after);
  EXPECT_EQ(test_maps::Problems(map), "");
}

// Objects that go with others (lines of a deleted point, trains of a
// deleted line) are passed over, whatever the order.
TEST(MapGroupTest, DeleteGroupOfEveryKindLeavesASoundMap) {
  TTrainStructureSV map;
  test_maps::BuildNetwork(map);
  TObjectGroup group;
  group.Points.Insert(map.Points[0].get());
  for (const auto& track : map.Tracks) group.Lines.Insert(track.get());
  for (const auto& train : map.Trains) group.Trains.Insert(train.get());
  DeleteGroup(map, group);
  EXPECT_EQ(test_maps::Problems(map), "");
  EXPECT_TRUE(map.Tracks.empty());
  EXPECT_TRUE(map.Trains.empty());
  EXPECT_FALSE(map.Walls.empty());
}

TEST(MapGroupTest, ConnectedGroupFollowsLinesOnly) {
  TTrainStructureSV map;
  TTrLine* first = test_maps::Build(map, 0, 0, 100, 0);
  TTrLine* second = test_maps::BuildFrom(map, first->P2, 200, 0);
  TTrLine* apart = test_maps::Build(map, 0, 50, 100, 50);
  TObjectGroup start;
  start.Points.Insert(first->P1);
  const TObjectGroup reached = ConnectedGroup(map, start);
  EXPECT_EQ(reached.Points.Size(), 3u);
  EXPECT_TRUE(reached.Lines.Contains(second));
  EXPECT_FALSE(reached.Lines.Contains(apart));
}

// A switch copied with its three lines keeps which line is its entry and
// which its default; one copied with two of them becomes a plain joint.
// Pasted objects get new identifiers in a row from NextId.
TEST(MapGroupTest, CopyAndPasteKeepSwitchLayoutAndGiveNewIdentifiers) {
  TTrainStructureSV map;
  test_maps::BuildNetwork(map);
  const auto part = CopyPart(map, GroupPoints(map, AllPoints(map)));
  EXPECT_EQ(WriteMap(*part), WriteMap(map));
  const int32_t next = map.NextId;
  const size_t points = map.Points.size();
  const TObjectGroup pasted = PastePart(map, *part, 1000, 0);
  EXPECT_EQ(test_maps::Problems(map), "");
  EXPECT_EQ(map.Points.size(), 2 * points);
  EXPECT_EQ(pasted.Trains.Size(), part->Trains.size());
  EXPECT_EQ(map.NextId,
            next + static_cast<int32_t>(points + part->Tracks.size() +
                                        part->Walls.size()));
  for (size_t i = 0; i < points; ++i) {
    const TTrPoint& was = *map.Points[i];
    const TTrPoint& copy = *map.Points[points + i];
    EXPECT_EQ(copy.Pos.X, was.Pos.X + 1000);
    EXPECT_EQ(copy.Pos.Z, was.Pos.Z);
    EXPECT_EQ(copy.LineCount(), was.LineCount());
    // Each reference names the copy of its line, at the same end.
    const TTrLineEnd* wasEnds[] = {&was.Conn1, &was.Conn2, &was.Conn3};
    const TTrLineEnd* copyEnds[] = {&copy.Conn1, &copy.Conn2, &copy.Conn3};
    for (int end = 0; end < was.LineCount(); ++end) {
      EXPECT_EQ(copyEnds[end]->End, wasEnds[end]->End);
      EXPECT_EQ(copyEnds[end]->Line->Length(), wasEnds[end]->Line->Length());
      EXPECT_EQ(IsTrack(copyEnds[end]->Line), IsTrack(wasEnds[end]->Line));
    }
  }

  // Two of three lines of the switch: the point left with them is sound.
  std::vector<TTrPoint*> some;
  for (size_t i = 0; i < points; ++i) {
    if (map.Points[i]->LineCount() == 3) {
      some = {map.Points[i].get(), map.Points[i]->Conn1.Line->P1,
              map.Points[i]->Conn1.Line->P2, map.Points[i]->Conn2.Line->P1,
              map.Points[i]->Conn2.Line->P2};
    }
  }
  ASSERT_FALSE(some.empty());
  const auto two = CopyPart(map, some);
  EXPECT_EQ(test_maps::Problems(*two), "");
  EXPECT_EQ(two->Tracks.size() + two->Walls.size(), 2u);
}

TEST(MapGroupTest, PasteRefusesWhenIdentifiersRunOutAndChangesNothing) {
  TTrainStructureSV map;
  test_maps::Build(map, 0, 0, 100, 0);
  const auto part = CopyPart(map, GroupPoints(map, AllPoints(map)));
  map.SetNextId(INT32_MAX - 1);
  const std::string before = WriteMap(map);
  EXPECT_THROW(PastePart(map, *part, 0, 0), EIdentifierOverflow);
  EXPECT_EQ(WriteMap(map), before);
  EXPECT_EQ(map.NextId, INT32_MAX - 1);
}

}  // namespace
