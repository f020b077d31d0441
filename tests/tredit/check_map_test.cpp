#include <QtGui/QUndoStack>
#include <QtWidgets/QDockWidget>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>

#include "frame_fixture.h"
#include "map_builder.h"

namespace {

QStringList Listed(const QListWidget& List) {
  QStringList items;
  for (int i = 0; i < List.count(); ++i) items << List.item(i)->text();
  return items;
}

TEST_F(FrameTest, CheckMapListsFindingsAndShowsTheChosenOneInTheMiddle) {
  EXPECT_EQ(Frame->mnuCheckMap->shortcut(), QKeySequence(Qt::Key_F7));
  EXPECT_EQ(Frame->mnuTools->title(), "&Tools");
  TfrmMap* checked = Frame->ActiveMap();
  TTrPoint* bare = checked->Map()->NewPoint(5000, -3000);
  TTrLine* zero = test_maps::Build(*checked->Map(), 10, 10, 10, 10);
  const int steps = checked->Document().UndoStack()->count();
  Frame->mnuCheckMap->trigger();
  EXPECT_TRUE(Frame->dckFindings->isVisible());
  EXPECT_EQ(Listed(*Frame->lstFindings),
            QStringList({"bare-point 0: point has no lines",
                         "dead-ends 2: track end points with one line",
                         "zero-length 3: track has both its points at the "
                         "same place"}));

  // Chosen from another window, the finding brings its own to the front.
  Frame->mnuNew->trigger();
  Frame->lstFindings->setCurrentRow(0);
  ASSERT_EQ(Frame->ActiveMap(), checked);
  EXPECT_EQ(checked->SelectedPoint(), bare);
  EXPECT_EQ(checked->WorldToScreenX(5000), checked->width() / 2);
  EXPECT_EQ(checked->WorldToScreenY(-3000), checked->height() / 2);
  Frame->lstFindings->setCurrentRow(2);
  EXPECT_EQ(checked->SelectedLine(), zero);
  EXPECT_EQ(checked->SelectedPoint(), nullptr);
  EXPECT_EQ(checked->WorldToScreenX(10), checked->width() / 2);
  // The count of dead ends has no object: nothing changes.
  Frame->lstFindings->setCurrentRow(1);
  EXPECT_EQ(checked->SelectedLine(), zero);
  EXPECT_EQ(checked->Document().UndoStack()->count(), steps);

  // Once its window is gone, a finding shows nothing.
  Frame->MdiArea->setActiveSubWindow(Children().front());
  Frame->mnuClose->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Frame->lstFindings->setCurrentRow(0);

  Frame->mnuCheckMap->trigger();
  EXPECT_EQ(Listed(*Frame->lstFindings), QStringList{"No problems found"});
  Frame->lstFindings->setCurrentRow(0);
}

TEST_F(FrameTest, CheckMapListsSharpBendsAndShowsTheirPoint) {
  TfrmMap* checked = Frame->ActiveMap();
  TTrLine* line = test_maps::Build(*checked->Map(), -100, 50, 0, 0);
  test_maps::BuildFrom(*checked->Map(), line->P2, 100, 50);
  Frame->mnuCheckMap->trigger();
  EXPECT_EQ(Listed(*Frame->lstFindings),
            QStringList({"dead-ends 2: track end points with one line",
                         "sharp-bend 1: track bends at a radius of 125.00 m, "
                         "less than 150 m"}));
  Frame->lstFindings->setCurrentRow(1);
  EXPECT_EQ(checked->SelectedPoint(), line->P2);
  EXPECT_EQ(checked->WorldToScreenY(0), checked->height() / 2);
}

}  // namespace
