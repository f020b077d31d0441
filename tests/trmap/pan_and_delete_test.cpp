#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QFrame>

#include "gesture_fixture.h"

using test_maps::Build;
using test_maps::BuildFrom;

namespace {

using PanAndDeleteTest = GestureTest;

TEST_F(PanAndDeleteTest, ARightDragScrollsByTheMouseDeltas) {
  Press(QPoint(100, 100), Qt::RightButton);
  MoveTo(QPoint(110, 95));
  EXPECT_EQ(Window.OriginX, 223);
  EXPECT_EQ(Window.OriginY, 130);
  MoveTo(QPoint(90, 95));
  Release(QPoint(80, 120), Qt::RightButton);
  EXPECT_EQ(Window.OriginX, 213 - 20);
  EXPECT_EQ(Window.OriginY, 135 + 20);
  EXPECT_FALSE(Window.Panning);
  // Moves after the release scroll no more; the middle button does nothing.
  MoveTo(QPoint(0, 0));
  Drag(QPoint(0, 0), QPoint(50, 50), Qt::MiddleButton);
  EXPECT_EQ(Window.OriginX, 193);
  EXPECT_EQ(Window.OriginY, 155);
}

TEST_F(PanAndDeleteTest, DeleteRemovesTheSelectedPointItsLinesAndTheirTrains) {
  TTrLine* first = Build(Map, 0, 0, 100, 0);
  TTrLine* second = BuildFrom(Map, first->P2, 200, 0);
  TTrLine* other = Build(Map, 0, 100, 100, 100);
  Map.AddTrain(std::make_unique<TTrain>(second, 1, 50.0));
  TTrain* kept = Map.AddTrain(std::make_unique<TTrain>(other, 1, 50.0));
  Window.SelectPoint(first->P2);
  Canvas->Erases = 0;
  Key(Qt::Key_Delete);

  // Both neighbours were left without lines.
  EXPECT_EQ(Map.Points.size(), 2u);
  ASSERT_EQ(Map.Tracks.size(), 1u);
  EXPECT_EQ(Map.Tracks[0].get(), other);
  ASSERT_EQ(Map.Trains.size(), 1u);
  EXPECT_EQ(Map.Trains[0].get(), kept);
  EXPECT_EQ(Window.SelectedPoint, nullptr);
  EXPECT_EQ(Canvas->Erases, 1);
  ExpectSound();
}

TEST_F(PanAndDeleteTest, DeleteWithoutASelectedPointOrMidGestureDoesNothing) {
  TTrLine* line = Build(Map, 0, 0, 100, 0);
  Window.SelectLine(line);
  Key(Qt::Key_Delete);
  Window.SelectPoint(line->P1);
  // Qt's code of '.' is the Windows code of Delete; it must not delete.
  Key(Qt::Key_Period);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Map.Points.size(), 2u);

  Press(Pixel(0, 0));
  ASSERT_TRUE(Window.MovingPoint);
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
