#include <QtGui/QUndoStack>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <cmath>

#include "drawing_geometry.h"
#include "gesture_fixture.h"
#include "map_writer.h"
#include "typed_entry.h"

using test_maps::Build;
using test_maps::BuildFrom;

namespace {

class DrawingToolsTest : public GestureTest {
 protected:
  // Types Text during the gesture: its first key opens the entry, the rest
  // goes into it, Enter takes it.
  void Type(const QString& Text) {
    QTest::keyClick(&Window, Text[0].toLatin1());
    ASSERT_TRUE(Window.Typing());
    QLineEdit* edit = Window.TypingEntry()->edtText;
    QTest::keyClicks(edit, Text.mid(1));
    QTest::keyClick(edit, Qt::Key_Return);
  }
  TTrXY At(const TTrPoint& Point) { return {Point.Pos.X, Point.Pos.Y}; }
  QString Status() const { return Window.SelectionStatus(); }
};

TEST_F(DrawingToolsTest, ATypedLengthAndBearingPlaceTheEndToTheMillimetre) {
  Buttons.Press(TModeButton::spbLine);
  // At a fine and at a coarse scale alike: the pixels play no part.
  for (const double scale : {0.01, 1000.0}) {
    Window.Scale = scale;
    Buttons.Set(TModeButton::spbConn, false);
    Press(Pixel(0, 0));
    MoveTo(Pixel(40, 7));
    Type(QStringLiteral("12.345 @ 120"));
    EXPECT_FALSE(Window.Building());
    EXPECT_FALSE(Window.Typing());
    const TTrLine& line = *Map.Tracks.back();
    const TTrXY end = PolarPoint(At(*line.P1), 12.345, 120.0);
    EXPECT_NEAR(line.P2->Pos.X, end.X, 1e-9);
    EXPECT_NEAR(line.P2->Pos.Y, end.Y, 1e-9);
    EXPECT_NEAR(line.Length(), 12.345, 1e-9);
    // The release that follows ends nothing more; the chain goes on.
    Release(Pixel(40, 7));
    EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn));
  }
  EXPECT_EQ(Window.Document().UndoStack()->count(), 2);
  ExpectSound();
}

TEST_F(DrawingToolsTest, ALengthAloneKeepsTheBearingAndBadTextKeepsTheEntry) {
  Map.NewPoint(0, 0);
  TTrLine* line = Build(Map, 0, 0, 50, 0);
  Window.SelectPoint(line->P2);
  // A drag of the end point: counted from the line's other end.
  Press(Pixel(50, 0));
  MoveTo(Pixel(60, 60));
  QTest::keyClick(&Window, 'x');
  EXPECT_FALSE(Window.Typing());
  QTest::keyClick(&Window, '-');
  QTest::keyClick(Window.TypingEntry()->edtText, '3');
  QTest::keyClick(Window.TypingEntry()->edtText, Qt::Key_Return);
  EXPECT_TRUE(Window.Typing());
  EXPECT_EQ(Window.TypingEntry()->lblHint->text(),
            "The length cannot be negative");
  Window.TypingEntry()->edtText->setText(QStringLiteral("100"));
  QTest::keyClick(Window.TypingEntry()->edtText, Qt::Key_Return);
  EXPECT_FALSE(Window.MovingPoint());
  EXPECT_NEAR(Distance(At(*line->P1), At(*line->P2)), 100.0, 1e-9);
  EXPECT_NEAR(CompassDegrees(At(*line->P1), At(*line->P2)), 45.0, 1e-9);
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Move Point");
}

TEST_F(DrawingToolsTest, EscapeInTheEntryGivesTheGestureBackToTheMouse) {
  Buttons.Press(TModeButton::spbLine);
  Press(Pixel(0, 0));
  MoveTo(Pixel(30, 0));
  QTest::keyClick(&Window, '5');
  MoveTo(Pixel(80, 0));  // moves nothing while typing
  EXPECT_EQ(Map.Tracks[0]->P2->Pos.X, 30.0);
  QTest::keyClick(Window.TypingEntry()->edtText, Qt::Key_Escape);
  EXPECT_FALSE(Window.Typing());
  EXPECT_TRUE(Window.Building());
  MoveTo(Pixel(80, 0));
  Release(Pixel(80, 0));
  EXPECT_EQ(Map.Tracks[0]->P2->Pos.X, 80.0);
}

TEST_F(DrawingToolsTest, PointsSnapToTheGridAndShiftTo15Degrees) {
  Buttons.Press(TModeButton::spbLine);
  Window.GridSpacing = 10.0;
  Buttons.Snap = true;
  Drag(Pixel(-12, 4), Pixel(47, 23));
  const TTrLine& line = *Map.Tracks.back();
  EXPECT_EQ(line.P1->Pos.X, -10.0);
  EXPECT_EQ(line.P1->Pos.Y, 0.0);
  EXPECT_EQ(line.P2->Pos.X, 50.0);
  EXPECT_EQ(line.P2->Pos.Y, 20.0);
  // Shift goes before the grid; a point within 5 pixels before both.
  HeldKeys = Qt::ShiftModifier;
  Buttons.Set(TModeButton::spbConn, false);
  Press(Pixel(0, 0));
  MoveTo(Pixel(60, 20));
  const TTrLine& shifted = *Map.Tracks.back();
  EXPECT_NEAR(CompassDegrees(At(*shifted.P1), At(*shifted.P2)), 75.0, 1e-9);
  EXPECT_NEAR(shifted.Length(), std::hypot(60.0, 20.0), 1e-9);
  Release(Pixel(48, 21));
  EXPECT_EQ(shifted.P2, line.P2);
  ExpectSound();
}

TEST_F(DrawingToolsTest, TheMeasureShowsDistancesUntilTheNextClick) {
  TTrLine* first = Build(Map, 0, 0, 30, 40);
  TTrLine* second = BuildFrom(Map, first->P2, 30, 100);
  const std::string before = WriteMap(Map);
  Buttons.Press(TModeButton::spbMeasure);
  Press(Pixel(1, 1));
  MoveTo(Pixel(10, 0));
  EXPECT_EQ(Status(), "Distance 10.000 m, bearing 90.0°");
  Release(Pixel(29, 99));
  EXPECT_EQ(Status(),
            QString("Distance %1 m, bearing %2°, along the track 110.000 m")
                .arg(std::hypot(30.0, 100.0), 0, 'f', 3)
                .arg(CompassDegrees({0, 0}, {30, 100}), 0, 'f', 1));
  EXPECT_NE(ObjectsPainted().back().find(kBlackDot), std::string::npos);
  Window.FormMouseDown(TMouseButton::Right, 5, 5);
  Window.FormMouseUp(TMouseButton::Right, 5, 5);
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(WriteMap(Map), before);
  EXPECT_EQ(Window.Document().UndoStack()->count(), 0);
  (void)second;
}

TEST_F(DrawingToolsTest, ACurveOfTypedRadiusLeavesTheTrackEndTangent) {
  TTrLine* straight = Build(Map, 0, -100, 0, 0);
  Window.SelectPoint(straight->P2);
  Buttons.Press(TModeButton::spbCurve);
  Press(Pixel(0, 0));
  MoveTo(Pixel(40, 60));
  EXPECT_TRUE(Status().startsWith("Curve radius ")) << Status().toStdString();
  EXPECT_TRUE(Status().endsWith("right"));
  Type(QStringLiteral("300 @ -30"));
  Release(Pixel(40, 60));
  ExpectSound();
  TTrPoint* last = Window.SelectedPoint();
  EXPECT_NEAR(last->Pos.X, -(300.0 - 300.0 * std::cos(30 * kDegree)), 1e-9);
  EXPECT_NEAR(last->Pos.Y, 150.0, 1e-9);
  EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn));
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Build Curve");
  Window.Undo();
  EXPECT_EQ(Map.Tracks.size(), 1u);
  // Escape takes a curve back; from a point that is no end there is none.
  Window.SelectPoint(straight->P2);
  Press(Pixel(0, 0));
  MoveTo(Pixel(40, 60));
  Key(Qt::Key_Escape);
  Release(Pixel(40, 60));
  EXPECT_EQ(Map.Tracks.size(), 1u);
  Window.ClearSelection();
  Press(Pixel(0, 0));
  EXPECT_FALSE(Window.GestureUnderway());
  Release(Pixel(0, 0));
  ExpectSound();
}

TEST_F(DrawingToolsTest, RoundCornerAndPointPositionAreOneStepEach) {
  TTrLine* in = Build(Map, 0, 0, 100, 0);
  BuildFrom(Map, in->P2, 100, 100);
  QString asked;
  Window.AskRadius = [&](QString& Text) {
    Text = asked;
    return true;
  };
  Window.SelectPoint(in->P1);
  Window.RoundCorner();
  asked = QStringLiteral("150");
  Window.SelectPoint(in->P2);
  Window.RoundCorner();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[0], "Point 0 is no corner of two lines");
  EXPECT_EQ(
      Errors[1],
      "A radius of 150 m needs more of the lines at point 1 than they have");
  asked = QStringLiteral("40");
  Window.RoundCorner();
  ExpectSound();
  EXPECT_NEAR(in->P2->Pos.X, 60.0, 1e-9);
  EXPECT_EQ(Window.Document().UndoStack()->count(), 1);

  Window.AskPointPosition = [](QString& X, QString& Y) {
    X = QStringLiteral("12.345");
    Y = QStringLiteral("-0.4");
    return true;
  };
  Window.SelectPoint(in->P1);
  Window.EditPointPosition();
  EXPECT_NEAR(in->P1->Pos.X, 12.345, 1e-9);
  EXPECT_NEAR(in->P1->Pos.Y, -0.4, 1e-9);
  EXPECT_EQ(Window.Document().UndoStack()->count(), 2);
}

}  // namespace
