#include <QtWidgets/QLabel>

#include "frame_fixture.h"
#include "window_references.h"

namespace {

// A build that is taken back, by Escape or by an undo whose redo is then
// given up, leaves the window naming nothing of it: the next build, whose
// first selection reaches the frame's status bar, reads only its own line.
class TakenBackBuildTest : public MapInFrameTest {
 protected:
  void StartTrack(QPoint At) {
    Click(Frame->spbLine);
    Press(At);
  }
  // The status bar shows the line being drawn from start to end.
  void ExpectNewBuildShown(QPoint From, QPoint To) {
    const size_t tracks = Map->Map()->Tracks.size();
    Frame->spbConn->setChecked(false);
    StartTrack(From);
    EXPECT_EQ(WindowReferenceProblems(*Map), "");
    MoveTo(To);
    EXPECT_EQ(Frame->lblSelection->text(), "Length 60.0 m, bearing 90.0°");
    Release(To);
    EXPECT_EQ(Map->Map()->Tracks.size(), tracks + 1);
    EXPECT_EQ(WindowReferenceProblems(*Map), "");
  }
};

TEST_F(TakenBackBuildTest, EscapeWhileTheButtonIsHeldThenANewBuild) {
  Frame->spbConn->setChecked(false);
  StartTrack(Pixel(0, 0));
  MoveTo(Pixel(50, 20));
  Keys(Qt::Key_Escape);
  EXPECT_TRUE(Map->Map()->Points.empty());
  EXPECT_EQ(WindowReferenceProblems(*Map), "");
  Release(Pixel(50, 20));
  EXPECT_TRUE(Map->Map()->Tracks.empty());
  ExpectNewBuildShown(Pixel(0, 40), Pixel(60, 40));
}

TEST_F(TakenBackBuildTest, AnUndoneBuildWhoseRedoAnotherStepGaveUp) {
  DrawTrack(Pixel(0, 0), Pixel(50, 0));
  DrawTrack(Pixel(0, 80), Pixel(50, 80));
  Undo();
  EXPECT_EQ(Map->Map()->Tracks.size(), 1u);
  // A point drag is a step of its own: the undone build cannot come back.
  Drag(Pixel(50, 0), Pixel(50, 20));
  EXPECT_FALSE(Frame->mnuRedo->isEnabled());
  EXPECT_EQ(WindowReferenceProblems(*Map), "");
  ExpectNewBuildShown(Pixel(0, 40), Pixel(60, 40));
}

}  // namespace
