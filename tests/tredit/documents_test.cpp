#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include "frame_fixture.h"
#include "map_builder.h"
#include "shown_caption.h"
#include "track_properties_dialog.h"
#include "train_structure.h"

namespace {

class FrameDocumentsTest : public FrameTest {
 protected:
  QTemporaryDir Folder;
  QString PathOf(const char* Name) { return Folder.filePath(Name); }

  // A map file holding one track of two points.
  QString WriteOneTrackMap() {
    TTrainStructureSV map;
    test_maps::Build(map, 0, 0, 100, 0);
    const QString name = PathOf("one.TRN");
    map.SaveToFile(QFile::encodeName(name).toStdString());
    return name;
  }
};

TEST_F(FrameDocumentsTest, OpenCancelledMakesNoWindow) {
  int asked = 0;
  Frame->AskOpenFileName = [&]() -> std::optional<QString> {
    ++asked;
    return std::nullopt;
  };
  Frame->mnuOpen->trigger();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Children().size(), 1);
  CloseAll();
  Frame->mnuOpen->trigger();
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(Children().isEmpty());
}

TEST_F(FrameDocumentsTest, OpenLoadsTheFileIntoANewWindow) {
  const QString name = WriteOneTrackMap();
  Frame->AskOpenFileName = [&] { return std::optional<QString>(name); };
  TfrmMap* start = Frame->ActiveMap();
  Frame->mnuOpen->trigger();
  Frame->mnuOpen->trigger();
  ASSERT_EQ(Children().size(), 3);
  EXPECT_TRUE(start->Map()->Points.empty());
  for (QMdiSubWindow* child : Children().mid(1)) {
    EXPECT_EQ(ShownCaption(*child), "Train Map " + name);
    EXPECT_EQ(MapOf(child)->Map()->Tracks.size(), 1u);
  }
  EXPECT_EQ(Frame->ActiveMap(), MapOf(Children().back()));
  EXPECT_TRUE(Errors.empty());
}

// The window is made before the file is read: a missing file leaves a new,
// empty window named after it, and the failure is shown once.
TEST_F(FrameDocumentsTest, OpeningAMissingFileLeavesAWindowNamedAfterIt) {
  const QString name = PathOf("missing.TRN");
  Frame->AskOpenFileName = [&] { return std::optional<QString>(name); };
  Frame->mnuOpen->trigger();
  ASSERT_EQ(Children().size(), 2);
  EXPECT_EQ(Frame->ActiveMap()->FileName(), name);
  EXPECT_TRUE(Frame->ActiveMap()->Map()->Points.empty());
  EXPECT_EQ(Errors.size(), 1u);
}

TEST_F(FrameDocumentsTest, SaveAndSaveAsAskTheActiveWindowOnly) {
  TfrmMap* first = Frame->ActiveMap();
  TfrmMap* second = Frame->NewMapWindow();
  std::vector<TfrmMap*> asked;
  for (TfrmMap* map : {first, second}) {
    map->AskSaveFileName = [&asked, map, this](QString& Name) {
      asked.push_back(map);
      Name = PathOf(map == asked.front() ? "a.TRN" : "b.TRN");
      return true;
    };
  }
  Frame->mnuSave->trigger();
  ASSERT_EQ(asked, std::vector<TfrmMap*>{second});
  EXPECT_TRUE(QFile::exists(PathOf("a.TRN")));
  // Named now: Save writes without asking, Save As asks again.
  Frame->mnuSave->trigger();
  EXPECT_EQ(asked.size(), 1u);
  Frame->mnuSaveAs->trigger();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(first->FileName().isEmpty());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(FrameDocumentsTest, SelectionCommandsReachTheActiveWindow) {
  TfrmMap* first = Frame->ActiveMap();
  TfrmMap* second = Frame->NewMapWindow();
  for (TfrmMap* map : {first, second}) {
    map->ShowPropertiesDialog = [](TfrmTrackPr&) { return false; };
  }
  Click(Frame->spbLine);
  second->FormMouseDown(TMouseButton::Left, 100, 100);
  second->FormMouseUp(TMouseButton::Left, 180, 100);
  ASSERT_EQ(second->Map()->Tracks.size(), 1u);
  ASSERT_NE(second->SelectedPoint(), nullptr);

  Click(Frame->spbNewTrain);
  EXPECT_EQ(second->Map()->Trains.size(), 1u);

  TfrmTrackPr* shown = nullptr;
  second->ShowPropertiesDialog = [&](TfrmTrackPr& Dialog) {
    shown = &Dialog;
    return false;
  };
  second->SelectLine(second->Map()->Tracks.front().get());
  Click(Frame->spbProperties);
  EXPECT_EQ(shown, Frame->frmTrackPr);
  EXPECT_TRUE(first->Map()->Trains.empty());
}

TEST_F(FrameDocumentsTest, EveryMapCommandWithNoWindowOpenDoesNothing) {
  CloseAll();
  int asked = 0;
  Frame->AskOpenFileName = [&]() -> std::optional<QString> {
    ++asked;
    return std::nullopt;
  };
  Frame->mnuSave->trigger();
  Frame->mnuSaveAs->trigger();
  for (QToolButton* button : {Frame->spbProperties, Frame->spbNewTrain,
                              Frame->spbRotate, Frame->spbDefsw}) {
    Click(button);
  }
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(QDir(Folder.path()).isEmpty());
}

// A maximised map window's caption joins the frame's, with its "*".
TEST_F(FrameDocumentsTest, TheFrameShowsTheMarkOfTheActiveWindow) {
  TfrmMap* first = Frame->ActiveMap();
  DrawTrack(first);
  EXPECT_EQ(ShownCaption(*Frame), "Train Map Editor - [Train Map*]");
  Frame->NewMapWindow();
  EXPECT_EQ(ShownCaption(*Frame), "Train Map Editor - [Train Map]");
  Frame->MdiArea->setActiveSubWindow(Children().front());
  EXPECT_EQ(ShownCaption(*Frame), "Train Map Editor - [Train Map*]");
  Frame->NewMapWindow();
  Children().back()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ShownCaption(*Frame), "Train Map Editor - [Train Map*]");
}

}  // namespace
