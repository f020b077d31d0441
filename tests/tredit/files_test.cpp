#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtWidgets/QMenu>
#include <cmath>

#include "frame_fixture.h"
#include "map_builder.h"
#include "train_structure.h"

namespace {

// The editor started with files and a settings file of its own.
class FrameFilesTest : public FrameTest {
 protected:
  QTemporaryDir Folder;
  QString Settings = Folder.filePath("tredit.conf");

  QString WriteMap(const char* Name, double Y = 0) {
    TTrainStructureSV map;
    test_maps::Build(map, 0, Y, 100, Y);
    const QString path = Folder.filePath(Name);
    map.SaveToFile(QFile::encodeName(path).toStdString());
    return path;
  }
  void Restart(const QStringList& Files = {}) {
    Frame->mnuExit->trigger();
    Frame = StartEditor(Start(Settings, Files));
  }
  QStringList Captions() const {
    QStringList captions;
    for (QMdiSubWindow* child : Children()) {
      captions << child->widget()->windowTitle().remove("[*]");
    }
    return captions;
  }
  QStringList MenuTexts(QMenu* Menu) {
    emit Menu->aboutToShow();
    QStringList texts;
    for (QAction* item : Menu->actions()) texts << item->text();
    return texts;
  }
};

TEST_F(FrameFilesTest, FilesOnTheCommandLineOpenInOrderInsteadOfTheEmptyMap) {
  const QString first = WriteMap("first.TRN");
  const QString missing = Folder.filePath("missing.TRN");
  Restart({first, missing});
  EXPECT_EQ(Captions(),
            QStringList({"Train Map " + first, "Train Map " + missing}));
  EXPECT_EQ(MapOf(Children()[0])->Map()->Tracks.size(), 1u);
  EXPECT_EQ(Errors, std::vector<QString>({"File not found"}));
}

TEST_F(FrameFilesTest, RecentFilesListTheLastOpenedOrSavedAcrossRuns) {
  Frame->UseSettings(Settings);
  QStringList written;
  for (int i = 0; i < 9; ++i) {
    written.prepend(WriteMap(qPrintable(QStringLiteral("m%1.TRN").arg(i))));
    Frame->OpenFile(written.front());
  }
  Frame->OpenFile(written.back());  // opened again: to the front
  Restart();
  QStringList expected = written.mid(0, 7);
  expected.prepend(written.back());
  EXPECT_EQ(Frame->RecentFiles(), expected);
  const QStringList items = MenuTexts(Frame->mnuRecent);
  ASSERT_EQ(items.size(), 8);
  EXPECT_EQ(items[0], "&1 " + written.back());

  // A file saved goes to the front too; one gone is dropped when chosen.
  TfrmMap* map = Frame->ActiveMap();
  const QString saved = Folder.filePath("saved.TRN");
  map->AskSaveFileName = [&](QString& Name) {
    Name = saved;
    return true;
  };
  map->SaveMap(false);
  EXPECT_EQ(Frame->RecentFiles().front(), saved);
  QFile::remove(written.front());
  const qsizetype windows = Children().size();
  Frame->OpenRecentFile(written.front());
  EXPECT_EQ(Children().size(), windows);
  EXPECT_FALSE(Frame->RecentFiles().contains(written.front()));
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].startsWith(written.front() + " is no longer there"));
}

TEST_F(FrameFilesTest, TheFrameComesBackWhereItWas) {
  Frame->UseSettings(Settings);
  Frame->setGeometry(100, 90, 700, 420);
  const QRect place = Frame->geometry();
  Restart();
  EXPECT_EQ(Frame->geometry(), place);
}

TEST_F(FrameFilesTest, CloseAsksAndTheWindowMenuPicksWindows) {
  TfrmMap* first = Frame->ActiveMap();
  DrawTrack(first);
  Frame->NewMapWindow();
  EXPECT_EQ(MenuTexts(Frame->mnuWindow),
            QStringList({"New &View", "&Cascade", "&Tile", "", "&1 Train Map*",
                         "&2 Train Map"}));
  EXPECT_TRUE(Frame->mnuWindow->actions()[5]->isChecked());
  Frame->mnuWindow->actions()[4]->trigger();
  EXPECT_EQ(Frame->ActiveMap(), first);

  std::vector<QString> asked;
  TSaveChanges answer = TSaveChanges::Cancel;
  Frame->AskSaveChanges = [&](const QString& Name) {
    asked.push_back(Name);
    return answer;
  };
  Frame->mnuClose->trigger();
  EXPECT_EQ(Children().size(), 2);
  answer = TSaveChanges::Discard;
  Frame->mnuClose->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Children().size(), 1);
  EXPECT_EQ(asked, std::vector<QString>({"Train Map", "Train Map"}));
}

TEST_F(FrameFilesTest, MapFilesDroppedOnTheFrameOpen) {
  const QString map = WriteMap("dropped.trn");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(map),
                QUrl::fromLocalFile(Folder.filePath("notes.txt"))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(Frame.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(Frame.get(), &drop);
  ASSERT_EQ(Children().size(), 2);
  EXPECT_EQ(Captions().back(), "Train Map " + map);
}

}  // namespace

namespace {

TEST_F(FrameFilesTest, SnapToGridIsRememberedAndPlacesNewPointsOnTheGrid) {
  Restart();
  EXPECT_FALSE(Frame->mnuSnapToGrid->isChecked());
  Frame->mnuSnapToGrid->trigger();
  Restart();
  ASSERT_TRUE(Frame->mnuSnapToGrid->isChecked());
  TfrmMap* map = Frame->ActiveMap();
  map->SetGridSpacing(25.0);
  DrawTrack(map, map->WorldToScreenY(-10));
  const TTrLine& line = *map->Map()->Tracks.front();
  EXPECT_EQ(std::fmod(line.P1->Pos.X, 25.0), 0.0);
  EXPECT_EQ(std::fmod(line.P2->Pos.X, 25.0), 0.0);
  EXPECT_GT(line.Length(), 0.0);
  EXPECT_EQ(line.P1->Pos.Y, 0.0);
  EXPECT_EQ(line.P2->Pos.Y, 0.0);
}

// Off at first; once chosen, every map window draws simplified, and the
// next start still does.
TEST_F(FrameFilesTest, SimplifyWhenZoomedOutIsRememberedAndReachesEveryWindow) {
  Restart();
  EXPECT_FALSE(Frame->mnuSimplify->isChecked());
  EXPECT_FALSE(Frame->ActiveMap()->View().Simplified);
  Frame->mnuSimplify->trigger();
  EXPECT_TRUE(Frame->ActiveMap()->View().Simplified);
  Restart();
  ASSERT_TRUE(Frame->mnuSimplify->isChecked());
  EXPECT_TRUE(Frame->ActiveMap()->View().Simplified);
}

}  // namespace
