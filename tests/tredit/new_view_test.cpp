#include <QtCore/QDir>

#include "frame_fixture.h"
#include "image_canvas.h"
#include "shown_caption.h"

namespace {

// Window > New View: a second window onto the active map, with a view of its
// own and the same map, history, selection and file.
class NewViewTest : public MapInFrameTest {
 protected:
  TfrmMap* First = Map;
  TfrmMap* Second = nullptr;

  NewViewTest() {
    Frame->mnuNewView->trigger();
    Second = Frame->ActiveMap();
  }

  // Whether the window shows black at world (X, Y) in its own view.
  static bool BlackAt(TfrmMap& View, double X, double Y) {
    QCoreApplication::processEvents();
    const QImage& picture = dynamic_cast<TImageCanvas&>(*View.Canvas).Picture();
    return picture.pixel(View.WorldToScreenX(X), View.WorldToScreenY(Y)) ==
           qRgb(0, 0, 0);
  }
};

TEST_F(NewViewTest, AnEditInOneWindowShowsInTheOtherAtOnce) {
  ASSERT_NE(Second, First);
  EXPECT_EQ(Children().size(), 2);
  EXPECT_EQ(Second->Map(), First->Map());
  EXPECT_EQ(ShownCaption(*Children()[0]), "Train Map:1");
  EXPECT_EQ(ShownCaption(*Children()[1]), "Train Map:2");
  // Its own view: zooming one leaves the other.
  Second->ZoomBy(2.0);
  EXPECT_EQ(First->Scale, 1.0);

  // Side by side, both in sight.
  Frame->mnuTile->trigger();
  Frame->MdiArea->setActiveSubWindow(Children()[0]);
  EXPECT_FALSE(BlackAt(*Second, 60, 30));
  DrawTrack(Pixel(0, 30), Pixel(100, 30));
  EXPECT_TRUE(BlackAt(*Second, 60, 30));
  EXPECT_EQ(ShownCaption(*Children()[1]), "Train Map:2*");
  EXPECT_EQ(Second->SelectedPoint(), First->SelectedPoint());

  // One history: undone in the second window, gone from both.
  Frame->MdiArea->setActiveSubWindow(Children()[1]);
  Frame->mnuUndo->trigger();
  EXPECT_TRUE(First->Map()->Tracks.empty());
  EXPECT_FALSE(BlackAt(*First, 60, 30));
  EXPECT_EQ(ShownCaption(*Children()[0]), "Train Map:1");
}

// Closing a window that is not the last of its map asks nothing; closing
// the last one with unsaved changes asks as before.
TEST_F(NewViewTest, OnlyTheLastWindowOfAMapAsksBeforeItCloses) {
  DrawTrack(Pixel(0, 0), Pixel(100, 0));
  int asked = 0;
  Frame->AskSaveChanges = [&](const QString&) {
    ++asked;
    return TSaveChanges::Discard;
  };
  Frame->mnuClose->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(asked, 0);
  ASSERT_EQ(Children().size(), 1);
  EXPECT_EQ(ShownCaption(*Children()[0]), "Train Map*");
  Frame->mnuClose->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Children().isEmpty());
}

// The map is kept for recovery once, however many windows show it, and
// comes back in one window.
TEST_F(NewViewTest, AMapInTwoWindowsIsKeptOnce) {
  DrawTrack(Pixel(0, 0), Pixel(100, 0));
  Frame->mnuExit->trigger();
  Frame.reset();
  Frame = StartEditor(Start());
  ASSERT_EQ(Children().size(), 1);
  EXPECT_EQ(ShownCaption(*Children()[0]), "Train Map*");
  EXPECT_EQ(MapOf(Children()[0])->Map()->Tracks.size(), 1u);
}

}  // namespace
