// File > Export Image through the window's command, its dialogs answered:
// the view as the window shows it, or the whole map in a chosen size.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <vector>

#include "image_canvas.h"
#include "map_builder.h"
#include "map_fit.h"
#include "map_window.h"

namespace {

class ExportTest : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  TfrmMap Window;
  std::vector<QString> Errors;

  ExportTest() {
    test_maps::BuildNetwork(*Window.Map());
    Window.ShowError = [this](const QString& Message) {
      Errors.push_back(Message);
    };
  }
  // Exports through the window's command, its dialogs answered.
  QString Export(const QString& Name, TPictureFormat Format,
                 const TExportExtent& Extent) {
    const QString path = Folder.filePath(Name);
    Window.AskExportFile = [&](QString& Asked, TPictureFormat& Chosen) {
      Asked = path;
      Chosen = Format;
      return true;
    };
    Window.AskExportExtent = [&](TExportExtent& Asked) {
      Asked = Extent;
      return true;
    };
    Window.ExportImage();
    return path;
  }
};

TEST_F(ExportTest, APngOfTheViewIsTheWindowsOwnPicture) {
  Window.SelectLine(Window.Map()->Tracks[1].get());
  Window.ZoomBy(2.0);
  const QString name = Export("view.png", TPictureFormat::Png, {false, 4096});
  const QImage shown = dynamic_cast<TImageCanvas&>(*Window.Canvas)
                           .Picture()
                           .convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(QImage(name).convertToFormat(QImage::Format_RGB32), shown);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ExportTest, TheWholeMapFitsIntoTheChosenLongSide) {
  const QString name = Export("whole.png", TPictureFormat::Png, {true, 300});
  const QImage image(name);
  EXPECT_EQ(image.size(), FittedSize(*Window.Map(), 300));
  EXPECT_EQ(image.width(), 300);
  // Every point is drawn, its circle filled black.
  const TMapView view = FittedView(*Window.Map(), image.size(), 100.0);
  for (const auto& point : Window.Map()->Points) {
    EXPECT_EQ(image.pixel(view.WorldToScreenX(point->Pos.X),
                          view.WorldToScreenY(point->Pos.Y)),
              clBlack);
  }
  // The next export offers what was chosen last.
  EXPECT_TRUE(Window.ExportExtent.WholeMap);
  EXPECT_EQ(Window.ExportExtent.LongSide, 300);
}

TEST_F(ExportTest, AFailureIsShownAndLeavesNoFile) {
  const QString name =
      Export("missing/view.png", TPictureFormat::Png, {false, 4096});
  EXPECT_EQ(Errors, std::vector<QString>{"Invalid filename"});
  EXPECT_EQ(
      QDir(Folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
      QStringList{});
}

TEST(PictureFile, TakesTheTypeOfTheNameOrAddsTheChosenOnesExtension) {
  EXPECT_EQ(PictureFile("a/map.SVG", TPictureFormat::Png),
            std::pair(QString("a/map.SVG"), TPictureFormat::Svg));
  EXPECT_EQ(PictureFile("a/map.trn", TPictureFormat::Png),
            std::pair(QString("a/map.trn.png"), TPictureFormat::Png));
  EXPECT_EQ(PictureFile("map", TPictureFormat::Svg),
            std::pair(QString("map.svg"), TPictureFormat::Svg));
}

}  // namespace
