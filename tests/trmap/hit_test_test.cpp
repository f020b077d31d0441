#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::Kind;

namespace {

using HitTest = GestureTest;

TEST_F(HitTest, ThePointPressIsADragOnlyCloserThanFivePixels) {
  TTrLine* line = Build(Map, 0, 0, 300, 0);
  TTrPoint* point = line->P1;

  // 3 right and 4 below: exactly 5.0 pixels, selected but not dragged.
  Press(Pixel(3, -4));
  EXPECT_EQ(Window.SelectedPoint(), point);
  EXPECT_FALSE(Window.MovingPoint());
  Release(Pixel(3, -4));

  // 4 right and 2 below: about 4.47 pixels, dragged.
  Press(Pixel(4, -2));
  EXPECT_TRUE(Window.MovingPoint());
  EXPECT_EQ(Window.DragPoint(), point);
  Release(Pixel(4, -2));
  // The point stays where it was dropped; nothing is near enough to join.
  EXPECT_EQ(point->Pos.X, 4.0);
  EXPECT_EQ(point->Pos.Y, -2.0);

  // However far, the nearest point is still selected.
  Press(Pixel(290, 100));
  EXPECT_EQ(Window.SelectedPoint(), line->P2);
  EXPECT_FALSE(Window.MovingPoint());
}

TEST_F(HitTest, ClicksOnAMapWithoutObjectsOfTheChosenKindChangeNothing) {
  Press(Pixel(0, 0));
  Release(Pixel(0, 0));
  EXPECT_EQ(Window.SelectedPoint(), nullptr);
  EXPECT_FALSE(Window.MovingPoint());

  TTrLine* line = Build(Map, 0, 0, 100, 0);
  Window.SelectLine(line);
  Buttons.Press(TModeButton::spbTrains);
  Press(Pixel(0, 0));
  Release(Pixel(0, 0));
  EXPECT_EQ(Window.SelectedLine(), line);
}

TEST_F(HitTest, TiesGoToTheEarlierObjectAndToTracksOverWalls) {
  TTrLine* left = Build(Map, -10, 50, -10, 150);
  TTrLine* right = Build(Map, 10, 50, 10, 150);
  TTrPoint* found = nullptr;
  EXPECT_EQ(Window.HitTestPoint(213, 135 - 50, nullptr, found), 10.0);
  EXPECT_EQ(found, left->P1);
  // With the winner excluded, the other point at the same distance.
  Window.HitTestPoint(213, 135 - 50, left->P1, found);
  EXPECT_EQ(found, right->P1);

  // A wall built before the track, both midpoints 20 pixels from the click.
  Map.DeletePoint(left->P1);
  Map.DeletePoint(right->P1);
  ASSERT_TRUE(Map.Points.empty());
  TTrLine* wall = Build(Map, -20, -10, -20, 10, Kind::Wall);
  TTrLine* track = Build(Map, 20, -10, 20, 10);
  TTrLine* hit = nullptr;
  EXPECT_EQ(Window.HitTestLine(213, 135, hit), 20.0);
  EXPECT_EQ(hit, track);
  EXPECT_EQ(Window.HitTestLine(213 - 15, 135, hit), 5.0);
  EXPECT_EQ(hit, wall);
}

TEST_F(HitTest, LinesAreFoundByTheirMidpointAndTrainsByTheirRear) {
  TTrLine* longLine = Build(Map, 0, 0, 200, 0);
  TTrLine* shortLine = Build(Map, 0, 20, 20, 20);
  TTrLine* hit = nullptr;
  // Nearer to the long line's body, but to the short line's midpoint.
  EXPECT_EQ(Window.HitTestLine(213 + 30, 135 - 5, hit),
            TfrmMap::ScreenDistance(30, 5, 10, 20));
  EXPECT_EQ(hit, shortLine);

  TTrain* first = Map.AddTrain(MakeOwned<TTrain>(longLine, 1, 50.0));
  TTrain* second = Map.AddTrain(MakeOwned<TTrain>(longLine, 2, 50.0));
  TTrain* found = nullptr;
  Buttons.Press(TModeButton::spbTrains);
  Press(Pixel(190, 0));
  EXPECT_EQ(Window.SelectedTrain(), second);
  Release(Pixel(190, 0));
  EXPECT_EQ(Window.HitTestTrain(213, 135, found), 0.0);
  EXPECT_EQ(found, first);
}

}  // namespace
