#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QUndoStack>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <memory>

#include "background_dialog.h"
#include "image_canvas.h"
#include "map_builder.h"
#include "map_window.h"
#include "recording_canvas.h"
#include "recovery_store.h"

using test_maps::Build;

namespace {

// The colour of picture pixel (I, J) of the test pictures: every pixel
// its own.
QRgb PatternColor(int I, int J) { return qRgb(40 * I + 20, 90 * J + 30, 200); }

QImage Pattern(int Width, int Height) {
  QImage picture(Width, Height, QImage::Format_RGB32);
  for (int j = 0; j < Height; ++j) {
    for (int i = 0; i < Width; ++i) picture.setPixel(i, j, PatternColor(i, j));
  }
  return picture;
}

// A map window of the designed size, origin (213, 135), drawing onto an
// image, with a picture file of the 4 x 2 pattern; the background dialog
// is answered by Answer.
class BackgroundTest : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  QString PictureFile = Folder.filePath("plan.png");
  TImageCanvas* Canvas = new TImageCanvas(QSize(427, 271));
  TfrmMap Window{nullptr, std::unique_ptr<TCanvas>(Canvas)};
  std::vector<QString> Errors;
  std::function<void(TfrmBackground&)> Answer;

  BackgroundTest() {
    Pattern(4, 2).save(PictureFile);
    Window.ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
    Window.ShowBackgroundDialog = [this](TfrmBackground& Dialog) {
      Answer(Dialog);
      return true;
    };
  }
  // Places the picture by numbers through the dialog.
  void Place(const QString& Metres, const QString& Left, const QString& Top,
             int Opacity = 100, const QString& Turn = "0") {
    Answer = [=, this](TfrmBackground& Dialog) {
      Dialog.edtPicture->setText(PictureFile);
      Dialog.edtMetres->setText(Metres);
      Dialog.edtLeft->setText(Left);
      Dialog.edtTop->setText(Top);
      Dialog.edtTurn->setText(Turn);
      Dialog.spnOpacity->setValue(Opacity);
    };
    Window.EditBackground();
  }
  QRgb Pixel(int X, int Y) { return Canvas->Picture().pixel(X, Y); }
  QRgb Face() const { return Window.palette().color(QPalette::Button).rgb(); }
};

// Sharp squares of the picture's pixels where the placement puts them, at
// one scale and zoomed in, turned too; a track drawn over them.
TEST_F(BackgroundTest, PictureIsDrawnUnderTheMapAtItsWorldPlace) {
  Place("10", "0", "0");
  ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
  for (int j = 0; j < 2; ++j) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Pixel(213 + 10 * i + 5, 135 + 10 * j + 5), PatternColor(i, j))
          << i << "," << j;
      // Sharp: the square's corner pixels too.
      EXPECT_EQ(Pixel(213 + 10 * i + 9, 135 + 10 * j + 1), PatternColor(i, j));
    }
  }
  EXPECT_EQ(Pixel(213 + 45, 140), Face());

  Window.ZoomBy(2.0);
  EXPECT_EQ(Pixel(213 + 20 * 3 + 10, 135 + 20 + 10), PatternColor(3, 1));
  EXPECT_EQ(Pixel(213 + 20 * 3 + 1, 135 + 20 + 19), PatternColor(3, 1));
  Window.ZoomBy(0.5);

  Build(*Window.Map(), 0, -15, 40, -15);
  Window.Repaint();
  EXPECT_EQ(Pixel(213 + 25, 150), qRgb(0, 0, 0));
  EXPECT_EQ(Pixel(213 + 25, 146), PatternColor(2, 1));

  // Turned a quarter clockwise: the picture's rows run along world -x.
  Place("10", "0", "0", 100, "90");
  EXPECT_EQ(Pixel(213 - 5, 135 + 5), PatternColor(0, 0));
  EXPECT_EQ(Pixel(213 - 5, 135 + 35), PatternColor(3, 0));
  EXPECT_EQ(Pixel(213 - 15, 135 + 15), PatternColor(1, 1));
}

// Zoomed out, neighbouring pixels blend; opacity mixes with the window's
// colour; a hidden picture shows nothing.
TEST_F(BackgroundTest, ZoomedOutSmoothAndOpacityAndHidden) {
  QImage checks(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      checks.setPixel(x, y,
                      (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(250, 250, 250));
    }
  }
  checks.save(PictureFile);
  Place("0.25", "0", "0");
  const QRgb blended = Pixel(213 + 8, 135 + 8);
  EXPECT_NEAR(qRed(blended), 125, 12);

  Pattern(4, 2).save(PictureFile);
  Window.Document().SetBackground(std::nullopt,
                                  QStringLiteral("Remove Background"));
  Place("10", "0", "0", 50);
  const QRgb mixed = Pixel(213 + 5, 135 + 5);
  EXPECT_NEAR(qBlue(mixed), (200 + qBlue(Face())) / 2, 2);

  Answer = [](TfrmBackground& Dialog) { Dialog.cbxVisible->setChecked(false); };
  Window.EditBackground();
  EXPECT_EQ(Pixel(213 + 5, 135 + 5), Face());
}

// Every format the project's packages let Qt read, TIFF included.
TEST_F(BackgroundTest, PicturesOfTheUsualFormatsAreRead) {
  for (const char* format : {"png", "bmp", "jpg", "tif"}) {
    const QString file = Folder.filePath(QStringLiteral("p.") + format);
    ASSERT_TRUE(Pattern(40, 20).save(file)) << format;
    const auto picture = LoadBackgroundPicture(file);
    EXPECT_EQ(picture->Width(), 40) << format;
    EXPECT_EQ(picture->Height(), 20) << format;
    // Halved down to a pixel, rounding up.
    EXPECT_EQ(picture->Levels().size(), 7u);
  }
}

// Set, change and remove are steps of the window's history: the window is
// unsaved after each, and undo takes it back exactly, to the saved state.
TEST_F(BackgroundTest, SettingMovingAndRemovingAreUndoSteps) {
  Place("10", "0", "0");
  ASSERT_TRUE(Window.Document().Background().has_value());
  const auto picture = Window.Document().Background()->Picture;
  EXPECT_TRUE(Window.Document().Modified());
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Set Background");
  Place("10", "-30", "0");
  EXPECT_EQ(Window.Document().UndoStack()->undoText(), "Change Background");
  EXPECT_EQ(Window.Document().Background()->Settings.Placement.Left, -30.0);
  // The same picture is not read again.
  EXPECT_EQ(Window.Document().Background()->Picture, picture);
  Answer = [](TfrmBackground& Dialog) { Dialog.btnRemove->click(); };
  Window.EditBackground();
  EXPECT_FALSE(Window.Document().Background().has_value());
  EXPECT_EQ(Pixel(213 - 25, 140), Face());

  Window.Undo();
  ASSERT_TRUE(Window.Document().Background().has_value());
  EXPECT_EQ(Window.Document().Background()->Settings.Placement.Left, -30.0);
  EXPECT_EQ(Pixel(213 - 25, 140), PatternColor(0, 0));
  Window.Undo();
  EXPECT_EQ(Window.Document().Background()->Settings.Placement.Left, 0.0);
  Window.Undo();
  EXPECT_FALSE(Window.Document().Background().has_value());
  EXPECT_FALSE(Window.Document().Modified());
  Window.Redo();
  EXPECT_TRUE(Window.Document().Background().has_value());
  // Changing nothing makes no step.
  Place("10", "0", "0");
  EXPECT_EQ(Window.Document().UndoStack()->index(), 1);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(BackgroundTest, BadEntriesAndUnreadablePicturesChangeNothing) {
  Place("10", "0", "0");
  for (const char* metres : {"", "ten", "0", "-1"}) {
    Place(QString::fromLatin1(metres), "5", "5");
  }
  Place("10", "nowhere", "5");
  EXPECT_EQ(Errors.size(), 5u);
  EXPECT_EQ(Errors.front(), "The metres per picture pixel must be a number");
  Answer = [this](TfrmBackground& Dialog) {
    Dialog.edtPicture->setText(Folder.filePath("missing.png"));
  };
  Window.EditBackground();
  ASSERT_EQ(Errors.size(), 6u);
  EXPECT_TRUE(Errors.back().startsWith("Cannot read the background picture"))
      << Errors.back().toStdString();
  // Reference points that fix nothing.
  Answer = [](TfrmBackground& Dialog) {
    Dialog.rbReferences->setChecked(true);
    for (auto& point : Dialog.edtReference) {
      for (QLineEdit* field : point) field->setText("3");
    }
  };
  Window.EditBackground();
  EXPECT_EQ(Errors.size(), 7u);
  EXPECT_EQ(Window.Document().UndoStack()->index(), 1);
  EXPECT_EQ(Window.Document().Background()->Settings.Placement.Left, 0.0);
}

// Two spots clicked on the picture and their world positions typed place
// it: the picture's pixel (1, 0) lands at world (10, 0), its pixel (3, 1)
// at world (30, -10).
TEST_F(BackgroundTest, ReferencePointsClickedOnThePicture) {
  Answer = [this](TfrmBackground& Dialog) {
    Dialog.edtPicture->setText(PictureFile);
    Dialog.Preview->Clicked(1, 0);
    Dialog.Preview->Clicked(3, 1);
    const char* world[2][2] = {{"10", "0"}, {"30", "-10"}};
    for (int i = 0; i < 2; ++i) {
      Dialog.edtReference[i][2]->setText(world[i][0]);
      Dialog.edtReference[i][3]->setText(world[i][1]);
    }
  };
  Window.EditBackground();
  ASSERT_TRUE(Errors.empty()) << Errors.front().toStdString();
  const TBackgroundPlacement& at =
      Window.Document().Background()->Settings.Placement;
  EXPECT_NEAR(at.MetresPerPixel, 10.0, 1e-9);
  EXPECT_NEAR(at.Left, 0.0, 1e-9);
  EXPECT_NEAR(at.Top, 0.0, 1e-9);
  EXPECT_EQ(Pixel(213 + 35, 135 + 15), PatternColor(3, 1));
}

// Saved beside the map and read with it; a missing picture or damaged
// settings are told, and the map opens all the same.
TEST_F(BackgroundTest, SavedWithTheMapAndOpenedAgain) {
  Build(*Window.Map(), 0, 0, 100, 0);
  Place("10", "0", "0", 60);
  const QString map = Folder.filePath("plan.TRN");
  Window.AskSaveFileName = [&](QString& Name) {
    Name = map;
    return true;
  };
  Window.SaveMap(false);
  EXPECT_FALSE(Window.Document().Modified());
  ASSERT_TRUE(QFile::exists(map + ".background"));

  TfrmMap opened(nullptr, std::make_unique<TImageCanvas>(QSize(427, 271)));
  opened.ShowError = Window.ShowError;
  opened.OpenMap(map);
  ASSERT_TRUE(opened.Document().Background().has_value());
  EXPECT_EQ(opened.Document().Background()->Settings,
            Window.Document().Background()->Settings);
  EXPECT_NE(opened.Document().Background()->Picture, nullptr);
  EXPECT_FALSE(opened.Document().Modified());

  QFile::remove(PictureFile);
  opened.OpenMap(map);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].startsWith("Cannot read the background picture"));
  EXPECT_EQ(opened.Map()->Tracks.size(), 1u);
  // Kept, to be saved again as it was.
  ASSERT_TRUE(opened.Document().Background().has_value());
  EXPECT_EQ(opened.Document().Background()->Picture, nullptr);

  QFile settings(map + ".background");
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
  settings.write("TRN background 1\nopacity 7\n");
  settings.close();
  opened.OpenMap(map);
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[1], "Damaged background settings in " + map + ".background");
  EXPECT_EQ(opened.Map()->Tracks.size(), 1u);
  EXPECT_FALSE(opened.Document().Background().has_value());

  // Removed and saved: nothing brings it back.
  Answer = [](TfrmBackground& Dialog) { Dialog.btnRemove->click(); };
  Window.EditBackground();
  Window.SaveMap(false);
  EXPECT_FALSE(QFile::exists(map + ".background"));
}

// An unsaved background is kept for recovery with the map, and comes back.
TEST_F(BackgroundTest, KeptForRecoveryWithTheMap) {
  QTemporaryDir recovery;
  TRecoveryStore store(recovery.path().toStdString());
  Window.Document().Recovery = &store;
  Window.Document().RecoveryEntry = 4;
  Place("10", "5", "0");
  Window.Document().KeepForRecovery();
  store.Flush();
  TfrmMap reopened(nullptr, std::make_unique<TImageCanvas>(QSize(427, 271)));
  reopened.ReopenRecovered(recovery.path().toStdString(), 4);
  ASSERT_TRUE(reopened.Document().Background().has_value());
  EXPECT_EQ(reopened.Document().Background()->Settings,
            Window.Document().Background()->Settings);
  EXPECT_NE(reopened.Document().Background()->Picture, nullptr);
  EXPECT_TRUE(reopened.Document().Modified());
  Window.Document().Recovery = nullptr;
}

}  // namespace

namespace {

// Painted first, under the grid; only the part that reaches the window is
// handed to the canvas, however far the view is zoomed in, and nothing
// when the picture lies outside.
TEST(BackgroundPainting, OnlyThePartInViewIsDrawnFirst) {
  auto* canvas = new TRecordingCanvas;
  TfrmMap window(nullptr, std::unique_ptr<TCanvas>(canvas));
  QImage picture(1000, 500, QImage::Format_RGB32);
  picture.fill(Qt::red);
  window.Document().SetBackground(
      TMapBackground{{"plan.png", {0.0, 0.0, 1.0, 0.0}, 1.0, true},
                     std::make_shared<const TBackgroundPicture>(picture)},
      QStringLiteral("Set Background"));
  window.FormPaint();
  ASSERT_FALSE(canvas->Log.empty());
  // The window shows columns 0 to 213 and rows 0 to 135 of the picture,
  // with a pixel more for the blending at the edges.
  EXPECT_EQ(canvas->Log.front(),
            "Picture 1000x500 source 0,0,215,137 opacity 1.00 sharp");

  window.ZoomBy(1e6);
  canvas->Clear();
  window.FormPaint();
  EXPECT_EQ(canvas->Log.front(),
            "Picture 1000x500 source 0,0,2,2 opacity 1.00 sharp");

  window.ZoomBy(1e-9);
  canvas->Clear();
  window.FormPaint();
  EXPECT_EQ(canvas->Log.front(),
            "Picture 1x1 source 0,0,1,1 opacity 1.00 smooth");

  window.ScrollBy(-100000, 0);
  canvas->Clear();
  window.FormPaint();
  for (const std::string& drawn : canvas->Log) {
    EXPECT_FALSE(drawn.starts_with("Picture")) << drawn;
  }
}

}  // namespace
