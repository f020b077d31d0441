#include "track_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map_builder.h"
#include "route_text.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Join;
using test_maps::Kind;

// A switch S at the origin, entry running west to a balloon loop at T that
// turns trains round, default direction east, other direction north-east.
struct TurningJunction {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, -100, 0);
  TTrPoint* s = entry->P1;
  TTrPoint* t = entry->P2;
  TTrLine* straight = BuildFrom(map, s, 100, 0);
  TTrLine* branch = BuildFrom(map, s, 100, 100);
  double loop = 0.0;
  TurningJunction() {
    TTrLine* a = BuildFrom(map, t, -200, 50);
    TTrLine* b = BuildFrom(map, a->P2, -200, -50);
    TTrLine* c = BuildFrom(map, b->P2, -100, -0.5);
    Join(map, c->P2, c, t);
    loop = a->Length() + b->Length() + c->Length();
  }
};

TEST(FindPath, GoesRoundRatherThanFromLegToLeg) {
  TurningJunction j;
  const TTrackPath path = FindPath(*j.straight->P2, *j.branch->P2);
  ASSERT_TRUE(path.Found());
  EXPECT_NEAR(path.Length, 100 + 200 + j.loop + 100 * std::sqrt(2.0), 1e-9);
  ASSERT_EQ(path.Switches.size(), 4u);
  EXPECT_EQ(path.Switches[0].Switch, j.s);
  EXPECT_EQ(path.Switches[0].Way, TSwitchWay::FromDefault);
  EXPECT_EQ(path.Switches[1].Switch, j.t);
  EXPECT_EQ(path.Switches[3].Switch, j.s);
  EXPECT_EQ(path.Switches[3].Way, TSwitchWay::Other);
  EXPECT_DOUBLE_EQ(path.Switches[3].At, 300 + j.loop);
  EXPECT_EQ(path.Stretches.front().Line, j.straight);
  EXPECT_EQ(path.Stretches.back().Line, j.branch);

  // The other way round it is the same length, and each switch set to the
  // way it is passed.
  const TTrackPath back = FindPath(*j.branch->P2, *j.straight->P2);
  ASSERT_TRUE(back.Found());
  EXPECT_DOUBLE_EQ(back.Length, path.Length);
  EXPECT_EQ(PathLines(back, 5, 3)[1],
            "Switch 0 at 141.42 m: set to the other direction, coming in "
            "from it");
}

TEST(FindPath, TakesTheShorterOfTwoWays) {
  // From the straight's end to the entry's far end: straight through the
  // switch, not round the balloon.
  TurningJunction j;
  const TTrackPath path = FindPath(*j.straight->P2, *j.t);
  ASSERT_TRUE(path.Found());
  EXPECT_DOUBLE_EQ(path.Length, 200.0);
  EXPECT_EQ(path.Stretches.size(), 2u);
}

// A ring of plain joints, started and ended on: the search runs along it
// both ways from the start and must keep the shorter, and may not run round
// past the start.
TEST(FindPath, GoesTheShorterWayRoundARing) {
  TTrainStructureSV map;
  TTrLine* first = Build(map, 0, 0, 100, 0);
  TTrPoint* start = first->P1;
  TTrPoint* east = BuildFrom(map, first->P2, 100, 60)->P2;
  TTrLine* north = BuildFrom(map, east, 100, 100);
  TTrPoint* corner = BuildFrom(map, north->P2, 0, 100)->P2;
  TTrLine* last = BuildFrom(map, corner, 0, 1);
  Join(map, last->P2, last, start);
  ASSERT_EQ(start->LineCount(), 2);
  TPathFinder finder;
  for (int twice = 0; twice < 2; ++twice) {
    TTrackPath path = finder.Find(*start, *east);
    EXPECT_DOUBLE_EQ(path.Length, 160.0);
    EXPECT_EQ(path.Stretches.size(), 2u);
    EXPECT_TRUE(path.Switches.empty());
    path = finder.Find(*start, *corner);
    EXPECT_DOUBLE_EQ(path.Length, 100.0);
    ASSERT_EQ(path.Stretches.size(), 1u);
    EXPECT_EQ(path.Stretches[0].Line, last);
    path = finder.Find(*east, *corner);
    EXPECT_DOUBLE_EQ(path.Length, 140.0);
  }
}

TEST(FindPath, SaysWhyThereIsNone) {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 100, 0);
  TTrLine* straight = BuildFrom(map, entry->P2, 200, 0);
  TTrLine* branch = BuildFrom(map, entry->P2, 200, 50);
  TTrLine* apart = Build(map, 0, 500, 100, 500);
  TTrLine* wall = Build(map, 0, -50, 100, -50, Kind::Wall);

  EXPECT_EQ(FindPath(*straight->P2, *branch->P2).Failure,
            TPathFailure::OnlyLegToLeg);
  EXPECT_EQ(FindPath(*entry->P1, *apart->P2).Failure, TPathFailure::NotJoined);
  EXPECT_EQ(FindPath(*wall->P1, *entry->P1).Failure,
            TPathFailure::NoTrackAtFrom);
  EXPECT_EQ(FindPath(*entry->P1, *wall->P2).Failure, TPathFailure::NoTrackAtTo);
  // Within one leg and the entry a train can go.
  EXPECT_TRUE(FindPath(*branch->P2, *entry->P1).Found());
  EXPECT_EQ(PathLines(FindPath(*straight->P2, *branch->P2), 3, 5),
            (std::vector<std::string>{
                "No path from point 3 to point 5: they are joined only "
                "through a turn from one leg of a switch to the other"}));
}

}  // namespace
