// "trntool render OUT.pdf" as a script runs it, read back with poppler's
// tools: the pages a scale takes, the text on them, and a page drawn as the
// window's painter draws the map.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <cmath>

#include "image_canvas.h"
#include "map_builder.h"
#include "map_painter.h"
#include "map_print.h"

namespace {

// Runs Program without a display and gives what it printed.
QString RunTool(const QString& Program, const QStringList& Arguments,
                int* Status = nullptr) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  process.setProcessEnvironment(environment);
  process.start(Program, Arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << Program.toStdString();
  EXPECT_EQ(process.readAllStandardError(), "") << Program.toStdString();
  if (Status != nullptr) *Status = process.exitCode();
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& Pdf) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {Pdf});
  const auto match =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A map of two tracks from one point, Metres to the right and Metres up,
// so that its box is Metres square; away from the origin cross and the
// grid's lines.
QString SquareMap(const QTemporaryDir& Folder, int Metres) {
  const QString name = Folder.filePath(QStringLiteral("square.trn"));
  QFile file(name);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("PNT 3\r\n"
                            "   0 1050 1050    0 0 3 1 4 1 -1 0 \r\n"
                            "   1 %1 1050    0 0 3 2 -1 0 -1 0 \r\n"
                            "   2 1050 %1    0 0 4 2 -1 0 -1 0 \r\n"
                            "TRK 2\r\n   3 0 0 \r\n   4 0 0 \r\n")
                 .arg(1050 + Metres)
                 .toLatin1());
  return name;
}

// The pages a map of Metres square needs at 1:Scale on paper of Width x
// Height millimetres, worked out from the page's parts: its margins, the
// footer under the map, the overlap of neighbours, and the room kept around
// the points.
int ExpectedPages(double Metres, int Scale, double Width, double Height) {
  const double pixel = 25.4 / 96;
  const double map = Metres * 1000 / Scale + 2 * kPrintMarginPixels * pixel;
  const auto pages = [&](double Room) {
    return map <= Room ? 1
                       : static_cast<int>(std::ceil((map - kOverlapMm) /
                                                    (Room - kOverlapMm)));
  };
  return pages(Width - 2 * kPdfMarginMm) *
         pages(Height - 2 * kPdfMarginMm - kFooterMm);
}

TEST(Pdf, AScaleTakesThePagesItNeedsEachWithItsNumberAndScale) {
  QTemporaryDir folder;
  const QString map = SquareMap(folder, 1000);
  const QString pdf = folder.filePath(QStringLiteral("plan.pdf"));
  int status = -1;
  RunTool(QStringLiteral(TRNTOOL), {"render", map, pdf, "--scale", "5000"},
          &status);
  ASSERT_EQ(status, 0);
  // 204 mm of map on A4's 190 mm across: two pages, side by side.
  ASSERT_EQ(ExpectedPages(1000, 5000, 210, 297), 2);
  EXPECT_EQ(PageCount(pdf), 2);
  const QString text = RunTool(QStringLiteral("pdftotext"), {pdf, "-"});
  for (const char* expected :
       {"square.trn", "Page 1 of 2 (row 1, column 1)",
        "Page 2 of 2 (row 1, column 2)", "1:5000", "200 m"}) {
    EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected;
  }

  // Landscape, A3 and a larger scale.
  const struct {
    QStringList Options;
    int Scale;
    double Width, Height;
  } cases[] = {{{"--landscape"}, 5000, 297, 210},
               {{"--paper", "a3"}, 2000, 297, 420},
               {{}, 2000, 210, 297}};
  for (const auto& c : cases) {
    RunTool(
        QStringLiteral(TRNTOOL),
        QStringList{"render", map, pdf, "--scale", QString::number(c.Scale)} +
            c.Options,
        &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(PageCount(pdf), ExpectedPages(1000, c.Scale, c.Width, c.Height))
        << c.Options.join(' ').toStdString() << " 1:" << c.Scale;
  }
  EXPECT_EQ(PageCount(pdf), 6);

  // Beyond what is printed, nothing is written.
  QFile::remove(pdf);
  QProcess tool;
  tool.start(QStringLiteral(TRNTOOL), {"render", map, pdf, "--scale", "100"});
  ASSERT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.exitCode(), 2);
  EXPECT_TRUE(tool.readAllStandardError().contains("pages; at most 500"));
  EXPECT_FALSE(QFile::exists(pdf));
}

// Poppler draws the page without smoothing at 10 pixels a millimetre.
QImage PageImage(const QString& Pdf, int Page, int Dpi) {
  const QString prefix = Pdf + QStringLiteral(".page");
  RunTool(QStringLiteral("pdftoppm"),
          {"-r", QString::number(Dpi), "-aa", "no", "-aaVector", "no", "-png",
           "-singlefile", "-f", QString::number(Page), "-l",
           QString::number(Page), Pdf, prefix});
  return QImage(prefix + QStringLiteral(".png"))
      .convertToFormat(QImage::Format_RGB32);
}

// Black, as track is; the frame of the map area is grey.
bool Inked(QRgb Colour) { return qGray(Colour) < 64; }

TEST(Pdf, DrawsTheMapToScale) {
  QTemporaryDir folder;
  const QString map = SquareMap(folder, 100);
  const QString pdf = folder.filePath(QStringLiteral("plan.pdf"));
  int status = -1;
  RunTool(QStringLiteral(TRNTOOL), {"render", map, pdf, "--scale", "1000"},
          &status);
  ASSERT_EQ(status, 0);
  const QImage page = PageImage(pdf, 1, 254);
  ASSERT_FALSE(page.isNull());
  // The 100 m track is 100 mm long: the inked run of the row through it
  // goes from the circle of one end to that of the other, a point's width
  // (under a millimetre each side) longer.
  int longest = 0;
  for (int y = 0; y < page.height(); ++y) {
    int left = -1;
    int right = -1;
    for (int x = 0; x < page.width(); ++x) {
      if (!Inked(page.pixel(x, y))) continue;
      if (left < 0 || x > right + 3) left = x;
      right = x;
      longest = std::max(longest, right - left + 1);
    }
  }
  EXPECT_GE(longest, 1000);
  EXPECT_LE(longest, 1000 + 20);
}

TEST(Pdf, APageShowsWhatThePainterDrawsAsVectors) {
  QTemporaryDir folder;
  const QString map = folder.filePath(QStringLiteral("network.trn"));
  TTrainStructureSV built;
  test_maps::BuildNetwork(built);
  built.SaveToFile(map.toStdString());
  const QString pdf = folder.filePath(QStringLiteral("network.pdf"));
  int status = -1;
  RunTool(QStringLiteral(TRNTOOL), {"render", map, pdf}, &status);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(RunTool(QStringLiteral("pdfimages"), {"-list", pdf}).count('\n'), 2)
      << "only the heading of an empty list of pictures";

  // At 96 dots an inch a pixel of the page is one of the painter's.
  const QImage page = PageImage(pdf, 1, 96);
  const TPrintSource source{built, TMapView(), nullptr, {}};
  const TPrintLayout layout = LayOutPrint(
      source, {}, QSizeF(210 - 2 * kPdfMarginMm, 297 - 2 * kPdfMarginMm));
  TImageCanvas canvas(QSize(layout.View.Width, layout.View.Height));
  canvas.Erase(clWhite);
  TMapPainter(canvas, built, layout.View, {}).Paint();
  const QImage drawn = canvas.Picture().convertToFormat(QImage::Format_RGB32);
  const QPointF corner = layout.PageCorner(0, 0);
  const double margin = kPdfMarginMm * 96 / 25.4;
  const int left = static_cast<int>(std::lround(margin - corner.x()));
  const int top = static_cast<int>(std::lround(margin - corner.y()));

  // Each coloured pixel of one has its colour in the other within a pixel;
  // where the page sets a pixel edge differently, a line may stand a pixel
  // over.
  const auto near = [](const QImage& Image, int X, int Y, QRgb Colour) {
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const QPoint p(X + dx, Y + dy);
        if (Image.rect().contains(p) && Image.pixel(p) == Colour) return true;
      }
    }
    return false;
  };
  int coloured = 0;
  int missing = 0;
  int extra = 0;
  for (int y = 1; y + 1 < drawn.height(); ++y) {
    for (int x = 1; x + 1 < drawn.width(); ++x) {
      const QRgb want = drawn.pixel(x, y);
      const QRgb got = page.pixel(left + x, top + y);
      if (want != clWhite) {
        ++coloured;
        if (!near(page, left + x, top + y, want)) ++missing;
      }
      if (got != clWhite && !near(drawn, x, y, got)) ++extra;
    }
  }
  EXPECT_GT(coloured, 2000);
  EXPECT_LT(missing, coloured / 50);
  EXPECT_LT(extra, coloured / 50);
}

TEST(PrintLayout, RefusesMorePagesThanItPrintsAndPaperTooSmall) {
  TTrainStructureSV map;
  test_maps::BuildNetwork(map);
  const TPrintSource source{map, TMapView(), nullptr, {}};
  EXPECT_THROW(LayOutPrint(source, {TPrintExtent::Scale, 1}, QSizeF(190, 277)),
               EPrintTooLarge);
  EXPECT_THROW(LayOutPrint(source, {}, QSizeF(25, 277)), EPrintTooLarge);
  // A view larger than the page is made smaller, and says so in its scale.
  TMapView view;
  view.Width = 2000;
  view.Height = 100;
  const TPrintLayout layout = LayOutPrint(
      {map, view, nullptr, {}}, {TPrintExtent::View, 0}, QSizeF(190, 277));
  EXPECT_NEAR(layout.View.Width * layout.MmPerPixel, 190.0, 1e-9);
  EXPECT_NEAR(layout.ScaleDenominator, 1000.0 * 2000 / 190, 1e-6);
}

}  // namespace
