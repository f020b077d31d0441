// "trntool render" as a script runs it, without a display: a picture of
// the asked size that draws the whole map as the editor draws it in a map
// window of that size showing the whole map.
#include <gtest/gtest.h>

#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtSvg/QSvgRenderer>

#include "image_canvas.h"
#include "map_builder.h"
#include "map_fit.h"
#include "map_picture.h"
#include "map_window.h"

namespace {

int Render(const QStringList& Arguments) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  tool.setProcessEnvironment(environment);
  tool.start(QStringLiteral(TRNTOOL), QStringList{"render"} + Arguments);
  EXPECT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.readAllStandardError(), "");
  return tool.exitCode();
}

TEST(Render, DrawsTheWholeMapAsTheEditorDoesInAWindowOfThatSize) {
  QTemporaryDir folder;
  const QString map = folder.filePath("map.trn");
  {
    TTrainStructureSV built;
    test_maps::BuildNetwork(built);
    built.SaveToFile(map.toStdString());
  }
  const QString png = folder.filePath("map.png");
  ASSERT_EQ(Render({map, png, "--size", "300x200"}), 0);
  const QImage drawn = QImage(png).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(drawn.size(), QSize(300, 200));

  TfrmMap window;
  window.resize(300, 200);
  window.show();
  window.OpenMap(map);
  const TMapView view = FittedView(*window.Map(), QSize(300, 200), 100.0);
  window.Scale = view.Scale;
  window.OriginX = view.OriginX;
  window.OriginY = view.OriginY;
  window.Repaint();
  const QImage shown = dynamic_cast<TImageCanvas&>(*window.Canvas)
                           .Picture()
                           .convertToFormat(QImage::Format_RGB32);
  const QRgb face = window.palette().color(QPalette::Button).rgb();
  int mapPixels = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) {
      const QRgb tool = drawn.pixel(x, y);
      const QRgb editor = shown.pixel(x, y);
      if (tool == kPictureBackground && editor == face) continue;
      ++mapPixels;
      ASSERT_EQ(tool, editor) << x << "," << y;
    }
  }
  EXPECT_GT(mapPixels, 300);

  const QString svg = folder.filePath("map.svg");
  ASSERT_EQ(Render({map, svg}), 0);
  const QSvgRenderer vectors(svg);
  EXPECT_TRUE(vectors.isValid());
  EXPECT_EQ(vectors.defaultSize().width(), 4096);
}

}  // namespace
