#include <QtCore/QTemporaryDir>
#include <QtGui/QUndoStack>

#include "gesture_fixture.h"
#include "window_references.h"

namespace {

// Every way an object leaves the map leaves neither the document's
// selection nor a tool of either window onto it naming it: a roll-back, an
// undo, a redo, a step that lets an undone one go, and a file opened in
// its place. The second window selects what the first is about to lose.
class DocumentReferencesTest : public GestureTest {
 protected:
  TfrmMap Other{nullptr, std::make_unique<TRecordingCanvas>(),
                Window.SharedDocument()};

  void ExpectNoneGone() {
    EXPECT_EQ(WindowReferenceProblems(Window), "");
    EXPECT_EQ(WindowReferenceProblems(Other), "");
    EXPECT_EQ(test_maps::Problems(*Window.Map()), "");
  }
  void Build(QPoint From, QPoint To) {
    Buttons.Press(TModeButton::spbLine);
    Buttons.Set(TModeButton::spbConn, false);
    Drag(From, To);
    Buttons.Press(TModeButton::spbCursor);
  }
};

TEST_F(DocumentReferencesTest, ARollBackTakesTheBuildsLineAndPoints) {
  Buttons.Press(TModeButton::spbLine);
  Press(Pixel(0, 0));
  MoveTo(Pixel(40, 0));
  ASSERT_NE(Window.BuildLine(), nullptr);
  Other.SelectLine(Window.BuildLine());
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Map.Points.empty());
  EXPECT_EQ(Window.BuildLine(), nullptr);
  ExpectNoneGone();
}

TEST_F(DocumentReferencesTest, UndoAndRedoTakeWhatTheStepMadeOrRemoved) {
  Build(Pixel(0, 0), Pixel(40, 0));
  Other.SelectLine(Map.Tracks[0].get());
  Window.Undo();
  EXPECT_TRUE(Map.Tracks.empty());
  ExpectNoneGone();

  Window.Redo();
  Other.SelectLine(Map.Tracks[0].get());
  Key(Qt::Key_Delete);
  Window.Undo();
  ASSERT_EQ(Window.SelectedLine(), Map.Tracks[0].get());
  Window.Redo();
  EXPECT_TRUE(Map.Tracks.empty());
  ExpectNoneGone();
}

TEST_F(DocumentReferencesTest, AStepAfterAnUndoLetsTheUndoneObjectsGo) {
  Build(Pixel(0, 0), Pixel(40, 0));
  Build(Pixel(0, 60), Pixel(40, 60));
  Other.SelectLine(Map.Tracks[1].get());
  Window.Undo();
  // The drag is a step of its own: the undone build cannot come back.
  Drag(Pixel(40, 0), Pixel(40, 20));
  EXPECT_FALSE(Window.Document().UndoStack()->canRedo());
  ExpectNoneGone();
  Build(Pixel(0, -40), Pixel(40, -40));
  ExpectNoneGone();
}

TEST_F(DocumentReferencesTest, AFileOpenedInTheWindowReplacesTheWholeMap) {
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("one.TRN"));
  {
    TTrainStructureSV file;
    test_maps::Build(file, 0, 0, 100, 0);
    file.SaveToFile(QFile::encodeName(name).toStdString());
  }
  Build(Pixel(0, 0), Pixel(40, 0));
  Other.SelectLine(Window.Map()->Tracks[0].get());
  // A point drag is under way in the second window as the file comes.
  Other.ModeButtons = &Buttons;
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(Pixel(40, 0)),
                    QPointF(Pixel(40, 0)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&Other, &press);
  ASSERT_TRUE(Other.MovingPoint());
  Window.OpenMap(name);
  EXPECT_FALSE(Other.MovingPoint());
  EXPECT_EQ(Window.Map()->Tracks.size(), 1u);
  EXPECT_EQ(Other.Map(), Window.Map());
  EXPECT_EQ(WindowReferenceProblems(Window), "");
  EXPECT_EQ(WindowReferenceProblems(Other), "");
  EXPECT_TRUE(Errors.empty());
}

}  // namespace
