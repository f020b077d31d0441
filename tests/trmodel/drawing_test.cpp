#include <gtest/gtest.h>

#include <cmath>

#include "curve_building.h"
#include "drawing_geometry.h"
#include "map_builder.h"
#include "map_lint.h"
#include "map_reader.h"
#include "map_writer.h"
#include "track_distance.h"

namespace {

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Problems;

double Degrees(double Radians) { return Radians / kDegree; }

TTrXY At(const TTrPoint& Point) { return {Point.Pos.X, Point.Pos.Y}; }

// The heading from A to B, in degrees.
double HeadingDegrees(TTrXY A, TTrXY B) {
  return Degrees(std::atan2(B.X - A.X, B.Y - A.Y));
}

TEST(DrawingGeometryTest, PolarPointsAndSnapsLandWhereTheNumbersSay) {
  const TTrXY east = PolarPoint({12.345, -3.0}, 120.0, 90.0);
  EXPECT_NEAR(east.X, 132.345, 1e-9);
  EXPECT_NEAR(east.Y, -3.0, 1e-9);
  const TTrXY southWest = PolarPoint({0, 0}, std::sqrt(2.0), 225.0);
  EXPECT_NEAR(southWest.X, -1.0, 1e-12);
  EXPECT_NEAR(southWest.Y, -1.0, 1e-12);
  EXPECT_NEAR(CompassDegrees({0, 0}, {-1, 1}), 315.0, 1e-9);
  EXPECT_EQ(CompassDegrees({0, 0}, {0, -1}), 180.0);

  const TTrXY grid = SnapToGrid({149.9, -50.1}, 100.0);
  EXPECT_EQ(grid.X, 100.0);
  EXPECT_EQ(grid.Y, -100.0);
  EXPECT_EQ(SnapToGrid({3.3, 4.4}, 0.0).X, 3.3);

  // 37 degrees turns to 30, 38 to 45, the length kept.
  const TTrXY from{10, 10};
  const TTrXY snapped = SnapBearing(from, PolarPoint(from, 50, 37), 15.0);
  EXPECT_NEAR(CompassDegrees(from, snapped), 30.0, 1e-9);
  EXPECT_NEAR(Distance(from, snapped), 50.0, 1e-9);
  EXPECT_NEAR(
      CompassDegrees(from, SnapBearing(from, PolarPoint(from, 5, 38), 15.0)),
      45.0, 1e-9);
  // Just left of north comes to north, not to 360.
  EXPECT_NEAR(
      CompassDegrees(from, SnapBearing(from, PolarPoint(from, 5, 359), 15.0)),
      0.0, 1e-9);
}

TEST(DrawingGeometryTest, ChordsKeepToTheCircleButAreNeverShorterThanAMetre) {
  for (const double radius : {0.4, 5.0, 40.0, 300.0, 20000.0}) {
    for (const double turn : {0.3, -30.0, 90.0, 200.0}) {
      const TArc arc{{5, 5}, 1.0, radius, turn * kDegree};
      const std::vector<TTrXY> ends = ChordEnds(arc);
      ASSERT_EQ(ends.size(), size_t(ChordCount(arc)));
      const double angle = std::fabs(arc.Turn) / double(ends.size());
      const double chord = 2.0 * radius * std::sin(angle / 2.0);
      const double sagitta = radius * (1.0 - std::cos(angle / 2.0));
      if (ends.size() > 1) {
        EXPECT_GE(chord, kShortestChord - 1e-9);
      }
      // Where the shortest chord allows, within the tolerance.
      if (2.0 * radius * std::sin(std::acos(1.0 - kArcTolerance / radius)) >
          kShortestChord) {
        EXPECT_LE(sagitta, kArcTolerance + 1e-12) << radius << " " << turn;
      }
      // As few chords as that takes: one fewer would lie too far off.
      if (ends.size() > 1 && chord > kShortestChord) {
        const double wider = std::fabs(arc.Turn) / double(ends.size() - 1);
        EXPECT_GT(radius * (1.0 - std::cos(wider / 2.0)), kArcTolerance);
      }
    }
  }
}

TEST(DrawingGeometryTest, AnArcThroughAPointLeavesAtTheHeadingGiven) {
  const TTrXY start{100, 50};
  const double heading = 30.0 * kDegree;
  for (const TTrXY through : {TTrXY{180, 60}, TTrXY{90, 140}, TTrXY{60, 20}}) {
    const std::optional<TArc> arc = ArcThrough(start, heading, through);
    ASSERT_TRUE(arc);
    const TTrXY end = arc->At(1.0);
    EXPECT_NEAR(end.X, through.X, 1e-9);
    EXPECT_NEAR(end.Y, through.Y, 1e-9);
    // The first small step goes along the heading.
    EXPECT_NEAR(HeadingDegrees(start, arc->At(1e-7)), 30.0, 1e-4);
  }
  EXPECT_FALSE(ArcThrough(start, heading, PolarPoint(start, 80, 30)));
  EXPECT_FALSE(ArcThrough(start, heading, start));
}

// A 300 m arc turned 30 degrees from the end of a straight track.
class ArcFromTrackTest : public ::testing::Test {
 protected:
  TTrainStructureSV Map;
  TTrLine* Straight = Build(Map, 0, 0, 0, 100);
  TTrPoint* End = Straight->P2;
  TArc Arc{At(*End), *HeadingAtEnd(*End), 300.0, 30.0 * kDegree};
  TTrPoint* Last = BuildArc(Map, End, Arc, true);
};

TEST_F(ArcFromTrackTest, IsTangentToTheTrackAndWithinACentimetreOfTheCircle) {
  ASSERT_EQ(Problems(Map), "");
  ASSERT_EQ(Map.Tracks.size(), size_t(ChordCount(Arc)) + 1);
  // The first chord leaves at half its own angle off the track's heading: the
  // arc it stands for leaves along it.
  const TTrLine& first = *Map.Tracks[1];
  const double half = 30.0 / ChordCount(Arc) / 2.0;
  EXPECT_NEAR(HeadingDegrees(At(*first.P1), At(*first.P2)) - half, 0.0, 0.01);
  // Right turn: the centre lies 300 m east of the end point.
  const TTrXY centre{300, 100};
  for (const auto& track : Map.Tracks) {
    if (track.get() == Straight) continue;
    for (const double t : {0.0, 0.5, 1.0}) {
      const TTrXY p{
          track->P1->Pos.X + t * (track->P2->Pos.X - track->P1->Pos.X),
          track->P1->Pos.Y + t * (track->P2->Pos.Y - track->P1->Pos.Y)};
      EXPECT_NEAR(Distance(p, centre), 300.0, kArcTolerance);
    }
  }
  EXPECT_NEAR(Last->Pos.X, 300.0 - 300.0 * std::cos(30 * kDegree), 1e-9);
  EXPECT_NEAR(Last->Pos.Y, 100.0 + 150.0, 1e-9);
  // A train goes on from the straight track into the curve.
  EXPECT_EQ(Straight->Next2.Line, &first);
  // No bend of the curve is sharp.
  for (const TLintFinding& finding : LintMap(Map)) {
    EXPECT_NE(finding.Kind, TLintKind::SharpBend) << finding.Text;
  }
}

TEST_F(ArcFromTrackTest, StaysWithinAMillimetreThroughTheFile) {
  TTrainStructureSV reread;
  ReadMap(WriteMap(Map), reread);
  ASSERT_EQ(reread.Points.size(), Map.Points.size());
  for (size_t i = 0; i < Map.Points.size(); ++i) {
    EXPECT_NEAR(reread.Points[i]->Pos.X, Map.Points[i]->Pos.X, 0.0005);
    EXPECT_NEAR(reread.Points[i]->Pos.Y, Map.Points[i]->Pos.Y, 0.0005);
  }
}

TEST(RoundCornerTest, ARightAngleGetsATangentArcOfTheRadius) {
  TTrainStructureSV map;
  TTrLine* in = Build(map, 0, 0, 100, 0);
  TTrPoint* corner = in->P2;
  TTrLine* out = BuildFrom(map, corner, 100, 80);
  TTrPoint* far = out->P2;
  EXPECT_EQ(RoundCorner(map, corner, 81.0), TCornerResult::TooLarge);
  EXPECT_EQ(RoundCorner(map, far, 10.0), TCornerResult::NoCorner);
  ASSERT_EQ(map.Points.size(), 3u);

  ASSERT_EQ(RoundCorner(map, corner, 50.0), TCornerResult::Rounded);
  ASSERT_EQ(Problems(map), "");
  // The corner point moved back to where the arc starts; the other line
  // starts where it ends.
  EXPECT_NEAR(corner->Pos.X, 50.0, 1e-9);
  EXPECT_NEAR(corner->Pos.Y, 0.0, 1e-9);
  EXPECT_NEAR(out->P1->Pos.X, 100.0, 1e-9);
  EXPECT_NEAR(out->P1->Pos.Y, 50.0, 1e-9);
  EXPECT_EQ(out->P2, far);
  for (const auto& track : map.Tracks) {
    if (track.get() == in || track.get() == out) continue;
    EXPECT_NEAR(Distance(At(*track->P1), {50, 50}), 50.0, 1e-9);
    EXPECT_NEAR(Distance(At(*track->P2), {50, 50}), 50.0, 1e-9);
  }
  // A train runs from the first line through the arc onto the last.
  TTrackPosition run(in, 0.0, 1);
  run.Advance(50.0 + 50.0 * 3.14159265358979 / 2.0 + 10.0);
  EXPECT_EQ(run.Line, out);
}

TEST(AlongTrackTest, FollowsTheTrackAsATrainDoes) {
  TTrainStructureSV map;
  TTrLine* first = Build(map, 0, 0, 100, 0);
  TTrLine* main = BuildFrom(map, first->P2, 200, 0);
  TTrLine* branch = BuildFrom(map, first->P2, 200, 50);
  TTrLine* wall = Build(map, 0, 10, 200, 10, test_maps::Kind::Wall);
  const double toBranch = 100.0 + std::hypot(100.0, 50.0);
  EXPECT_NEAR(*AlongTrackDistance(*first->P1, *branch->P2), toBranch, 1e-9);
  EXPECT_NEAR(*AlongTrackDistance(*branch->P2, *first->P1), toBranch, 1e-9);
  EXPECT_NEAR(*AlongTrackDistance(*first->P1, *main->P2), 200.0, 1e-9);
  EXPECT_EQ(*AlongTrackDistance(*first->P2, *first->P2), 0.0);
  // From one direction of the switch to the other no train goes.
  EXPECT_FALSE(AlongTrackDistance(*main->P2, *branch->P2));
  EXPECT_FALSE(AlongTrackDistance(*first->P1, *wall->P2));
  EXPECT_FALSE(AlongTrackDistance(*wall->P1, *wall->P2));
}

}  // namespace
