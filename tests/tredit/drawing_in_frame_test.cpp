#include <QtGui/QUndoStack>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <cmath>

#include "frame_fixture.h"
#include "typed_entry.h"

namespace {

// Drawing to measure in the real frame: the keys reach the entry, the Tools
// menu reaches the tools and commands.
TEST_F(MapInFrameTest, ATrackOfTypedLengthThenACurveOfTypedRadius) {
  Frame->spbConn->setChecked(false);
  Click(Frame->spbLine);
  Press(Pixel(0, 0));
  MoveTo(Pixel(0, 30));
  QTest::keyClicks(Map, QStringLiteral("1"));
  ASSERT_TRUE(Map->Typing());
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("00.25"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Release(Pixel(0, 30));
  TTrPoint* end = Map->SelectedPoint();
  EXPECT_EQ(end->Pos.X, 0.0);
  EXPECT_EQ(end->Pos.Y, 100.25);
  EXPECT_TRUE(Map->hasFocus());

  Click(Frame->ToolButton(TModeButton::spbCurve));
  Press(Pixel(0, 0));  // anywhere: the curve starts at the selected end
  MoveTo(Pixel(-30, 60));
  QTest::keyClicks(Map, QStringLiteral("2"));
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("00"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Release(Pixel(-30, 60));
  // Half a circle to the left, as the mouse showed.
  const TTrPoint* last = Map->SelectedPoint();
  EXPECT_NE(last, end);
  EXPECT_TRUE(Frame->lblSelection->text().startsWith("Point"));
  EXPECT_EQ(Map->Document().UndoStack()->count(), 2);

  Frame->mnuMeasure->trigger();
  EXPECT_TRUE(Frame->ToolButton(TModeButton::spbMeasure)->isChecked());
  Drag(Pixel(0, 0), Pixel(0, 100));
  EXPECT_TRUE(Frame->lblSelection->text().startsWith(
      "Distance 100.250 m, bearing 0.0°, along the track 100.250 m"))
      << Frame->lblSelection->text().toStdString();
  EXPECT_EQ(Map->Document().UndoStack()->count(), 2);
}

TEST_F(MapInFrameTest, RoundCornerAsksForTheRadiusInItsDialog) {
  DrawTrack(Pixel(-100, 0), Pixel(0, 0));
  Click(Frame->spbLine);
  Drag(Pixel(0, 0), Pixel(0, -80));  // goes on from the selected end
  Click(Frame->spbCursor);
  Select(Pixel(0, 0));
  ASSERT_EQ(Map->SelectedPoint()->LineCount(), 2);
  Map->AskRadius = [](QString& Text) {
    EXPECT_EQ(Text, "100");
    Text = QStringLiteral("50");
    return true;
  };
  Frame->mnuRoundCorner->trigger();
  EXPECT_EQ(Map->Document().UndoStack()->undoText(), "Round Corner");
  // The corner point moved back along one of its lines to the arc's start.
  const TTrVector& moved = Map->SelectedPoint()->Pos;
  EXPECT_EQ(std::hypot(moved.X, moved.Y), 50.0);
  EXPECT_EQ(moved.X * moved.Y, 0.0);
  EXPECT_TRUE(Errors.empty());
  Undo();
  EXPECT_EQ(Map->Map()->Tracks.size(), 2u);
}

// The window goes while its entry has the focus: the build is taken back and
// the entry tells the window nothing as it goes.
TEST_F(MapInFrameTest, ClosingTheWindowWhileTypingTakesTheBuildBack) {
  Frame->AskSaveChanges = [](const QString&) { return TSaveChanges::Discard; };
  Click(Frame->spbLine);
  Press(Pixel(0, 0));
  MoveTo(Pixel(0, 30));
  QTest::keyClicks(Map, QStringLiteral("4"));
  ASSERT_TRUE(Map->Typing());
  Frame->mnuClose->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(Errors.empty());
}

}  // namespace
