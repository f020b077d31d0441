#include <QtGui/QUndoStack>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>

#include "frame_fixture.h"

namespace {

// A switch at (50, 0): the entry from a train at (0, 0), the default
// direction on to (100, 0), the other up to (100, 40).
class WaysInFrameTest : public MapInFrameTest {
 protected:
  WaysInFrameTest() {
    DrawTrack(Pixel(0, 0), Pixel(50, 0));
    for (QPoint to : {Pixel(100, 0), Pixel(100, 40)}) {
      Select(Pixel(50, 0));
      Frame->spbConn->setChecked(true);
      Click(Frame->spbLine);
      Drag(Pixel(50, 0), to);
      Frame->spbConn->setChecked(false);
      Click(Frame->spbCursor);
    }
    Select(Pixel(0, 0));
    Click(Frame->spbNewTrain);
  }

  QStringList Listed() const {
    QCoreApplication::processEvents();
    QStringList items;
    for (int i = 0; i < Frame->lstRoute->count(); ++i) {
      items << Frame->lstRoute->item(i)->text();
    }
    return items;
  }
  TTrPoint* PointAt(double X, double Y) const {
    for (const auto& point : Map->Map()->Points) {
      if (point->Pos.X == X && point->Pos.Y == Y) return point.get();
    }
    ADD_FAILURE() << "no point at " << X << ", " << Y;
    return nullptr;
  }
  QString Id(double X, double Y) const {
    return QString::number(PointAt(X, Y)->Id);
  }
  void SelectTrain() {
    Click(Frame->spbTrains);
    Select(Pixel(25, 0));
    Click(Frame->spbPoint);
    ASSERT_NE(Map->SelectedTrain(), nullptr);
  }
};

TEST_F(WaysInFrameTest, TheRouteFollowsEveryEditUntilItsTrainLeaves) {
  QCoreApplication::processEvents();
  EXPECT_FALSE(Frame->mnuShowRoute->isEnabled());
  SelectTrain();
  Frame->ShowStatus();
  ASSERT_TRUE(Frame->mnuShowRoute->isEnabled());
  const int steps = Map->Document().UndoStack()->count();
  const bool modified = Map->Document().Modified();

  Frame->mnuShowRoute->trigger();
  const QStringList first = Listed();
  EXPECT_EQ(
      first,
      (QStringList{
          "Train 1: 100.00 m to the dead end at point " + Id(100, 0),
          "Switch " + Id(50, 0) + " at 50.00 m: takes the default direction"}));
  EXPECT_TRUE(Frame->mnuShowRoute->isChecked());
  EXPECT_TRUE(Frame->dckRoute->isVisible());
  EXPECT_EQ(Frame->dckRoute->windowTitle(), "Route: Train Map");
  ASSERT_NE(Map->Way(), nullptr);
  EXPECT_EQ(Map->Way()->Stretches().size(), 2u);

  // A swap sends the train up the other leg, now the default; a rotation makes
  // the line it comes in on a leg; undo and redo bring each back.
  Select(Pixel(50, 0));
  Click(Frame->spbDefsw);
  const QStringList swapped = Listed();
  ASSERT_EQ(swapped.size(), 2);
  EXPECT_EQ(swapped[0],
            "Train 1: 114.03 m to the dead end at point " + Id(100, 40));
  EXPECT_EQ(swapped[1], first[1]);
  Click(Frame->spbRotate);
  const QStringList rotated = Listed();
  ASSERT_EQ(rotated.size(), 2);
  EXPECT_TRUE(rotated[1].startsWith("Switch " + Id(50, 0) +
                                    " at 50.00 m: "
                                    "comes in from the"));
  Undo();
  EXPECT_EQ(Listed(), swapped);
  Undo();
  EXPECT_EQ(Listed(), first);
  Redo();
  EXPECT_EQ(Listed(), swapped);
  Undo();
  // A move of the end point lengthens the route.
  Drag(Pixel(100, 0), Pixel(120, 0));
  EXPECT_EQ(Listed().value(0),
            "Train 1: 120.00 m to the dead end at point " + Id(120, 0));
  Undo();
  EXPECT_EQ(Listed(), first);
  EXPECT_EQ(Map->Document().UndoStack()->index(), steps);
  EXPECT_EQ(Map->Document().Modified(), modified);

  // The train's leaving hides it, and its coming back does not show it.
  SelectTrain();
  QTest::keyClick(Map, Qt::Key_Delete);
  ASSERT_TRUE(Map->Map()->Trains.empty());
  EXPECT_TRUE(Listed().isEmpty());
  EXPECT_EQ(Map->Way(), nullptr);
  EXPECT_FALSE(Frame->mnuShowRoute->isChecked());
  EXPECT_FALSE(Frame->dckRoute->isVisible());
  Undo();
  QCoreApplication::processEvents();
  EXPECT_EQ(Map->Way(), nullptr);

  // Unchecking the item, or closing the window, hides it as well.
  SelectTrain();
  Frame->mnuShowRoute->trigger();
  ASSERT_EQ(Listed().size(), 2);
  Frame->mnuShowRoute->trigger();
  EXPECT_EQ(Map->Way(), nullptr);
  EXPECT_FALSE(Frame->dckRoute->isVisible());
  Frame->mnuShowRoute->trigger();
  ASSERT_EQ(Listed().size(), 2);
  Map->Document().UndoStack()->setClean();
  CloseAll();
  QCoreApplication::processEvents();
  EXPECT_FALSE(Frame->dckRoute->isVisible());
  EXPECT_FALSE(Frame->mnuShowRoute->isChecked());
}

TEST_F(WaysInFrameTest, FindPathTakesTwoSelectedPointsOrTwoClicks) {
  // The current point of the two is where the path goes.
  Map->SelectPoint(PointAt(0, 0));
  Map->ToggleSelected(PointAt(100, 40));
  Frame->mnuFindPath->trigger();
  EXPECT_EQ(Listed(),
            (QStringList{"Path from point " + Id(0, 0) + " to point " +
                             Id(100, 40) + ": 114.03 m",
                         "Switch " + Id(50, 0) +
                             " at 50.00 m: set to the other direction"}));
  EXPECT_EQ(Frame->dckRoute->windowTitle(), "Path: Train Map");
  EXPECT_FALSE(Frame->mnuShowRoute->isChecked());

  // Without two points selected the tool takes two clicks; Escape between
  // them takes the first back, and the path shown stays.
  Map->SelectPoint(PointAt(0, 0));
  Frame->mnuFindPath->trigger();
  ASSERT_TRUE(Frame->ToolButton(TModeButton::spbPath)->isChecked());
  Select(Pixel(100, 0));
  Send(QEvent::MouseMove, Pixel(70, 20), Qt::NoButton);
  EXPECT_TRUE(Map->GestureUnderway());
  EXPECT_EQ(Frame->lblSelection->text(),
            "Path from point " + Id(100, 0) + ": click the point to go to");
  Keys(Qt::Key_Escape);
  EXPECT_FALSE(Map->GestureUnderway());
  EXPECT_EQ(Listed().size(), 2);

  // Leg to leg is no way a train can go.
  Select(Pixel(100, 0));
  Select(Pixel(100, 40));
  EXPECT_FALSE(Map->GestureUnderway());
  EXPECT_EQ(Listed(), QStringList{"No path from point " + Id(100, 0) +
                                  " to point " + Id(100, 40) +
                                  ": they are joined only through a turn "
                                  "from one leg of a switch to the other"});
  // Deleting an end hides it; the dock closed hides the next, through the
  // plain joint the switch has become.
  Click(Frame->spbCursor);
  Select(Pixel(100, 40));
  QTest::keyClick(Map, Qt::Key_Delete);
  EXPECT_TRUE(Listed().isEmpty());
  EXPECT_EQ(Map->Way(), nullptr);
  Map->SelectPoint(PointAt(0, 0));
  Map->ToggleSelected(PointAt(100, 0));
  Frame->mnuFindPath->trigger();
  ASSERT_EQ(Listed(), QStringList{"Path from point " + Id(0, 0) + " to point " +
                                  Id(100, 0) + ": 100.00 m"});
  Frame->dckRoute->close();
  EXPECT_EQ(Map->Way(), nullptr);
}

}  // namespace
