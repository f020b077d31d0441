#include "map_lint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "map_builder.h"
#include "map_generator.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Kind;

std::vector<std::string> Lines(const TTrainStructureSV& Map) {
  std::vector<std::string> lines;
  for (const TLintFinding& finding : LintMap(Map)) {
    lines.push_back(LintLine(finding));
  }
  return lines;
}

// The findings other than the count of dead ends.
std::vector<std::string> Problems(const TTrainStructureSV& Map,
                                  const TLintOptions& Options = {}) {
  std::vector<std::string> lines;
  for (const TLintFinding& finding : LintMap(Map, Options)) {
    if (IsProblem(finding)) lines.push_back(LintLine(finding));
  }
  return lines;
}

TTrain* AddTrain(TTrainStructureSV& Map, TTrLine* Line, uint8_t Dir,
                 double Offset, double Length) {
  TTrain* train = Map.AddTrain(MakeOwned<TTrain>(Line, Dir, Length));
  train->Position = TTrackPosition(Line, Offset, Dir);
  return train;
}

TEST(LintMap, FindsEndsNearPointsOfTheirKindThatNoLineJoinsThemTo) {
  TTrainStructureSV map;
  // Track ends 0.3 m apart (points 1 and 3), both reported, each naming
  // the other; a wall end (10) exactly 0.5 m from a wall point in the
  // middle of a wall (8), which has two lines.
  Build(map, 0, 0, 100, 0);
  Build(map, 100.25, 0.2, 200, 0);
  TTrLine* wall = Build(map, 0, 50, 100, 50, Kind::Wall);
  BuildFrom(map, wall->P2, 200, 50, Kind::Wall);
  Build(map, 100, 50.5, 100, 80, Kind::Wall);
  EXPECT_EQ(Problems(map),
            (std::vector<std::string>{
                "unjoined 1: track end 0.32 m from track point 3, not joined "
                "to it",
                "unjoined 3: track end 0.32 m from track point 1, not joined "
                "to it",
                "unjoined 11: wall end 0.50 m from wall point 7, not joined "
                "to it"}));
}

TEST(LintMap, LeavesEndsAloneThatAreFarOrJoinedOrBesideTheOtherKind) {
  TTrainStructureSV map;
  // A line of 0.3 m joins its own two ends; a wall end lies on a track
  // point; two ends lie 0.51 m apart; a switch's siding ends far away,
  // leaving at a bend of no sharpness.
  Build(map, 0, 0, 0.3, 0);
  TTrLine* track = Build(map, 10, 0, 20, 0);
  Build(map, 20, 0, 20, 10, Kind::Wall);
  Build(map, 30, 0, 40, 0);
  Build(map, 40.51, 0, 50, 0);
  BuildFrom(map, track->P2, 120, 20);
  EXPECT_EQ(Problems(map), std::vector<std::string>{});
}

TEST(LintMap, FindsLinesOfNoLengthAndPointsWithoutLines) {
  TTrainStructureSV map;
  Build(map, 5, 5, 5, 5);
  Build(map, -3, 7, -3, 7, Kind::Wall);
  map.NewPoint(1, 1);
  // Same place on the plan, different heights: still no length.
  TTrLine* wall = Build(map, 8, 0, 9, 0, Kind::Wall);
  map.MovePoint(wall->P2, 8, 0);
  map.SetPointHeight(wall->P2, 3.0);
  EXPECT_EQ(Problems(map),
            (std::vector<std::string>{
                "bare-point 6: point has no lines",
                "zero-length 2: track has both its points at the same place",
                "zero-length 5: wall has both its points at the same place",
                "zero-length 9: wall has both its points at the same place"}));
}

TEST(LintMap, FindsTrainsSharingTrackWhereverTheirLengthTakesThem) {
  TTrainStructureSV map;
  // A run of three 100 m lines (2, 4, 6) going east.
  TTrLine* first = Build(map, 0, 0, 100, 0);
  TTrLine* second = BuildFrom(map, first->P2, 200, 0);
  TTrLine* third = BuildFrom(map, second->P2, 300, 0);
  // Train 1 runs from 80 m on the first line onto the second; train 2
  // stands on the second line facing west from its far end, reaching back
  // to 30 m on it: they share 10 m of the second line.
  AddTrain(map, first, 1, 80, 60);
  AddTrain(map, second, 2, 0, 70);
  // Trains 3 and 4 stand nose to tail on the third line: they only touch.
  AddTrain(map, third, 1, 0, 40);
  AddTrain(map, third, 1, 40, 40);
  // Train 5 stands on the first line inside train 1's stretch.
  AddTrain(map, first, 1, 85, 5);
  EXPECT_EQ(Problems(map),
            (std::vector<std::string>{
                "overlap 2: trains 1 and 5 stand on the same stretch of track",
                "overlap 4: trains 1 and 2 stand on the same stretch of track",
            }));
}

TEST(LintMap, SortsByKindThenIdentifierAndCountsTrackDeadEnds) {
  TTrainStructureSV map;
  Build(map, 0, 0, 0, 0);                    // zero-length 2, two dead ends
  map.NewPoint(50, 50);                      // bare-point 3
  Build(map, 10, 0, 20, 0, Kind::Wall);      // wall ends: no dead ends
  TTrLine* loop = Build(map, 30, 0, 40, 0);  // two dead ends
  BuildFrom(map, loop->P2, 50, 0);           // one more, one less
  map.NewPoint(60, 60);                      // bare-point 12
  const std::vector<TLintFinding> found = LintMap(map);
  EXPECT_EQ(Lines(map),
            (std::vector<std::string>{
                "bare-point 3: point has no lines",
                "bare-point 12: point has no lines",
                "dead-ends 4: track end points with one line",
                "zero-length 2: track has both its points at the same place"}));
  EXPECT_FALSE(IsProblem(found[2]));
}

TEST(LintMap, FindsBendsOfARadiusBelowTheMinimumAtTheirPoint) {
  TTrainStructureSV map;
  // Three points on a circle of radius 125 m.
  TTrLine* line = Build(map, -100, 50, 0, 0);  // points 0, 1; line 2
  BuildFrom(map, line->P2, 100, 50);
  // Walls of the same shape: no train takes them.
  TTrLine* wall = Build(map, -100, 550, 0, 500, Kind::Wall);
  BuildFrom(map, wall->P2, 100, 550, Kind::Wall);
  EXPECT_EQ(Problems(map),
            std::vector<std::string>{"sharp-bend 1: track bends at a radius "
                                     "of 125.00 m, less than 150 m"});
  EXPECT_EQ(Problems(map, {120}), std::vector<std::string>{});
  EXPECT_EQ(Problems(map, {130.5}),
            std::vector<std::string>{"sharp-bend 1: track bends at a radius "
                                     "of 125.00 m, less than 130.5 m"});
}

TEST(LintMap, JudgesASwitchByTheWayATrainTakesThroughIt) {
  TTrainStructureSV map;
  // Entry from the west, straight on to the east by default, the other
  // direction off at 53 degrees. From one direction to the other would be
  // the sharpest, and no train goes that way.
  TTrLine* entry = Build(map, -100, 0, 0, 0);  // points 0, 1; line 2
  BuildFrom(map, entry->P2, 100, 0);
  BuildFrom(map, entry->P2, 60, 80);
  TTrPoint* at = entry->P2;
  EXPECT_EQ(Problems(map),
            std::vector<std::string>{"sharp-bend 1: entry to other direction "
                                     "bends at a radius of 111.80 m, less "
                                     "than 150 m"});
  map.SwapSwitch(at);
  EXPECT_EQ(Problems(map),
            std::vector<std::string>{"sharp-bend 1: entry to default "
                                     "direction bends at a radius of 111.80 "
                                     "m, less than 150 m"});
  // Entered from the east, the way to the north-east turns back.
  map.SwapSwitch(at);
  map.RotateSwitch(at);
  EXPECT_EQ(Problems(map),
            std::vector<std::string>{"sharp-bend 1: entry to default "
                                     "direction bends at a radius of 55.90 m, "
                                     "less than 150 m"});
}

TEST(LintMap, FindsNoSharpBendOnAStraightRunOrAGenerousCurve) {
  TTrainStructureSV map;
  // A straight run at an awkward bearing, its points rounded as all are.
  TTrLine* line = Build(map, 0, 0, 12.345, -6.789);
  for (int k = 2; k <= 20; ++k) {
    line = BuildFrom(map, line->P2, 12.345 * k, -6.789 * k);
  }
  // An arc of radius 300 m in 5 m chords, turning 57 degrees.
  const double step = 2 * std::asin(5.0 / 600);
  const auto arc = [step](int K, double& X, double& Y) {
    X = 1000 + 300 * std::sin(K * step);
    Y = 300 - 300 * std::cos(K * step);
  };
  double x = 0, y = 0;
  arc(1, x, y);
  line = Build(map, 1000, 0, x, y);
  for (int k = 2; k <= 60; ++k) {
    arc(k, x, y);
    line = BuildFrom(map, line->P2, x, y);
  }
  EXPECT_EQ(Problems(map), std::vector<std::string>{});
  // Under the largest minimum the run has still none, and each of the
  // arc's 59 inner points has the arc's radius.
  const std::vector<std::string> found = Problems(map, {1e6});
  EXPECT_EQ(found.size(), 59u);
  for (const std::string& finding : found) {
    EXPECT_TRUE(finding.ends_with(
        ": track bends at a radius of 300.00 m, less than 1000000 m"))
        << finding;
  }
}

TEST(LintMap, FindsTrackThatFoldsBackButNoBendAtALineOfNoLength) {
  TTrainStructureSV map;
  // Back from the end of a 100 m line to its middle: the three points make
  // no circle; the nearer neighbour's distance makes one 50 m across.
  TTrLine* line = Build(map, 0, 0, 100, 0);  // points 0, 1; line 2
  BuildFrom(map, line->P2, 50, 0);
  // Nearly so: the circle through the three points is 2.5 km in radius.
  line = Build(map, 0, 100, 100, 100);  // points 5, 6; line 7
  BuildFrom(map, line->P2, 50, 100.5);
  // A line of no length in a run is told as such, and makes no bend.
  line = Build(map, 0, 200, 10, 200);                 // 10, 11; 12
  TTrLine* none = BuildFrom(map, line->P2, 10, 200);  // 13; 14
  BuildFrom(map, none->P2, 20, 205);
  EXPECT_EQ(
      Problems(map),
      (std::vector<std::string>{
          "sharp-bend 1: track bends at a radius of 25.00 m, less than 150 m",
          "sharp-bend 6: track bends at a radius of 25.00 m, less than 150 m",
          "zero-length 14: track has both its points at the same place"}));
}

TEST(LintMap, FindsNothingButDeadEndsOnAGeneratedMap) {
  const auto map = GenerateMap(20000);
  const std::vector<std::string> lines = Lines(*map);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("dead-ends "));
}

}  // namespace
