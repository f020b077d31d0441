#include "spatial_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "index_check.h"
#include "map_builder.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::IndexProblems;

const std::vector<TWorldBox> kBoxes = {{-1e300, -1e300, 1e300, 1e300},
                                       {-1, -1, 1, 1},
                                       {0, 0, 0, 0},
                                       {5, -10, 25, 10},
                                       {1e20, 1e20, 1e30, 1e30}};

// Layouts that a grid sized to the points must still file correctly: no
// points, all at one place, all on one line, most near the origin and one
// very far, lines across the whole map, and a train reaching everywhere.
TEST(SpatialIndex, FindsWhatAVisitOfEveryObjectFindsOnOddLayouts) {
  TTrainStructureSV empty;
  EXPECT_EQ(IndexProblems(empty, kBoxes), "");

  TTrainStructureSV onePlace;
  for (int i = 0; i < 50; ++i) Build(onePlace, 0, 0, 0, 0);
  EXPECT_EQ(IndexProblems(onePlace, kBoxes), "");

  TTrainStructureSV oneRow;
  TTrLine* line = Build(oneRow, 0, 0, 1, 0);
  for (int i = 2; i < 400; ++i) line = BuildFrom(oneRow, line->P2, i, 0);
  Build(oneRow, -1000, 0, 1000, 0);
  EXPECT_EQ(IndexProblems(oneRow, kBoxes), "");

  TTrainStructureSV spread;
  for (int i = 0; i < 400; ++i) {
    Build(spread, i % 20, i / 20, i % 20 + 1, i / 20, test_maps::Kind::Wall);
  }
  Build(spread, 1e25, 1e25, 1e25, 1e25 + 1);
  Build(spread, -1e25, 0, 1e25, 0);
  TTrLine* track = Build(spread, 10, 10, 11, 11);
  spread.AddTrain(MakeOwned<TTrain>(track, 1, 1e300));
  spread.AddTrain(MakeOwned<TTrain>(track, 2, 50));
  EXPECT_EQ(IndexProblems(spread, kBoxes), "");
}

// Deleting a run of neighbours and undoing the deletions from the last one
// back puts each between the same two neighbours, halving the room between
// their keys every time, until there is none left.
TEST(SpatialIndex, StaysRightWhenAnUndoFindsNoRoomBetweenKeys) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 1, 0);
  for (int i = 2; i < 60; ++i) line = BuildFrom(map, line->P2, i, i % 3);
  ASSERT_EQ(IndexProblems(map, kBoxes), "");
  std::vector<TMapEdit> edits;
  for (int i = 0; i < 40; ++i) {
    map.BeginEdit();
    map.DeletePoint(map.Points[10].get());
    edits.push_back(map.EndEdit());
    ASSERT_EQ(IndexProblems(map, kBoxes), "") << "deletion " << i;
  }
  while (!edits.empty()) {
    edits.back().Undo(map);
    edits.pop_back();
    ASSERT_EQ(IndexProblems(map, kBoxes), "") << edits.size() << " left";
  }
}

// A map that grows far beyond what its grid was laid out for.
TEST(SpatialIndex, StaysRightAsTheMapGrowsFromEmpty) {
  TTrainStructureSV map;
  ASSERT_EQ(IndexProblems(map, kBoxes), "");
  for (int i = 0; i < 3000; ++i) {
    Build(map, i % 50, i / 50, i % 50, i / 50 + 1);
    if (i % 250 == 0) {
      ASSERT_EQ(IndexProblems(map, kBoxes), "") << i;
    }
  }
  EXPECT_EQ(IndexProblems(map, kBoxes), "");
}

// Deleting outside an edit: a line's bare neighbour goes before the line,
// whose box the index reads on the way (the sanitizer build checks that
// nothing freed is read).
TEST(SpatialIndex, StaysRightWhenDeletionsRunOutsideAnEdit) {
  TTrainStructureSV map;
  TTrLine* lone = Build(map, 0, 0, 10, 0);
  TTrLine* first = Build(map, 0, 20, 10, 20);
  BuildFrom(map, first->P2, 20, 20);
  TTrLine* spur = Build(map, 0, 40, 10, 40);
  ASSERT_EQ(IndexProblems(map, kBoxes), "");
  map.DeleteLineOnly(lone);
  map.DeletePoint(first->P2);
  map.DeletePoint(spur->P1);
  EXPECT_TRUE(map.Points.empty());
  EXPECT_TRUE(map.Tracks.empty());
  EXPECT_EQ(IndexProblems(map, kBoxes), "");
}

}  // namespace
