#include <QtGui/QUndoStack>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>

#include "gesture_fixture.h"
#include "map_writer.h"

using test_maps::Build;
using test_maps::BuildFrom;

namespace {

using PanAndDeleteTest = GestureTest;

TEST_F(PanAndDeleteTest, ARightOrMiddleDragScrollsByTheMouseDeltas) {
  Press(QPoint(100, 100), Qt::RightButton);
  MoveTo(QPoint(110, 95));
  EXPECT_EQ(Window.OriginX, 223);
  EXPECT_EQ(Window.OriginY, 130);
  MoveTo(QPoint(90, 95));
  Release(QPoint(80, 120), Qt::RightButton);
  EXPECT_EQ(Window.OriginX, 213 - 20);
  EXPECT_EQ(Window.OriginY, 135 + 20);
  EXPECT_FALSE(Window.Panning());
  // Moves after the release scroll no more; the middle button scrolls too.
  MoveTo(QPoint(0, 0));
  EXPECT_EQ(Window.OriginX, 193);
  Drag(QPoint(0, 0), QPoint(50, 30), Qt::MiddleButton);
  EXPECT_EQ(Window.OriginX, 243);
  EXPECT_EQ(Window.OriginY, 185);
  EXPECT_FALSE(Window.Panning());
}

TEST_F(PanAndDeleteTest, DeleteRemovesTheSelectedPointItsLinesAndTheirTrains) {
  TTrLine* first = Build(Map, 0, 0, 100, 0);
  TTrLine* second = BuildFrom(Map, first->P2, 200, 0);
  TTrLine* other = Build(Map, 0, 100, 100, 100);
  Map.AddTrain(MakeOwned<TTrain>(second, 1, 50.0));
  TTrain* kept = Map.AddTrain(MakeOwned<TTrain>(other, 1, 50.0));
  Window.SelectPoint(first->P2);
  Canvas->Erases = 0;
  Key(Qt::Key_Delete);

  // Both neighbours were left without lines.
  EXPECT_EQ(Map.Points.size(), 2u);
  ASSERT_EQ(Map.Tracks.size(), 1u);
  EXPECT_EQ(Map.Tracks[0].get(), other);
  ASSERT_EQ(Map.Trains.size(), 1u);
  EXPECT_EQ(Map.Trains[0].get(), kept);
  EXPECT_EQ(Window.SelectedPoint(), nullptr);
  EXPECT_EQ(Canvas->Erases, 1);
  ExpectSound();
}

TEST_F(PanAndDeleteTest, DeleteWithNothingSelectedOrMidGestureDoesNothing) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  Key(Qt::Key_Delete);
  Window.SelectPoint(line->P1);
  // Qt's code of '.' is the Windows code of Delete; it must not delete.
  Key(Qt::Key_Period);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Map.Points.size(), 2u);

  Press(Pixel(0, 0));
  ASSERT_TRUE(Window.MovingPoint());
  Key(Qt::Key_Delete);
  Release(Pixel(10, 10));
  EXPECT_EQ(Map.Points.size(), 2u);

  Buttons.Press(TModeButton::spbLine);
  Press(Pixel(50, 50));
  Key(Qt::Key_Delete);
  MoveTo(Pixel(60, 60));
  Release(Pixel(60, 60));
  EXPECT_EQ(Map.Points.size(), 4u);
  ExpectSound();
}

TEST_F(PanAndDeleteTest, TheWindowSeesTheKeysOfItsFocusedControlFirst) {
  TTrLine* first = Build(Map, 0, 0, 100, 0);
  TTrLine* second = Build(Map, 0, 100, 100, 100);
  Window.Panel1->setVisible(true);
  Window.show();
  Window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  Window.CheckBox1->setFocus();
  ASSERT_EQ(Window.focusWidget(), Window.CheckBox1);

  // A key sent to a control without the focus is not the window's, even
  // when it comes up to the window unused.
  Window.SelectPoint(first->P1);
  Key(Qt::Key_Delete, Window.CheckBox2);
  EXPECT_EQ(Map.Points.size(), 4u);
  QTest::keyClick(Window.CheckBox1, Qt::Key_Delete);
  EXPECT_EQ(Map.Points.size(), 2u);
  EXPECT_EQ(Map.Tracks[0].get(), second);
}

}  // namespace

namespace {

// Delete takes a selected line or train too, each as one step that undo
// gives back whole, with the selection.
TEST_F(PanAndDeleteTest, DeleteTakesASelectedLineOrTrainAsOneStep) {
  TTrLine* entry = Build(Map, 0, 0, 100, 0);
  TTrLine* straight = BuildFrom(Map, entry->P2, 200, 0);
  TTrLine* leg = BuildFrom(Map, entry->P2, 200, 50);
  TTrain* onLeg = Map.AddTrain(MakeOwned<TTrain>(leg, 1, 50.0));
  const std::string before = WriteMap(Map);

  Window.SelectLine(leg);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Delete Line");
  EXPECT_EQ(Map.Tracks.size(), 2u);
  EXPECT_TRUE(Map.Trains.empty());
  EXPECT_EQ(entry->P2->LineCount(), 2);
  EXPECT_EQ(Window.SelectedLine(), nullptr);
  ExpectSound();
  Window.Undo();
  EXPECT_EQ(WriteMap(Map), before);
  EXPECT_EQ(Window.SelectedLine(), leg);

  // The other leg: the switch is a plain joint of the two lines left.
  Window.SelectLine(straight);
  Key(Qt::Key_Delete);
  EXPECT_EQ(entry->P2->LineCount(), 2);
  Window.Undo();

  Window.SelectTrain(onLeg);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Delete Train");
  EXPECT_TRUE(Map.Trains.empty());
  EXPECT_EQ(Map.Tracks.size(), 3u);
  Window.Undo();
  EXPECT_EQ(WriteMap(Map), before);
  EXPECT_EQ(Window.SelectedTrain(), onLeg);
}

// Escape takes back a build or a drag under way; when idle it ends a chain
// of builds.
TEST_F(PanAndDeleteTest, EscapeTakesBackTheGestureOrEndsTheBuildChain) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  const std::string before = WriteMap(Map);
  Press(Pixel(100, 0));
  MoveTo(Pixel(50, 50));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(Window.MovingPoint());
  EXPECT_EQ(WriteMap(Map), before);
  MoveTo(Pixel(60, 60));
  Release(Pixel(60, 60));
  EXPECT_EQ(WriteMap(Map), before);

  Buttons.Press(TModeButton::spbLine);
  Buttons.Set(TModeButton::spbConn, true);
  Press(Pixel(100, 0));
  MoveTo(Pixel(150, 20));
  Key(Qt::Key_Escape);
  Release(Pixel(150, 20));
  EXPECT_EQ(WriteMap(Map), before);
  EXPECT_EQ(Window.SelectedPoint(), line->P2);
  EXPECT_EQ(Window.Document().UndoStack()->count(), 0);
  EXPECT_TRUE(Buttons.IsDown(TModeButton::spbConn));
  Key(Qt::Key_Escape);
  EXPECT_FALSE(Buttons.IsDown(TModeButton::spbConn));
  EXPECT_TRUE(Errors.empty());
}

}  // namespace
