#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;
using test_maps::Kind;
using test_maps::Ref;

namespace {

// Ends with one line: A at (0, 0) and B at (100, 0); C at (0, 100) with the
// line from D at (-100, 100). Ends with two lines: E at (0, -100) between
// (-100, -100) and (100, -100); F at (200, 100) between (200, 200) and
// (300, 100).
class JoinCases : public GestureTest {
 protected:
  TTrLine* AB = Build(Map, 0, 0, 100, 0);
  TTrLine* DC = Build(Map, -100, 100, 0, 100);
  TTrLine* E1 = Build(Map, -100, -100, 0, -100);
  TTrLine* E2 = BuildFrom(Map, E1->P2, 100, -100);
  TTrLine* F1 = Build(Map, 200, 200, 200, 100);
  TTrLine* F2 = BuildFrom(Map, F1->P2, 300, 100);
  TTrPoint* A = AB->P1;
  TTrPoint* B = AB->P2;
  TTrPoint* C = DC->P2;
  TTrPoint* E = E1->P2;
  TTrPoint* F = F1->P2;

  bool Alive(const TTrPoint* Point) const {
    for (const auto& point : Map.Points) {
      if (point.get() == Point) return true;
    }
    return false;
  }
};

TEST_F(JoinCases, OneLineOntoOneLineMakesAPlainJoint) {
  Drag(Pixel(1, 1), Pixel(2, 98));
  EXPECT_FALSE(Alive(A));
  EXPECT_EQ(AB->P1, C);
  EXPECT_EQ(Ref(C->Conn1), Ref({DC, 2}));
  EXPECT_EQ(Ref(C->Conn2), Ref({AB, 1}));
  EXPECT_EQ(Window.SelectedPoint(), C);
  EXPECT_FALSE(Window.MovingPoint());
  ExpectSound();
}

TEST_F(JoinCases, OneLineOntoTwoLinesMakesTheTargetASwitch) {
  Drag(Pixel(0, 0), Pixel(3, -100));
  EXPECT_FALSE(Alive(A));
  EXPECT_EQ(Ref(E->Conn3), Ref({AB, 1}));
  EXPECT_EQ(Ref(E1->Branch2), Ref({AB, 1}));
  EXPECT_EQ(Window.SelectedPoint(), E);
  ExpectSound();
}

TEST_F(JoinCases, TwoLinesOntoOneLineMakeTheDraggedPointASwitch) {
  Drag(Pixel(0, -100), Pixel(-1, 102));
  EXPECT_FALSE(Alive(C));
  EXPECT_EQ(DC->P2, E);
  EXPECT_EQ(Ref(E->Conn3), Ref({DC, 2}));
  EXPECT_EQ(E->Pos.Y, 102.0);
  EXPECT_EQ(Window.SelectedPoint(), E);
  ExpectSound();
}

TEST_F(JoinCases, TwoLinesOntoTwoLinesOnlyMove) {
  const size_t points = Map.Points.size();
  Drag(Pixel(0, -100), Pixel(201, 100));
  EXPECT_EQ(Map.Points.size(), points);
  EXPECT_EQ(E->Pos.X, 201.0);
  EXPECT_EQ(E->LineCount(), 2);
  EXPECT_EQ(F->LineCount(), 2);
  ExpectSound();
}

TEST_F(JoinCases, PointsOfOtherKindsOrWithoutLinesAreNeverJoined) {
  TTrLine* wall = Build(Map, 400, 0, 500, 0, Kind::Wall);
  TTrPoint* lone = Map.NewPoint(400, -100);
  // A wall end onto a track end, a track end onto a wall end.
  Drag(Pixel(400, 0), Pixel(2, 100));
  EXPECT_EQ(wall->P1->Pos.X, 2.0);
  Drag(Pixel(-1, 100), Pixel(500, 0));
  EXPECT_EQ(C->Pos.X, 500.0);
  // A point without lines onto ends with one and two lines, then ends with
  // one and two lines onto it.
  Drag(Pixel(400, -100), Pixel(100, 3));
  Drag(Pixel(100, 4), Pixel(0, -97));
  EXPECT_EQ(lone->Pos.Y, -97.0);
  Drag(Pixel(100, -1), Pixel(0, -96));
  EXPECT_EQ(B->Pos.Y, -96.0);
  Drag(Pixel(0, -101), Pixel(0, -98));
  EXPECT_EQ(E->Pos.Y, -98.0);

  for (TTrPoint* point : std::initializer_list<TTrPoint*>{
           A, B, C, E, F, wall->P1, wall->P2, lone}) {
    EXPECT_TRUE(Alive(point));
  }
  EXPECT_EQ(lone->LineCount(), 0);
  EXPECT_EQ(B->LineCount(), 1);
  EXPECT_EQ(E->LineCount(), 2);
  ExpectSound();
}

TEST_F(JoinCases, EveryMoveDragsAndRepaintsAndKeepsTheHeight) {
  A->Pos.Z = 7.5;
  Press(Pixel(0, 0));
  Canvas->Erases = 0;
  MoveTo(Pixel(30, 40));
  MoveTo(Pixel(40, 40));
  EXPECT_EQ(Canvas->Erases, 2);
  EXPECT_EQ(A->Pos.X, 40.0);
  EXPECT_EQ(A->Pos.Z, 7.5);

  // A right press during the drag: moves still drag, the first release ends
  // the scroll, the second the drag.
  Press(Pixel(40, 40), Qt::RightButton);
  EXPECT_TRUE(Window.Panning());
  MoveTo(Pixel(60, 40));
  EXPECT_EQ(Window.OriginX, 213);
  EXPECT_EQ(A->Pos.X, 60.0);
  Release(Pixel(60, 40), Qt::RightButton);
  EXPECT_FALSE(Window.Panning());
  EXPECT_TRUE(Window.MovingPoint());
  EXPECT_EQ(Window.OriginX, 213 + 20);
  Release(Pixel(60, 40));
  EXPECT_FALSE(Window.MovingPoint());
  ExpectSound();
}

}  // namespace
