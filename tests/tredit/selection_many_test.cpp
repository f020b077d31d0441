#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include "frame_fixture.h"
#include "map_builder.h"
#include "map_reader.h"
#include "window_references.h"

namespace {

// Selecting many objects and editing them as one, through the frame's real
// events, menus and status bar.
class ManyInFrameTest : public MapInFrameTest {
 protected:
  void SendWith(QEvent::Type Type, QPoint At, Qt::MouseButtons Held,
                Qt::KeyboardModifiers Keys) {
    QMouseEvent event(Type, QPointF(At), QPointF(Map->mapToGlobal(At)),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      Held, Keys);
    QApplication::sendEvent(Map, &event);
  }
  void Band(QPoint From, QPoint To, Qt::KeyboardModifiers Keys = {}) {
    SendWith(QEvent::MouseButtonPress, From, Qt::LeftButton, Keys);
    SendWith(QEvent::MouseMove, To, Qt::LeftButton, Keys);
    SendWith(QEvent::MouseButtonRelease, To, Qt::NoButton, Keys);
  }
  void ShiftClick(QPoint At) {
    SendWith(QEvent::MouseButtonPress, At, Qt::LeftButton, Qt::ShiftModifier);
    SendWith(QEvent::MouseButtonRelease, At, Qt::NoButton, Qt::ShiftModifier);
  }
  QString Status() const { return Map->SelectionStatus(); }
  std::string Problems() const {
    return test_maps::Problems(*Map->Map()) + WindowReferenceProblems(*Map);
  }
  // Two tracks of two points each, at y 0 and y 50, and a train.
  void TwoTracks() {
    DrawTrack(Pixel(0, 0), Pixel(100, 0));
    DrawTrack(Pixel(0, 50), Pixel(100, 50));
    Select(Pixel(0, 0));
    Click(Frame->spbNewTrain);
  }
  // Undo gives back Before and redo After, byte for byte.
  void ExpectUndoRedo(const std::string& Before) {
    const std::string after = Saved();
    EXPECT_NE(after, Before);
    EXPECT_EQ(Problems(), "");
    Undo();
    EXPECT_EQ(Saved(), Before);
    Redo();
    EXPECT_EQ(Saved(), after);
    EXPECT_EQ(Problems(), "");
  }
};

TEST_F(ManyInFrameTest, BandAndShiftClickSelectEachKind) {
  TwoTracks();
  Click(Frame->spbPoint);
  // A band around the lower track only.
  Band(Pixel(-20, 20), Pixel(120, -20));
  EXPECT_EQ(Status(), "2 points, 0 lines, 0 trains");
  ShiftClick(Pixel(100, 50));
  EXPECT_EQ(Status(), "3 points, 0 lines, 0 trains");
  ShiftClick(Pixel(100, 50));
  EXPECT_EQ(Status(), "2 points, 0 lines, 0 trains");
  // Shift adds a band to what is selected; Escape in the middle of a band
  // changes nothing.
  Band(Pixel(-20, 70), Pixel(120, 30), Qt::ShiftModifier);
  EXPECT_EQ(Status(), "4 points, 0 lines, 0 trains");
  SendWith(QEvent::MouseButtonPress, Pixel(-30, -30), Qt::LeftButton, {});
  SendWith(QEvent::MouseMove, Pixel(130, 80), Qt::LeftButton, {});
  Keys(Qt::Key_Escape);
  SendWith(QEvent::MouseButtonRelease, Pixel(130, 80), Qt::NoButton, {});
  EXPECT_FALSE(Map->GestureUnderway());

  Click(Frame->spbLines);
  Band(Pixel(-20, 70), Pixel(120, -20));
  EXPECT_EQ(Status(), "0 points, 2 lines, 0 trains");
  // A band that holds a line only in part does not take it.
  Band(Pixel(-20, 20), Pixel(50, -20));
  EXPECT_EQ(Status(), "");
  Click(Frame->spbTrains);
  Band(Pixel(-20, 70), Pixel(120, -20));
  EXPECT_NE(Map->SelectedTrain(), nullptr);
  EXPECT_EQ(Problems(), "");
}

TEST_F(ManyInFrameTest, SelectAllNoneInvertAndConnectedFromTheMenu) {
  TwoTracks();
  Click(Frame->spbPoint);
  Keys(Qt::CTRL | Qt::Key_A);
  EXPECT_EQ(Status(), "4 points, 0 lines, 0 trains");
  Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
  EXPECT_EQ(Status(), "");
  Select(Pixel(0, 0));
  Frame->mnuInvertSelection->trigger();
  EXPECT_EQ(Status(), "3 points, 0 lines, 0 trains");
  Select(Pixel(0, 0));
  Frame->mnuSelectConnected->trigger();
  EXPECT_EQ(Status(), "2 points, 0 lines, 0 trains");
  Click(Frame->spbLines);
  Frame->mnuSelectConnected->trigger();
  EXPECT_EQ(Status(), "2 points, 1 line, 0 trains");
  EXPECT_EQ(Problems(), "");
}

// Every edit of a mixed selection is one step, undone and redone exactly.
TEST_F(ManyInFrameTest, EditsOfAMixedSelectionAreEachOneStep) {
  TwoTracks();
  const auto selectMixed = [this] {
    Click(Frame->spbPoint);
    Band(Pixel(-20, 20), Pixel(120, -20));
    Click(Frame->spbLines);
    ShiftClick(Pixel(50, 50));
    Click(Frame->spbPoint);
  };
  selectMixed();
  ASSERT_EQ(Status(), "2 points, 1 line, 0 trains");
  std::string before = Saved();
  // The drag of one selected point moves them all.
  Drag(Pixel(0, 0), Pixel(30, -40));
  ExpectUndoRedo(before);
  EXPECT_EQ(Map->Map()->Points[2]->Pos.Y, 10.0);

  before = Saved();
  Keys(Qt::Key_Right);
  ExpectUndoRedo(before);
  before = Saved();
  Keys(Qt::SHIFT | Qt::Key_Up);
  ExpectUndoRedo(before);
  for (QAction* action :
       {Frame->mnuRotateLeft, Frame->mnuRotateRight,
        Frame->mnuMirrorHorizontally, Frame->mnuMirrorVertically}) {
    before = Saved();
    action->trigger();
    ExpectUndoRedo(before);
  }
  Map->AskRotation = [](QString& Text) {
    Text = QStringLiteral("30");
    return true;
  };
  before = Saved();
  Frame->mnuRotateSelection->trigger();
  ExpectUndoRedo(before);
  Map->AskRotation = [](QString& Text) {
    Text = QStringLiteral("right");
    return true;
  };
  before = Saved();
  Frame->mnuRotateSelection->trigger();
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(Errors.size(), 1u);

  Keys(Qt::Key_Delete);
  ExpectUndoRedo(before);
  EXPECT_TRUE(Map->Map()->Tracks.empty());
  EXPECT_TRUE(Map->Map()->Trains.empty());
}

TEST_F(ManyInFrameTest, CopyAndPasteWithinAndBetweenWindows) {
  TwoTracks();
  Click(Frame->spbPoint);
  Keys(Qt::CTRL | Qt::Key_A);
  Keys(Qt::CTRL | Qt::Key_C);
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("PNT"))) << text.toStdString();
  std::string before = Saved();
  Keys(Qt::CTRL | Qt::Key_V);
  ExpectUndoRedo(before);
  EXPECT_EQ(Map->Map()->Points.size(), 8u);
  EXPECT_EQ(Map->Map()->Trains.size(), 2u);
  // Redone, the paste selects what it pasted, not what was copied.
  EXPECT_EQ(Status(), "4 points, 2 lines, 1 train");
  const TObjectSet<TTrPoint>& selected =
      Map->Document().Selection().Many.Points;
  EXPECT_FALSE(selected.Contains(Map->Map()->Points[0].get()));
  EXPECT_TRUE(selected.Contains(Map->Map()->Points[7].get()));
  before = Saved();
  Keys(Qt::CTRL | Qt::Key_D);
  ExpectUndoRedo(before);
  before = Saved();
  Keys(Qt::CTRL | Qt::Key_X);
  ExpectUndoRedo(before);

  // Into a second map: the same objects, one grid step beside.
  Keys(Qt::CTRL | Qt::Key_N);
  TfrmMap* second = Frame->ActiveMap();
  ASSERT_NE(second, Map);
  Map = second;
  Keys(Qt::CTRL | Qt::Key_V);
  EXPECT_EQ(Map->Map()->Points.size(), 4u);
  EXPECT_EQ(Map->Map()->Trains.size(), 1u);
  EXPECT_EQ(Problems(), "");

  // Plain text, as from a text editor; and text that is no map.
  QGuiApplication::clipboard()->setText(QString::fromStdString(Saved()));
  Keys(Qt::CTRL | Qt::Key_V);
  EXPECT_EQ(Map->Map()->Points.size(), 8u);
  QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
  before = Saved();
  Keys(Qt::CTRL | Qt::Key_V);
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(Errors.size(), 1u);
}

// Whatever the reader's test files hold, broken ones included, a paste
// gives a message or a sound map.
TEST_F(ManyInFrameTest, PasteOfEveryReaderTestFileIsSoundOrToldOf) {
  const QDir folder(QStringLiteral(TRFILE_MAPS_DIR));
  const QStringList files =
      folder.entryList({QStringLiteral("*.trn")}, QDir::Files);
  ASSERT_GE(files.size(), 20);
  for (const QString& name : files) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QGuiApplication::clipboard()->setText(QString::fromLatin1(file.readAll()));
    const size_t errors = Errors.size();
    const std::string before = Saved();
    Frame->mnuPaste->trigger();
    EXPECT_TRUE(Errors.size() > errors || Saved() != before)
        << name.toStdString();
    EXPECT_EQ(Problems(), "") << name.toStdString();
  }
}

}  // namespace
