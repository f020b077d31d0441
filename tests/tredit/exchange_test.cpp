#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QUndoStack>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <fstream>
#include <sstream>

#include "frame_fixture.h"
#include "import_dialog.h"
#include "map_import.h"
#include "projection_settings.h"
#include "shown_caption.h"

namespace {

// File > Import and File > Export Data in the real frame, their dialogs
// answered as a user answers them.
class FrameExchangeTest : public MapInFrameTest {
 protected:
  QTemporaryDir Folder;
  QStringList Reports;
  QString Exported;

  FrameExchangeTest() {
    Frame->ShowImportReports = [this](const QString&, const QStringList& R) {
      Reports = R;
    };
    Frame->AskExportDataFileName = [this](QString& Name) {
      if (Exported.isEmpty()) return false;
      Name = Exported;
      return true;
    };
  }

  // Import of File, with Tram and "Buildings as walls" ticked in the real
  // options dialog.
  TfrmMap* Import(const QString& File) {
    Frame->AskImportFileName = [File] { return std::optional(File); };
    Frame->AskImportOptions = [](TImportOptions& Options) {
      TImportDialog dialog(nullptr, Options);
      for (auto& [box, kind] : dialog.cbxKinds) {
        if (kind == "tram") box->setChecked(true);
      }
      dialog.cbxBuildings->setChecked(true);
      dialog.accept();
      QString problem;
      Options = *dialog.Options(problem);
      return dialog.result() == QDialog::Accepted;
    };
    const qsizetype before = Children().size();
    Frame->mnuImport->trigger();
    return Children().size() > before ? Frame->ActiveMap() : nullptr;
  }

  static std::string Contents(const QString& Name) {
    std::ifstream in(QFile::encodeName(Name).toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(FrameExchangeTest,
       ImportOpensTheStationUnsavedFittedAndSavesItsProjection) {
  TQtWarnings warnings;
  TfrmMap* map = Import(TR_EXAMPLE_STATION);
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(map->Map()->Points.size(), 21u);
  EXPECT_EQ(map->Map()->Tracks.size(), 16u);
  EXPECT_EQ(map->Map()->Walls.size(), 4u);
  ASSERT_EQ(Reports.size(), 1);
  EXPECT_TRUE(Reports[0].startsWith("crossing at node 4"))
      << Reports[0].toStdString();
  EXPECT_EQ(ShownCaption(*map), "Train Map*");
  EXPECT_FALSE(map->Document().UndoStack()->canUndo());
  // The whole station shows.
  for (const auto& point : map->Map()->Points) {
    EXPECT_TRUE(map->rect().contains(map->WorldToScreenX(point->Pos.X),
                                     map->WorldToScreenY(point->Pos.Y)));
  }
  const TProjectionSettings projection = *map->Document().Projection();
  // The next import starts from this one's answers.
  EXPECT_TRUE(Frame->ImportOptions.Buildings);

  // Save asks for a name and writes the projection beside the map.
  const QString saved = Folder.filePath("station.TRN");
  map->AskSaveFileName = [saved](QString& Name) {
    Name = saved;
    return true;
  };
  Frame->mnuSave->trigger();
  EXPECT_EQ(ShownCaption(*map), "Train Map " + saved);
  EXPECT_EQ(LoadProjectionSettings(QFile::encodeName(saved).toStdString()),
            projection);

  // Export goes back to longitude and latitude: what it wrote imports to
  // the same network, and a DXF names its layers.
  Exported = Folder.filePath("station.geojson");
  Frame->mnuExportData->trigger();
  const QString geojson = Exported;
  TTrainStructureSV back;
  ImportMap(QFile::encodeName(geojson).toStdString(), {}, back);
  EXPECT_EQ(back.Tracks.size(), 16u);
  EXPECT_EQ(back.Walls.size(), 4u);
  EXPECT_NE(Contents(geojson).find(" 7.99"), std::string::npos);
  Exported = Folder.filePath("station.dxf");
  Frame->mnuExportData->trigger();
  EXPECT_NE(Contents(Exported).find("tracks"), std::string::npos);
  EXPECT_TRUE(Errors.empty());

  // An edit and its undo and redo; saving it elsewhere takes the
  // projection along.
  Map = map;
  Keys(Qt::CTRL | Qt::Key_A);
  Keys(Qt::Key_Delete);
  EXPECT_TRUE(map->Map()->Points.empty());
  Undo();
  EXPECT_EQ(map->Map()->Points.size(), 21u);
  Redo();
  EXPECT_TRUE(map->Map()->Points.empty());
  Undo();
  const QString elsewhere = Folder.filePath("copy.TRN");
  map->AskSaveFileName = [elsewhere](QString& Name) {
    Name = elsewhere;
    return true;
  };
  Frame->mnuSaveAs->trigger();
  EXPECT_EQ(LoadProjectionSettings(QFile::encodeName(elsewhere).toStdString()),
            projection);
  // Opened again, the map still knows where it lies.
  Frame->OpenFile(elsewhere);
  EXPECT_EQ(Frame->ActiveMap()->Document().Projection(), projection);
  EXPECT_TRUE(warnings.Messages.empty())
      << warnings.Messages.join('\n').toStdString();
}

TEST_F(FrameExchangeTest, FailuresNameTheFileAndLeaveNoWindowNorFile) {
  const qsizetype windows = Children().size();
  const QString broken = Folder.filePath("broken.osm");
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<osm><node id=\"1\" lat=\"1\"");
  file.close();
  EXPECT_EQ(Import(broken), nullptr);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].startsWith(broken)) << Errors[0].toStdString();
  // A system PROJ does not know is told with the file too.
  Frame->ImportOptions.Crs = "EPSG:0";
  Frame->AskImportFileName = [] {
    return std::optional<QString>(TR_EXAMPLE_STATION);
  };
  Frame->AskImportOptions = [](TImportOptions&) { return true; };
  Frame->mnuImport->trigger();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(Errors[1].startsWith(TR_EXAMPLE_STATION))
      << Errors[1].toStdString();
  // Cancelled, nothing happens.
  Frame->AskImportOptions = [](TImportOptions&) { return false; };
  Frame->mnuImport->trigger();
  EXPECT_EQ(Children().size(), windows);
  EXPECT_EQ(Errors.size(), 2u);

  // An export into a folder that is not there.
  DrawTrack(Pixel(0, 0), Pixel(50, 0));
  Exported = Folder.filePath("missing/map.geojson");
  Frame->mnuExportData->trigger();
  ASSERT_EQ(Errors.size(), 3u);
  EXPECT_TRUE(Errors[2].startsWith(Exported)) << Errors[2].toStdString();
  EXPECT_FALSE(QFileInfo::exists(Folder.filePath("missing")));
}

TEST_F(FrameExchangeTest, AnImportedMapComesBackAfterExitWithItsProjection) {
  TfrmMap* map = Import(TR_EXAMPLE_STATION);
  ASSERT_NE(map, nullptr);
  const std::optional<TProjectionSettings> projection =
      map->Document().Projection();
  Frame->mnuExit->trigger();
  Frame.reset();
  Frame = StartEditor(Start());
  TfrmMap* again = Frame->ActiveMap();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ShownCaption(*again), "Train Map*");
  EXPECT_EQ(again->Map()->Points.size(), 21u);
  EXPECT_EQ(again->Document().Projection(), projection);
}

TEST(ImportDialog, RefusesNoKindAndAnOriginThatIsNoPairOfNumbers) {
  TImportOptions options;
  options.Railways = {"rail", "funicular", "miniature"};
  options.Origin = std::make_pair(1.5, -2.0);
  TImportDialog dialog(nullptr, options);
  // What is not a box's kind is typed.
  EXPECT_EQ(dialog.edtOtherKinds->text(), "miniature");
  QString problem;
  EXPECT_EQ(dialog.Options(problem)->Railways, options.Railways);
  EXPECT_EQ(dialog.Options(problem)->Origin, options.Origin);
  for (auto& [box, kind] : dialog.cbxKinds) box->setChecked(false);
  dialog.edtOtherKinds->setText(" , ");
  EXPECT_FALSE(dialog.Options(problem));
  EXPECT_FALSE(problem.isEmpty());
  dialog.edtOtherKinds->setText("tram");
  dialog.edtOrigin->setText("12 34");
  EXPECT_FALSE(dialog.Options(problem));
  dialog.edtOrigin->setText(" 12 , -34.5 ");
  EXPECT_EQ(dialog.Options(problem)->Origin, std::make_pair(12.0, -34.5));
}

}  // namespace
