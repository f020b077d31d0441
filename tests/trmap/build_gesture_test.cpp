#include <cmath>

#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Kind;
using test_maps::Ref;

namespace {

class BuildGestureTest : public GestureTest {
 protected:
  BuildGestureTest() { Buttons.Press(TModeButton::spbLine); }
};

TEST_F(BuildGestureTest, AClickWithoutMovingMakesALineWhoseEndsAreOnePoint) {
  Press(Pixel(10, 10));
  EXPECT_TRUE(Window.Building());
  // The press draws nothing in full; the line shows at the next paint.
  EXPECT_EQ(Canvas->Erases, 0);
  Release(Pixel(10, 10));

  EXPECT_FALSE(Window.Building());
  ASSERT_EQ(Map.Points.size(), 1u);
  ASSERT_EQ(Map.Tracks.size(), 1u);
  TTrPoint* point = Map.Points[0].get();
  TTrLine* line = Map.Tracks[0].get();
  EXPECT_EQ(point->Id, 0);
  EXPECT_EQ(line->Id, 2);
  EXPECT_EQ(line->P1, point);
  EXPECT_EQ(line->P2, point);
  EXPECT_EQ(Ref(point->Conn1), "2:1");
  EXPECT_EQ(Ref(point->Conn2), "2:2");
  EXPECT_EQ(Window.SelectedPoint(), point);
  EXPECT_FALSE(Buttons.IsDown(TModeButton::spbConn));
  ExpectSound();
}

TEST_F(BuildGestureTest, APointOnTheOriginsRowHasAPositiveZeroHeight) {
  // A negative zero would be written to a map file as "-0".
  Drag(Pixel(0, 0), Pixel(30, 0));
  ASSERT_EQ(Map.Points.size(), 2u);
  for (const auto& point : Map.Points) {
    EXPECT_EQ(point->Pos.Y, 0.0);
    EXPECT_FALSE(std::signbit(point->Pos.Y));
  }
}

TEST_F(BuildGestureTest, ADragBuildLeavesTheEndSelectedAndTheNextGoesOnFromIt) {
  Press(Pixel(0, 0));
  MoveTo(Pixel(50, 0));
  EXPECT_EQ(Canvas->Erases, 1);
  Release(Pixel(100, 0));

  ASSERT_EQ(Map.Points.size(), 2u);
  TTrPoint* start = Map.Points[0].get();
  TTrPoint* end = Map.Points[1].get();
  TTrLine* first = Map.Tracks[0].get();
  EXPECT_EQ(start->Id, 0);
  EXPECT_EQ(end->Id, 1);
  EXPECT_EQ(first->Id, 2);
  EXPECT_EQ(end->Pos.X, 100.0);
  EXPECT_EQ(Window.SelectedPoint(), end);
  EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn));

  Drag(Pixel(300, 300), Pixel(100, 80));
  ASSERT_EQ(Map.Points.size(), 3u);
  ASSERT_EQ(Map.Tracks.size(), 2u);
  TTrLine* second = Map.Tracks[1].get();
  EXPECT_EQ(second->P1, end);
  EXPECT_EQ(Map.Points[2]->Id, 3);
  EXPECT_EQ(second->Id, 4);
  // The old end is a plain joint of the two tracks now.
  EXPECT_EQ(Ref(end->Conn1), "2:2");
  EXPECT_EQ(Ref(end->Conn2), "4:1");
  EXPECT_EQ(Ref(first->Next2), "4:1");
  EXPECT_EQ(Ref(second->Next1), "2:2");
  ExpectSound();
}

TEST_F(BuildGestureTest, BuildingFromAPointWithTwoLinesMakesASwitch) {
  TTrLine* in = Build(Map, -100, 0, 0, 0);
  TTrLine* out = BuildFrom(Map, in->P2, 100, 0);
  TTrPoint* joint = in->P2;
  Window.SelectPoint(joint);
  Buttons.Set(TModeButton::spbConn, true);
  Drag(Pixel(0, 0), Pixel(100, 50));

  TTrLine* branch = Map.Tracks.back().get();
  EXPECT_EQ(branch->P1, joint);
  EXPECT_EQ(joint->Conn1.Line, in);
  EXPECT_EQ(joint->Conn2.Line, out);
  EXPECT_EQ(Ref(joint->Conn3), Ref({branch, 1}));
  EXPECT_EQ(Ref(in->Branch2), Ref({branch, 1}));
  ExpectSound();

  // Now a switch is selected: a build click does nothing at all.
  Window.SelectPoint(joint);
  const size_t points = Map.Points.size();
  const int32_t nextId = Map.NextId;
  Press(Pixel(-50, -50));
  EXPECT_FALSE(Window.Building());
  Release(Pixel(-50, -50));
  EXPECT_EQ(Map.Points.size(), points);
  EXPECT_EQ(Map.NextId, nextId);
  EXPECT_EQ(Window.SelectedPoint(), joint);
}

TEST_F(BuildGestureTest, WallsDoNotGoOnFromTrackPoints) {
  TTrLine* track = Build(Map, 0, 0, 100, 0);
  Window.SelectPoint(track->P2);
  Buttons.Set(TModeButton::spbConn, true);
  Buttons.Press(TModeButton::spbBuild);
  Drag(Pixel(0, 50), Pixel(50, 50));

  ASSERT_EQ(Map.Walls.size(), 1u);
  TTrLine* wall = Map.Walls[0].get();
  EXPECT_NE(wall->P1, track->P2);
  EXPECT_EQ(wall->P1->Pos.Y, 50.0);
  EXPECT_EQ(track->P2->LineCount(), 1);
  ExpectSound();
}

TEST_F(BuildGestureTest, ADropThatCannotJoinPutsConnDown) {
  // A switch at (0, 0), and a wall point and a point without lines nearby.
  TTrLine* in = Build(Map, -100, 0, 0, 0);
  BuildFrom(Map, in->P2, 100, 0);
  BuildFrom(Map, in->P2, 100, 100);
  TTrLine* wall = Build(Map, 0, 100, 0, 200, Kind::Wall);
  TTrPoint* lone = Map.NewPoint(200, 0);

  for (TTrPoint* target :
       std::initializer_list<TTrPoint*>{in->P2, wall->P1, lone}) {
    Buttons.Set(TModeButton::spbConn, false);
    Window.SelectPoint(lone);
    const size_t points = Map.Points.size();
    Drag(Pixel(-50, -100), Pixel(target->Pos.X + 2, target->Pos.Y));
    EXPECT_EQ(Map.Points.size(), points + 2) << target->Id;
    EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn)) << target->Id;
    EXPECT_EQ(Window.SelectedPoint(), Map.Points.back().get());
  }
  EXPECT_EQ(in->P2->LineCount(), 3);
  EXPECT_EQ(wall->P1->LineCount(), 1);
  EXPECT_EQ(lone->LineCount(), 0);
  ExpectSound();
}

TEST_F(BuildGestureTest, ADropOntoAPointOfTheSameKindJoinsAndPutsConnUp) {
  Buttons.Press(TModeButton::spbBuild);
  TTrLine* wall = Build(Map, 0, 0, 100, 0, Kind::Wall);
  Buttons.Set(TModeButton::spbConn, true);
  Drag(Pixel(0, 100), Pixel(103, 0));

  EXPECT_EQ(Map.Points.size(), 3u);
  TTrLine* built = Map.Walls.back().get();
  EXPECT_EQ(built->P2, wall->P2);
  EXPECT_EQ(Ref(wall->P2->Conn2), Ref({built, 2}));
  EXPECT_EQ(Window.SelectedPoint(), wall->P2);
  EXPECT_FALSE(Buttons.IsDown(TModeButton::spbConn));
  ExpectSound();
}

TEST_F(BuildGestureTest, ADropJoinsOnlyCloserThanFivePixels) {
  TTrLine* target = Build(Map, 0, 0, 100, 0);
  // 3 left of and 4 above the end: exactly 5.0 pixels, no join.
  Drag(Pixel(0, 100), Pixel(97, 4));
  EXPECT_EQ(target->P2->LineCount(), 1);
  EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn));
  // 4 right and 2 below: about 4.47 pixels, joined.
  Buttons.Set(TModeButton::spbConn, false);
  Drag(Pixel(0, 100), Pixel(104, -2));
  EXPECT_EQ(target->P2->LineCount(), 2);
  EXPECT_FALSE(Buttons.IsDown(TModeButton::spbConn));
  ExpectSound();
}

TEST_F(BuildGestureTest, PressesDuringABuildAreIgnored) {
  Press(Pixel(0, 0));
  Press(Pixel(50, 50), Qt::RightButton);
  Press(Pixel(50, 50), Qt::MiddleButton);
  EXPECT_FALSE(Window.Panning());
  EXPECT_EQ(Map.Points.size(), 2u);
  // Any button's release ends the build.
  Release(Pixel(50, 50), Qt::MiddleButton);
  EXPECT_FALSE(Window.Building());
  EXPECT_EQ(Map.Points.back()->Pos.X, 50.0);
  ExpectSound();
}

}  // namespace
