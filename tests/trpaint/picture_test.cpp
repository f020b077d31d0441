// Pictures of maps in files: the PNG is the window's own picture, painted
// in strips or at once; the SVG holds the window's lines as paths with
// their pens; a cancel leaves no file behind.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QImage>
#include <QtSvg/QSvgRenderer>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "image_canvas.h"
#include "map_builder.h"
#include "map_fit.h"
#include "map_generator.h"
#include "map_picture.h"
#include "recording_canvas.h"

namespace {

using test_maps::BuildNetwork;

std::string PngOf(const TMapPicture& Picture,
                  qsizetype StripBytes = kPngStripBytes) {
  std::string bytes;
  WritePng(
      Picture, [&](std::string_view Piece) { bytes.append(Piece); },
      [](double) { return true; }, StripBytes);
  return bytes;
}

QImage ImageOf(const std::string& Png) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(Png.data()),
                                 static_cast<int>(Png.size()), "PNG"));
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage OnePaint(const TMapPicture& Picture) {
  TImageCanvas canvas(QSize(Picture.View.Width, Picture.View.Height));
  canvas.Erase(Picture.Background);
  TMapPainter(canvas, Picture.Map, Picture.View, Picture.Selection).Paint();
  return canvas.Picture().convertToFormat(QImage::Format_RGB32);
}

// Whether every pixel of A has its colour in B at the same place or a
// neighbouring one.
bool WithinAPixel(const QImage& A, const QImage& B) {
  if (A.size() != B.size()) return false;
  for (int y = 0; y < A.height(); ++y) {
    for (int x = 0; x < A.width(); ++x) {
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy) {
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          found = B.valid(x + dx, y + dy) &&
                  B.pixel(x + dx, y + dy) == A.pixel(x, y);
        }
      }
      if (!found) {
        ADD_FAILURE() << "at " << x << "," << y;
        return false;
      }
    }
  }
  return true;
}

// Pictures of the whole of a generated map with walls, switches,
// platforms and trains, turned a little so that lines cross the strips'
// edges at every slope, in strips a few rows high. Thin lines are where
// one paint puts them, dots included; a wide line may move by a pixel
// where it crosses a strip's edge (Qt places the pixels of a line cut by
// the image's edge a little differently), so without wide lines the
// pictures are the same.
TEST(Picture, StripsOfTheWholeMapPutEverythingWhereOnePaintPutsIt) {
  const auto map = GenerateMap(3000);
  for (const auto& point : map->Points) {
    const TTrVector p = point->Pos;
    map->MovePoint(point.get(), p.X * 0.9 - p.Y * 0.3, p.X * 0.3 + p.Y * 0.9);
  }
  for (size_t i = 0; i < map->Tracks.size(); i += 7) {
    map->SetTrackProperties(map->Tracks[i].get(), 0, 1);
  }
  std::mt19937 random(7);
  const auto pictures = [&](int Trials, auto Check) {
    for (int trial = 0; trial < Trials; ++trial) {
      SCOPED_TRACE(trial);
      const QSize size =
          FittedSize(*map, std::uniform_int_distribution(60, 700)(random));
      const double grid =
          std::exp2(std::uniform_int_distribution(4, 9)(random));
      const TMapPicture picture{
          *map, FittedView(*map, size, grid), {}, clWhite};
      const int rows = std::uniform_int_distribution(1, 40)(random);
      Check(ImageOf(PngOf(picture, qsizetype{size.width()} * 4 * rows)),
            OnePaint(picture));
    }
  };
  pictures(6, [](const QImage& Strips, const QImage& Whole) {
    EXPECT_TRUE(WithinAPixel(Strips, Whole));
    EXPECT_TRUE(WithinAPixel(Whole, Strips));
  });
  while (!map->Trains.empty()) map->DeleteTrain(map->Trains.back().get());
  for (const auto& track : map->Tracks) {
    map->SetTrackProperties(track.get(), 0, 0);
  }
  pictures(6, [](const QImage& Strips, const QImage& Whole) {
    EXPECT_EQ(Strips, Whole);
  });
}

// A picture that fits in one strip is the window's picture, whatever it
// shows: lines that the picture's edges cut included.
TEST(Picture, OneStripIsOnePaint) {
  const auto map = GenerateMap(3000);
  std::mt19937 random(11);
  for (int trial = 0; trial < 6; ++trial) {
    TMapView view;
    view.Width = std::uniform_int_distribution(40, 500)(random);
    view.Height = std::uniform_int_distribution(40, 400)(random);
    view.Scale = std::exp2(std::uniform_real_distribution(-2.0, 6.0)(random));
    view.OriginX = std::uniform_int_distribution(-200, 600)(random);
    view.OriginY = std::uniform_int_distribution(-200, 600)(random);
    const TMapPicture picture{
        *map, view, {nullptr, map->Points[trial].get(), nullptr}, clWhite};
    EXPECT_EQ(ImageOf(PngOf(picture)), OnePaint(picture));
  }
}

// The SVG read back as the recording canvas logs a paint: each path a
// line with its group's pen, each circle an ellipse with its group's pen
// and brush.
std::vector<std::string> SvgDrawn(const std::string& Svg) {
  std::vector<std::string> drawn;
  std::vector<std::string> pens;
  std::vector<std::string> brushes;
  QXmlStreamReader xml(QByteArray::fromStdString(Svg));
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == u"g") {
      pens.pop_back();
      brushes.pop_back();
    }
    if (!xml.isStartElement()) continue;
    const auto text = [&](const char* Name) {
      return xml.attributes().value(QLatin1String(Name)).toString();
    };
    const auto whole = [&](double Value) {
      return std::to_string(static_cast<int>(Value));
    };
    if (xml.name() == u"g") {
      const QString width = text("stroke-width");
      const QString dots = width + ' ' + QString::number(2 * width.toInt());
      const QString dashes = text("stroke-dasharray");
      const char* style =
          dashes.isEmpty() ? "/solid" : (dashes == dots ? "/dot" : "/?");
      pens.push_back("pen " + text("stroke").mid(1).toStdString() + "/" +
                     width.toStdString() + style);
      brushes.push_back(text("fill").mid(1).toStdString());
    } else if (xml.name() == u"path") {
      const QStringList d =
          text("d").split(QRegularExpression("[ML ]"), Qt::SkipEmptyParts);
      EXPECT_EQ(d.size(), 4);
      drawn.push_back(
          (d[0] + ',' + d[1] + ' ' + d[2] + ',' + d[3]).toStdString() + ' ' +
          pens.back());
    } else if (xml.name() == u"circle") {
      const double r = text("r").toDouble();
      const double left = text("cx").toDouble() - r;
      const double top = text("cy").toDouble() - r;
      drawn.push_back("Ellipse " + whole(left) + ',' + whole(top) + ' ' +
                      whole(left + 2 * r + 1) + ',' + whole(top + 2 * r + 1) +
                      ' ' + pens.back() + " brush " + brushes.back());
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return drawn;
}

TEST(Picture, AnSvgHoldsEveryLineOfThePaintAsAPathWithItsPen) {
  TTrainStructureSV map;
  BuildNetwork(map);
  TMapView view;
  view.Width = 320;
  view.Height = 200;
  view.OriginX = 170;
  view.OriginY = 90;
  const TMapPicture picture{
      map, view, {map.Tracks[2].get(), nullptr, nullptr}, qRgb(239, 239, 239)};
  std::string svg;
  WriteSvg(
      picture, [&](std::string_view Piece) { svg.append(Piece); },
      [](double) { return true; });

  TRecordingCanvas painted;
  TMapPainter(painted, map, view, picture.Selection).Paint();
  // Grid, cross, tracks (one selected, one wide), markers, wall, points,
  // train: every kind of pen the map uses.
  EXPECT_EQ(SvgDrawn(svg), painted.Drawn());
  EXPECT_NE(svg.find("fill=\"#efefef\""), std::string::npos);
  EXPECT_TRUE(QSvgRenderer(QByteArray::fromStdString(svg)).isValid());
}

TEST(Picture, ACancelLeavesTheOldFileAndNoOther) {
  QTemporaryDir folder;
  TTrainStructureSV map;
  BuildNetwork(map);
  const std::string name = folder.filePath("map.png").toStdString();
  {
    QFile old(QString::fromStdString(name));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  TMapView view;
  view.Width = 100;
  view.Height = 100;
  for (const TPictureFormat format :
       {TPictureFormat::Png, TPictureFormat::Svg}) {
    EXPECT_THROW(SavePicture(name, format, {map, view, {}, clWhite},
                             [](double) { return false; }),
                 EPictureCancelled);
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList{"map.png"});
    QFile old(QString::fromStdString(name));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
  }
}

}  // namespace
