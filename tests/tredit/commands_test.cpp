#include <QtCore/QPointer>
#include <QtWidgets/QLineEdit>

#include "frame_fixture.h"
#include "shown_caption.h"

namespace {

TEST_F(FrameTest, NewTwiceGivesThreeWindowsAtTheDefaultView) {
  ClickUpDown(Qt::RightArrow);
  ASSERT_EQ(Frame->edtRaster->text(), "200");
  Frame->mnuNew->trigger();
  Frame->mnuNew->trigger();
  ASSERT_EQ(Children().size(), 3);
  for (QMdiSubWindow* child : Children().mid(1)) {
    TfrmMap* map = MapOf(child);
    EXPECT_EQ(map->GridSpacing, 100.0);
    EXPECT_EQ(map->Scale, 1.0);
    EXPECT_EQ(map->OriginX, 213);
    EXPECT_EQ(map->OriginY, 135);
    EXPECT_EQ(ShownCaption(*child), "Train Map");
  }
  EXPECT_EQ(Frame->MdiArea->currentSubWindow(), Children().back());
  EXPECT_TRUE(Children().back()->isMaximized());
  EXPECT_EQ(Frame->edtRaster->text(), "200");
}

TEST_F(FrameTest, UpDownStepsTheActiveWindowsGridUntilItsLimits) {
  TfrmMap* map = Frame->ActiveMap();
  ClickUpDown(Qt::RightArrow);
  EXPECT_EQ(Frame->edtRaster->text(), "200");
  EXPECT_EQ(map->GridSpacing, 200.0);
  for (int i = 0; i < 12; ++i) ClickUpDown(Qt::RightArrow);
  EXPECT_EQ(Frame->UpDown1->Position(), 13);
  EXPECT_EQ(map->GridSpacing, 102400.0);
  EXPECT_EQ(Frame->edtRaster->text(), "102400");

  for (int i = 0; i < 20; ++i) ClickUpDown(Qt::LeftArrow);
  EXPECT_EQ(Frame->UpDown1->Position(), 0);
  EXPECT_EQ(map->GridSpacing, 12.5);
  EXPECT_EQ(Frame->edtRaster->text(), "12");
  ClickUpDown(Qt::RightArrow);
  EXPECT_EQ(map->GridSpacing, 25.0);
}

TEST_F(FrameTest, CommandsActOnTheActiveWindowOnly) {
  TfrmMap* first = Frame->ActiveMap();
  TfrmMap* second = Frame->NewMapWindow();
  EXPECT_EQ(Frame->ActiveMap(), second);
  Click(Frame->spbZoomin);
  EXPECT_EQ(second->Scale, 0.5);
  EXPECT_EQ(first->Scale, 1.0);

  Frame->MdiArea->setActiveSubWindow(Children().front());
  EXPECT_EQ(Frame->ActiveMap(), first);
  Click(Frame->spbZoomout);
  ClickUpDown(Qt::LeftArrow);
  EXPECT_EQ(first->Scale, 2.0);
  EXPECT_EQ(first->GridSpacing, 50.0);
  EXPECT_EQ(second->Scale, 0.5);
  EXPECT_EQ(second->GridSpacing, 100.0);

  // Each window steps from its own spacing.
  Frame->MdiArea->setActiveSubWindow(Children().back());
  ClickUpDown(Qt::LeftArrow);
  EXPECT_EQ(second->GridSpacing, 50.0);
  EXPECT_EQ(Frame->edtRaster->text(), "50");

  // Closing the active window leaves the other to act on.
  Children().back()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(Children().size(), 1);
  EXPECT_EQ(Frame->ActiveMap(), first);
  Click(Frame->spbZoomin);
  EXPECT_EQ(first->Scale, 1.0);
}

TEST_F(FrameTest, WithNoMapWindowOnlyNewOpenAndExitDoAnything) {
  CloseAll();
  ASSERT_TRUE(Children().isEmpty());
  EXPECT_EQ(Frame->ActiveMap(), nullptr);
  Click(Frame->spbZoomin);
  Click(Frame->spbZoomout);
  ClickUpDown(Qt::RightArrow);
  EXPECT_EQ(Frame->UpDown1->Position(), 4);
  EXPECT_EQ(Frame->edtRaster->text(), "100");
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(Errors.empty());

  Frame->mnuNew->trigger();
  ASSERT_EQ(Children().size(), 1);
  EXPECT_EQ(MapOf(Children().front())->GridSpacing, 100.0);
}

TEST_F(FrameTest, ExitClosesTheFrameAndEveryMapWindow) {
  Frame->mnuNew->trigger();
  QPointer<TfrmMap> map = Frame->ActiveMap();
  Frame->mnuExit->trigger();
  EXPECT_FALSE(Frame->isVisible());
  Frame.reset();
  EXPECT_TRUE(map.isNull());
}

}  // namespace
