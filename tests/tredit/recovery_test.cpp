#include <QtCore/QDir>
#include <QtGui/QUndoStack>

#include "frame_fixture.h"
#include "map_writer.h"
#include "shown_caption.h"

namespace {

// The editor keeping and reopening unsaved maps in the fixture's recovery
// folder, and a second editor started there.
class FrameRecoveryTest : public FrameTest {
 protected:
  std::unique_ptr<TfrmTrain> StartAnother() { return StartEditor(Start()); }
  static QStringList Captions(TfrmTrain& Editor) {
    QStringList captions;
    for (QMdiSubWindow* child :
         Editor.MdiArea->subWindowList(QMdiArea::CreationOrder)) {
      captions << ShownCaption(*child);
    }
    return captions;
  }
};

TEST_F(FrameRecoveryTest, ExitKeepsUnsavedMapsAndTheNextStartReopensThem) {
  TfrmMap* unnamed = Frame->ActiveMap();
  DrawTrack(unnamed);
  Frame->NewMapWindow();  // nothing to keep
  TfrmMap* named = Frame->NewMapWindow();
  const QString name = RecoveryFolder.filePath("elsewhere.TRN");
  named->OpenMap(name);
  DrawTrack(named);
  DrawTrack(named, 150);
  named->ZoomBy(0.5);
  const std::string unnamedText = WriteMap(*unnamed->Map());
  const std::string namedText = WriteMap(*named->Map());
  Errors.clear();

  // Exit asks nothing.
  Frame->AskSaveChanges = [](const QString&) {
    ADD_FAILURE() << "asked";
    return TSaveChanges::Cancel;
  };
  Frame->mnuExit->trigger();
  EXPECT_FALSE(Frame->isVisible());
  Frame.reset();

  Frame = StartAnother();
  EXPECT_EQ(Captions(*Frame),
            QStringList({"Train Map*", "Train Map " + name + "*"}));
  const QList<TfrmMap*> maps = {MapOf(Children()[0]), MapOf(Children()[1])};
  EXPECT_EQ(WriteMap(*maps[0]->Map()), unnamedText);
  EXPECT_EQ(WriteMap(*maps[1]->Map()), namedText);
  EXPECT_EQ(maps[1]->Scale, 2.0);
  EXPECT_EQ(Frame->ActiveMap(), maps[1]);
  EXPECT_TRUE(Errors.empty());
  // Without a change, they are kept as they were at the next exit.
  Frame->mnuExit->trigger();
  Frame.reset();
  Frame = StartAnother();
  EXPECT_EQ(Captions(*Frame),
            QStringList({"Train Map*", "Train Map " + name + "*"}));
}

TEST_F(FrameRecoveryTest, AnEditorStartedBesideDoesNotTakeTheMapsOfThisOne) {
  DrawTrack(Frame->ActiveMap());
  EXPECT_EQ(Frame->KeepUnsavedMaps(), "");
  const auto beside = StartAnother();
  EXPECT_EQ(Captions(*beside), QStringList({"Train Map"}));
  EXPECT_TRUE(Frame->ActiveMap()->Document().Modified());
}

TEST_F(FrameRecoveryTest, ExitThatCannotKeepTheMapsSaysSoAndStays) {
  DrawTrack(Frame->ActiveMap());
  ASSERT_TRUE(QDir(RecoveryFolder.path()).removeRecursively());
  Frame->mnuExit->trigger();
  EXPECT_TRUE(Frame->isVisible());
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].startsWith(
      "The unsaved changes to Train Map could not be kept: "))
      << Errors[0].toStdString();
}

}  // namespace
