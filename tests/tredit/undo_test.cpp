#include <QtGui/QUndoStack>

#include "frame_fixture.h"
#include "map_writer.h"

namespace {

class UndoTest : public MapInFrameTest {
 protected:
  // A switch at (50, 0): entry from (0, 0), legs to (100, 0) and (100, 40).
  TTrPoint* BuildSwitch() {
    DrawTrack(Pixel(0, 0), Pixel(50, 0));
    TTrPoint* junction = Map->Map()->Tracks[0]->P2;
    for (QPoint to : {Pixel(100, 0), Pixel(100, 40)}) {
      Select(Pixel(50, 0));
      Frame->spbConn->setChecked(true);
      Click(Frame->spbLine);
      Drag(Pixel(50, 0), to);
      Click(Frame->spbCursor);
    }
    EXPECT_EQ(junction->LineCount(), 3);
    return junction;
  }
};

TEST_F(UndoTest, ABuildIsUndoneToTheEmptyMapAndRedoneWithTheSameLine) {
  EXPECT_FALSE(Frame->mnuUndo->isEnabled());
  DrawTrack(Pixel(0, 0), Pixel(100, 0));
  ASSERT_EQ(Map->Map()->Tracks.size(), 1u);
  TTrack* track = Map->Map()->Tracks[0].get();
  EXPECT_EQ(track->Id, 2);
  const std::string built = Saved();
  EXPECT_TRUE(Frame->mnuUndo->isEnabled());
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Build Track");

  Undo();
  EXPECT_TRUE(Map->Map()->Points.empty());
  EXPECT_TRUE(Map->Map()->Tracks.empty());
  EXPECT_EQ(Map->Map()->NextId, 0);
  EXPECT_EQ(Saved(), "");
  EXPECT_EQ(Map->SelectedPoint(), nullptr);
  EXPECT_FALSE(Frame->mnuUndo->isEnabled());
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo");
  EXPECT_EQ(Frame->mnuRedo->text(), "&Redo Build Track");

  Redo();
  ASSERT_EQ(Map->Map()->Tracks.size(), 1u);
  EXPECT_EQ(Map->Map()->Tracks[0].get(), track);
  EXPECT_EQ(track->Id, 2);
  EXPECT_EQ(Saved(), built);
  EXPECT_EQ(Map->SelectedPoint(), track->P2);

  // Ctrl+Shift+Z redoes too; a wall is named as such.
  Undo();
  Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  EXPECT_EQ(Saved(), built);
  Frame->spbConn->setChecked(false);
  Click(Frame->spbBuild);
  Drag(Pixel(0, 50), Pixel(50, 50));
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Build Wall");
  EXPECT_TRUE(Errors.empty());
}

TEST_F(UndoTest, AnUndoneDragJoinGivesBothPointsBackWithTheirLines) {
  DrawTrack(Pixel(0, 0), Pixel(50, 0));
  DrawTrack(Pixel(0, 60), Pixel(50, 60));
  const std::string apart = Saved();
  TTrPoint* dragged = Map->Map()->Tracks[1]->P2;
  Drag(Pixel(50, 60), Pixel(50, 0));
  ASSERT_EQ(Map->Map()->Points.size(), 3u);
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Move Point");

  Undo();
  EXPECT_EQ(Saved(), apart);
  ASSERT_EQ(Map->Map()->Points.size(), 4u);
  EXPECT_EQ(Map->Map()->Tracks[1]->P2, dragged);
  EXPECT_EQ(Map->SelectedPoint(), dragged);
  Redo();
  EXPECT_EQ(Map->Map()->Points.size(), 3u);
}

TEST_F(UndoTest, AnUndoneDeleteOfASwitchGivesBackItsLinesAndTrains) {
  TTrPoint* junction = BuildSwitch();
  Select(Pixel(100, 40));
  Click(Frame->spbNewTrain);
  ASSERT_EQ(Map->Map()->Trains.size(), 1u);
  Select(Pixel(50, 0));
  ASSERT_EQ(Map->SelectedPoint(), junction);
  const std::string before = Saved();

  QTest::keyClick(Map, Qt::Key_Delete);
  EXPECT_TRUE(Map->Map()->Trains.empty());
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Delete Point");
  Undo();
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(Map->SelectedPoint(), junction);
  EXPECT_EQ(Map->Map()->Trains.size(), 1u);
  Redo();
  EXPECT_EQ(Map->Map()->Points.size(), 0u);
  EXPECT_EQ(Map->SelectedPoint(), nullptr);
}

TEST_F(UndoTest, EveryCommandIsAStepAndAGestureUnderWayIgnoresUndo) {
  BuildSwitch();
  Select(Pixel(50, 0));
  const std::string before = Saved();
  Click(Frame->spbRotate);
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Rotate Switch");
  Click(Frame->spbDefsw);
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo Swap Switch");
  Click(Frame->spbNewTrain);
  EXPECT_EQ(Frame->mnuUndo->text(), "&Undo New Train");
  const int steps = Map->Document().UndoStack()->count();

  // While a point is dragged, undo and redo do nothing.
  Press(Pixel(0, 0));
  MoveTo(Pixel(0, 30));
  Undo();
  Frame->mnuUndo->trigger();
  EXPECT_TRUE(Map->MovingPoint());
  EXPECT_EQ(Map->Document().UndoStack()->index(), steps);
  Release(Pixel(0, 30));
  EXPECT_EQ(Map->Document().UndoStack()->index(), steps + 1);

  for (int i = 0; i < 4; ++i) Undo();
  EXPECT_EQ(Saved(), before);
}

TEST_F(UndoTest, TheEditMenuFollowsTheActiveWindow) {
  DrawTrack(Pixel(0, 0), Pixel(50, 0));
  TfrmMap* first = Map;
  Map = Frame->NewMapWindow();
  EXPECT_FALSE(Frame->mnuUndo->isEnabled());
  Frame->MdiArea->setActiveSubWindow(Children().front());
  EXPECT_TRUE(Frame->mnuUndo->isEnabled());
  Frame->mnuUndo->trigger();
  EXPECT_TRUE(first->Map()->Points.empty());
  EXPECT_TRUE(Frame->mnuRedo->isEnabled());
  CloseAll();
  EXPECT_FALSE(Frame->mnuUndo->isEnabled());
  EXPECT_FALSE(Frame->mnuRedo->isEnabled());
}

}  // namespace
