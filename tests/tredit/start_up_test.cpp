#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStatusBar>

#include "frame_fixture.h"
#include "shown_caption.h"

namespace {

TEST_F(FrameTest, StartsWithOneEmptyMaximisedMapWindowAndTheModesOfSelecting) {
  // A maximised child's caption joins the frame's.
  EXPECT_EQ(ShownCaption(*Frame), "Train Map Editor - [Train Map]");
  ASSERT_EQ(Children().size(), 1);
  QMdiSubWindow* child = Children().front();
  EXPECT_TRUE(child->isMaximized());
  EXPECT_EQ(ShownCaption(*child), "Train Map");
  EXPECT_EQ(Frame->MdiArea->currentSubWindow(), child);
  TfrmMap* map = MapOf(child);
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(map->Map()->Points.empty());
  EXPECT_TRUE(map->FileName().isEmpty());
  // The view is set up for the designed client size, before maximising.
  EXPECT_EQ(map->OriginX, 213);
  EXPECT_EQ(map->OriginY, 135);
  EXPECT_EQ(map->ModeButtons, Frame.get());

  for (TModeButton button :
       {TModeButton::spbLine, TModeButton::spbBuild, TModeButton::spbLines,
        TModeButton::spbTrains, TModeButton::spbConn}) {
    EXPECT_FALSE(Frame->IsDown(button)) << static_cast<int>(button);
  }
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbCursor));
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbPoint));
  EXPECT_EQ(Frame->edtRaster->text(), "100");
  EXPECT_FALSE(Frame->edtRaster->isEnabled());
  EXPECT_EQ(Frame->UpDown1->Position(), 3);
  EXPECT_EQ(Frame->Label1->text(), "M per grid line");
}

// The File menu keeps its items in their order, with the new ones among
// them and their keys. Settings shows; Map shows while a map window is
// active.
TEST_F(FrameTest, MenuBarKeepsTheFileItemsInOrderAndShowsMapWithAMapWindow) {
  EXPECT_TRUE(Frame->mnuFile->menuAction()->isVisible());
  EXPECT_TRUE(Frame->Settings1->menuAction()->isVisible());
  EXPECT_TRUE(Frame->mnuMap->menuAction()->isVisible());
  CloseAll();
  EXPECT_TRUE(Frame->Settings1->menuAction()->isVisible());
  EXPECT_FALSE(Frame->mnuMap->menuAction()->isVisible());
  Frame->mnuNewClick();
  EXPECT_TRUE(Frame->mnuMap->menuAction()->isVisible());
  QStringList captions;
  for (QAction* item : Frame->mnuFile->actions()) captions << item->text();
  EXPECT_EQ(
      captions,
      QStringList({"&New", "&Open", "Recent &Files", "&Import...", "&Save",
                   "Save &As...", "E&xport Image...", "Export &Data...",
                   "Expor&t PDF...", "&Print...", "&Close", "", "&Exit"}));
  QStringList keys;
  for (QAction* item :
       {Frame->mnuNew, Frame->mnuOpen, Frame->mnuSave, Frame->mnuSaveAs,
        Frame->mnuPrint, Frame->mnuClose, Frame->mnuExit}) {
    keys << item->shortcut().toString();
  }
  EXPECT_EQ(keys, QStringList({"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S",
                               "Ctrl+P", "Ctrl+W", "Ctrl+Q"}));
}

TEST_F(FrameTest, ToolBarButtonsSitAtTheirPlacesWithTheirHints) {
  EXPECT_EQ(Frame->Panel1->height(), 41);
  const struct {
    QToolButton* Button;
    int Left;
    const char* Hint;
  } buttons[] = {{Frame->spbZoomin, 8, "Zoom in"},
                 {Frame->spbZoomout, 36, "Zoom out"},
                 {Frame->spbPoint, 8, "Select point"},
                 {Frame->spbLines, 36, "Select line"},
                 {Frame->spbTrains, 64, "Select train"},
                 {Frame->spbProperties, 98, "Set properties"},
                 {Frame->spbRotate, 126, "Rotate switch entry"},
                 {Frame->spbDefsw, 154, "Swap default switch direction"},
                 {Frame->spbCursor, 5, "Select"},
                 {Frame->spbLine, 36, "Build track"},
                 {Frame->spbBuild, 67, "Build wall"},
                 {Frame->spbConn, 7, "Build from selected point"},
                 {Frame->spbNewTrain, 38, "Create new train"}};
  for (const auto& b : buttons) {
    EXPECT_EQ(b.Button->geometry(), QRect(b.Left, 8, 25, 25)) << b.Hint;
    EXPECT_EQ(b.Button->toolTip(), b.Hint);
    EXPECT_FALSE(b.Button->icon().isNull()) << b.Hint;
  }
  EXPECT_EQ(Frame->UpDown1->toolTip(), "Change Grid");
}

TEST_F(FrameTest, ModeGroupsKeepOneButtonDownAndConnToggles) {
  Click(Frame->spbLine);
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbLine));
  EXPECT_FALSE(Frame->IsDown(TModeButton::spbCursor));
  Click(Frame->spbLine);
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbLine));
  Click(Frame->spbTrains);
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbTrains));
  EXPECT_FALSE(Frame->IsDown(TModeButton::spbPoint));
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbLine));

  Click(Frame->spbConn);
  EXPECT_TRUE(Frame->IsDown(TModeButton::spbConn));
  Click(Frame->spbConn);
  EXPECT_FALSE(Frame->IsDown(TModeButton::spbConn));
  Frame->SetConnDown(true);
  EXPECT_TRUE(Frame->spbConn->isChecked());
}

// The map window reads the frame's buttons: with "Build track" down a press
// and release draws a track, and the frame's spbConn goes down after it.
TEST_F(FrameTest, MapWindowBuildsWithTheFramesModeButtons) {
  TfrmMap* map = Frame->ActiveMap();
  Click(Frame->spbLine);
  map->FormMouseDown(TMouseButton::Left, 100, 100);
  map->FormMouseMove(150, 100);
  map->FormMouseUp(TMouseButton::Left, 150, 100);
  EXPECT_EQ(map->Map()->Tracks.size(), 1u);
  EXPECT_TRUE(Frame->spbConn->isChecked());
}

}  // namespace

namespace {

// The status bar lies below the tool bar, the frame grown by its height;
// it follows the active map window. The View menu's items reach it.
TEST_F(FrameTest, StatusBarAndViewMenuServeTheActiveMapWindow) {
  QStatusBar* bar = Frame->statusBar();
  EXPECT_EQ(Frame->height(), 300 + bar->sizeHint().height());
  Frame->show();
  EXPECT_EQ(Frame->Panel1->mapTo(Frame.get(), QPoint(0, 41)).y(),
            bar->geometry().top());

  QStringList items;
  for (QAction* item : Frame->mnuView->actions()) {
    items << item->text() + " " + item->shortcut().toString();
  }
  EXPECT_EQ(items, QStringList({"Zoom &In Ctrl++", "Zoom &Out Ctrl+-",
                                "Zoom to &Fit Ctrl+0", " ", "Snap to &Grid ",
                                "&Simplify When Zoomed Out ", " ",
                                "&Run Trains ", "Run Spee&d "}));

  TfrmMap* first = Frame->ActiveMap();
  EXPECT_EQ(Frame->lblView->text(), "1 m per pixel, grid 100 m");
  Frame->mnuZoomIn->trigger();
  EXPECT_EQ(first->Scale, 0.5);
  EXPECT_EQ(Frame->lblView->text(), "0.5 m per pixel, grid 100 m");
  DrawTrack(first);
  EXPECT_TRUE(Frame->lblSelection->text().startsWith("Point "));
  Frame->mnuZoomFit->trigger();
  EXPECT_GT(first->Scale, 0.05);
  EXPECT_LT(first->Scale, 0.5);

  Frame->mnuNewClick();
  EXPECT_EQ(Frame->lblView->text(), "1 m per pixel, grid 100 m");
  EXPECT_EQ(Frame->lblSelection->text(), "");
  Frame->mnuZoomOut->trigger();
  EXPECT_EQ(Frame->ActiveMap()->Scale, 2.0);
  EXPECT_EQ(first->Scale < 0.5, true);
}

}  // namespace
