#include "train_route.h"

#include <gtest/gtest.h>

#include <vector>

#include "map_builder.h"
#include "route_text.h"
#include "train_structure.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Join;

std::vector<const TTrLine*> Lines(const TTrainRoute& Route) {
  std::vector<const TTrLine*> lines;
  for (const TRouteStretch& stretch : Route.Stretches) {
    lines.push_back(stretch.Line);
  }
  return lines;
}

// A switch at (100, 0): entry from the west, default direction on east,
// other direction up to the north-east.
struct Junction {
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 0, 0, 100, 0);
  TTrPoint* at = entry->P2;
  TTrLine* straight = BuildFrom(map, at, 200, 0);
  TTrLine* branch = BuildFrom(map, at, 160, 80);
};

TEST(TraceRoute, TakesTheDefaultFromTheEntryAndChangesWithASwap) {
  Junction j;
  TTrainRoute route = TraceRoute(TTrackPosition(j.entry, 30, 1));
  EXPECT_EQ(Lines(route), (std::vector<const TTrLine*>{j.entry, j.straight}));
  EXPECT_EQ(route.Stretches[0].From, 30.0);
  EXPECT_EQ(route.End, TRouteEnd::DeadEnd);
  EXPECT_EQ(route.EndPoint, j.straight->P2);
  EXPECT_DOUBLE_EQ(route.Length, 170.0);
  EXPECT_EQ(route.Switches, (TSwitchPasses{{j.at, 70.0, TSwitchWay::Default}}));

  ASSERT_TRUE(j.map.SwapSwitch(j.at));
  route = TraceRoute(TTrackPosition(j.entry, 30, 1));
  EXPECT_EQ(Lines(route), (std::vector<const TTrLine*>{j.entry, j.branch}));
  EXPECT_DOUBLE_EQ(route.Length, 170.0);
  EXPECT_EQ(route.EndPoint, j.branch->P2);
  EXPECT_EQ(RouteLines(route, 2),
            (std::vector<std::string>{
                "Train 2: 170.00 m to the dead end at point 5",
                "Switch 1 at 70.00 m: takes the default direction"}));
}

TEST(TraceRoute, ComesInFromEitherLegOntoTheEntry) {
  Junction j;
  for (TTrLine* leg : {j.straight, j.branch}) {
    const TTrainRoute route = TraceRoute(TTrackPosition(leg, 0, 2));
    EXPECT_EQ(Lines(route), (std::vector<const TTrLine*>{leg, j.entry}));
    EXPECT_EQ(route.EndPoint, j.entry->P1);
    ASSERT_EQ(route.Switches.size(), 1u);
    EXPECT_EQ(route.Switches[0].Way, leg == j.straight ? TSwitchWay::FromDefault
                                                       : TSwitchWay::FromOther);
  }
}

// A square of 100 m lines, closed where it began.
struct Square {
  TTrainStructureSV map;
  TTrLine* first = Build(map, 0, 0, 100, 0);
  std::vector<TTrLine*> lines{first};
  Square() {
    lines.push_back(BuildFrom(map, first->P2, 100, 100));
    lines.push_back(BuildFrom(map, lines.back()->P2, 0, 100));
    lines.push_back(BuildFrom(map, lines.back()->P2, 0, 0.5));
    Join(map, lines.back()->P2, lines.back(), first->P1);
  }
};

TEST(TraceRoute, ALoopThroughTheTrainsPlaceClosesThere) {
  Square square;
  const TTrainRoute route = TraceRoute(TTrackPosition(square.first, 30, 1));
  EXPECT_EQ(route.End, TRouteEnd::Loop);
  EXPECT_DOUBLE_EQ(route.Length, 400.0);
  EXPECT_DOUBLE_EQ(route.LoopLength, 400.0);
  ASSERT_EQ(route.Stretches.size(), 5u);
  EXPECT_EQ(route.Stretches.back().Line, square.first);
  EXPECT_EQ(route.Stretches.back().To, 30.0);
}

// A balloon: a lead into a switch whose two legs are the ends of one loop
// turns a train round.
TEST(TraceRoute, ABalloonTurnsTheTrainRound) {
  TTrainStructureSV map;
  TTrLine* lead = Build(map, 0, 0, 100, 0);
  TTrPoint* at = lead->P2;
  TTrLine* out = BuildFrom(map, at, 200, 50);
  TTrLine* top = BuildFrom(map, out->P2, 200, -50);
  TTrLine* back = BuildFrom(map, top->P2, 100, 0.5);
  Join(map, back->P2, back, at);
  ASSERT_EQ(at->LineCount(), 3);

  const TTrainRoute turned = TraceRoute(TTrackPosition(lead, 0, 1));
  EXPECT_EQ(turned.End, TRouteEnd::DeadEnd);
  EXPECT_EQ(turned.EndPoint, lead->P1);
  ASSERT_EQ(turned.Switches.size(), 2u);
  EXPECT_EQ(turned.Switches[0].Way, TSwitchWay::Default);
  EXPECT_EQ(turned.Switches[1].Way, TSwitchWay::FromOther);
  const double loop = out->Length() + top->Length() + back->Length();
  EXPECT_DOUBLE_EQ(turned.Length, 200.0 + loop);
}

TEST(TraceRoute, AFarLoopIsMeasuredFromWhereTheRouteJoinsIt) {
  // A lead that is one leg of a switch whose entry and other leg make a
  // loop: the train comes in from the leg, goes round through the entry and
  // comes back on the other leg, onto the entry again.
  TTrainStructureSV map;
  TTrLine* entry = Build(map, 100, 0, 200, 0);
  TTrPoint* at = entry->P1;
  TTrLine* lead = BuildFrom(map, at, 0, 0);
  TTrLine* up = BuildFrom(map, entry->P2, 200, 100);
  TTrLine* home = BuildFrom(map, up->P2, 100.5, 0);
  Join(map, home->P2, home, at);
  ASSERT_EQ(at->LineCount(), 3);

  const TTrainRoute route = TraceRoute(TTrackPosition(lead, 0, 2));
  EXPECT_EQ(route.End, TRouteEnd::Loop);
  const double loop = entry->Length() + up->Length() + home->Length();
  EXPECT_DOUBLE_EQ(route.LoopLength, loop);
  EXPECT_DOUBLE_EQ(route.Length, 100.0 + loop);
}

TEST(TraceRoute, StopsAtTheLimit) {
  TTrainStructureSV map;
  TTrLine* line = Build(map, 0, 0, 150000, 0);
  const TTrainRoute route = TraceRoute(TTrackPosition(line, 10, 1));
  EXPECT_EQ(route.End, TRouteEnd::Limit);
  EXPECT_EQ(route.Length, kRouteLimit);
  EXPECT_EQ(route.Stretches.back().To, kRouteLimit + 10);
}

}  // namespace
