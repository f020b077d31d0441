#include "image_canvas.h"

#include <gtest/gtest.h>

#include <QtGui/QPainter>
#include <memory>
#include <random>

#include "map_builder.h"
#include "map_window.h"
#include "qt_drawing.h"

namespace {

constexpr QRgb kBlack = 0xFF000000u;

class ImageCanvasTest : public ::testing::Test {
 protected:
  TImageCanvas* Canvas = new TImageCanvas(QSize(427, 271));
  TfrmMap Window{nullptr, std::unique_ptr<TCanvas>(Canvas)};
};

int BlackInColumn(const QImage& Image, int X) {
  int count = 0;
  for (int y = 0; y < Image.height(); ++y) {
    if (Image.pixel(X, y) == kBlack) ++count;
  }
  return count;
}

TEST_F(ImageCanvasTest, GridColumnIsDottedBlackOnTheButtonFace) {
  Window.Repaint();
  const QImage& picture = Canvas->Picture();
  const QRgb face = Window.palette().color(QPalette::Button).rgb();
  // A dotted line: black on some of its pixels, the background between.
  const int black = BlackInColumn(picture, 113);
  EXPECT_GT(black, 271 / 4);
  EXPECT_LT(black, 271 * 3 / 4);
  // Beside it only the three grid rows cross.
  EXPECT_LE(BlackInColumn(picture, 114), 3);
  EXPECT_EQ(picture.pixel(114, 60), face);
}

TEST_F(ImageCanvasTest, OriginCrossIsSolidBlack) {
  Window.Repaint();
  const QImage& picture = Canvas->Picture();
  for (int d = -9; d <= 9; ++d) {
    EXPECT_EQ(picture.pixel(213 + d, 135), kBlack) << d;
    EXPECT_EQ(picture.pixel(213, 135 + d), kBlack) << d;
  }
  EXPECT_NE(picture.pixel(220, 137), kBlack);
}

TEST_F(ImageCanvasTest, TrackAndSelectedPointColours) {
  TTrLine* line = test_maps::Build(*Window.Map(), 0, 50, 100, 50);
  static_cast<TTrack*>(line)->Platform = 1;
  Window.Repaint();
  Window.SelectPoint(line->P2);
  const QImage& picture = Canvas->Picture();
  // Platform track: three pixels wide around row 85.
  EXPECT_EQ(picture.pixel(260, 84), kBlack);
  EXPECT_EQ(picture.pixel(260, 85), kBlack);
  EXPECT_EQ(picture.pixel(260, 86), kBlack);
  EXPECT_NE(picture.pixel(260, 88), kBlack);
  // The selected point is filled white inside its outline.
  EXPECT_EQ(picture.pixel(313, 85), 0xFFFFFFFFu);
}

// Ellipses are copied from cached images; the pixels must be those that
// drawing each one directly gives, at any place, also where the window
// edge cuts them.
TEST(EllipseCache, SetsTheSamePixelsAsDrawingDirectly) {
  const QSize size(40, 30);
  TImageCanvas canvas(size);
  QImage direct(size, QImage::Format_RGB32);
  canvas.Erase(0xFF808080u);
  direct.fill(0xFF808080u);
  QPainter painter(&direct);
  const TPen pens[] = {{clBlack, 1, psSolid, pmCopy},
                       {clRed, 1, psDot, pmCopy},
                       {clBlack, 3, psDot, pmCopy}};
  const TBrush brushes[] = {{clBlack}, {clWhite}};
  const int places[][2] = {{5, 5}, {17, 12}, {-2, 3}, {36, 27}, {20, -3}};
  for (const TPen& pen : pens) {
    for (const TBrush& brush : brushes) {
      for (const auto& place : places) {
        const int x = place[0];
        const int y = place[1];
        canvas.Pen = pen;
        canvas.Brush = brush;
        canvas.Ellipse(x - 3, y - 3, x + 3, y + 3);
        painter.setPen(ToQPen(pen));
        painter.setBrush(QColor::fromRgb(brush.Color));
        painter.drawEllipse(EllipseBounds(x - 3, y - 3, x + 3, y + 3));
      }
    }
  }
  painter.end();
  EXPECT_EQ(canvas.Picture(), direct);
}

TEST(LineBatches, SetTheSamePixelsAsDrawingEachLineDirectly) {
  const QSize size(60, 40);
  TImageCanvas canvas(size);
  QImage direct(size, QImage::Format_RGB32);
  canvas.Erase(0xFFFFFFFFu);
  direct.fill(0xFFFFFFFFu);
  QPainter painter(&direct);
  const TPen pens[] = {{clBlack, 1, psDot, pmCopy},
                       {clBlack, 1, psDot, pmCopy},
                       {clRed, 3, psSolid, pmCopy},
                       {clBlack, 1, psDot, pmCopy}};
  int row = 2;
  for (const TPen& pen : pens) {
    for (int i = 0; i < 3; ++i, row += 3) {
      canvas.Pen = pen;
      canvas.MoveTo(1 + i, row);
      canvas.LineTo(50 - i, row + 1);
      painter.setPen(ToQPen(pen));
      painter.drawLine(1 + i, row, 50 - i, row + 1);
    }
  }
  painter.end();
  EXPECT_EQ(canvas.Picture(), direct);
}

TEST(StraightLines, SetTheSamePixelsAsThePainter) {
  const QSize size(48, 48);
  for (const TPenStyle style : {psSolid, psDot}) {
    TImageCanvas canvas(size);
    QImage direct(size, QImage::Format_RGB32);
    canvas.Erase(0xFFFFFFFFu);
    direct.fill(0xFFFFFFFFu);
    QPainter painter(&direct);
    const TPen pen{clBlack, 1, style, pmCopy};
    painter.setPen(ToQPen(pen));
    canvas.Pen = pen;
    int at = 1;
    for (const int length : {0, 1, 2, 3, 4, 7, 20, 46}) {
      for (const bool reversed : {false, true}) {
        const int a = reversed ? 1 + length : 1;
        const int b = reversed ? 1 : 1 + length;
        canvas.MoveTo(a, at);  // horizontal
        canvas.LineTo(b, at);
        painter.drawLine(a, at, b, at);
        canvas.MoveTo(at, a);  // vertical
        canvas.LineTo(at, b);
        painter.drawLine(at, a, at, b);
        at += 3;
      }
    }
    painter.end();
    EXPECT_EQ(canvas.Picture(), direct) << style;
  }
}

TEST(StraightLines, CutByTheImageEdgeStayWithinIt) {
  TImageCanvas canvas(QSize(10, 10));
  canvas.Erase(0xFFFFFFFFu);
  canvas.Pen = {clBlack, 1, psSolid, pmCopy};
  canvas.MoveTo(-20, 4);
  canvas.LineTo(30, 4);
  canvas.MoveTo(-30, 6);  // wholly left of the image
  canvas.LineTo(-5, 6);
  canvas.MoveTo(5, 40);
  canvas.LineTo(5, -40);
  const QImage& picture = canvas.Picture();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(picture.pixel(i, 4), kBlack) << i;
    EXPECT_EQ(picture.pixel(5, i), kBlack) << i;
    if (i != 5) {
      EXPECT_NE(picture.pixel(i, 6), kBlack) << i;
    }
  }
}

// The canvas sets the pixels of thin lines itself; they must be the
// painter's for every slope and direction, also with ends on the far edges.
// A line the image edge cuts shows the pixels the whole line has there,
// wherever the edge cuts it, so that a picture moved is one drawn at the
// new place.
TEST(ThinLines, SetThePaintersPixelsForEverySlope) {
  const QSize size(97, 61);
  constexpr int kMargin = 8;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(-5, 102);
  std::uniform_int_distribution<int> y(-5, 66);
  for (const TPenStyle style : {psSolid, psDot}) {
    const TPen pen{clBlack, 1, style, pmCopy};
    for (int i = 0; i < 500; ++i) {
      const QLine line(x(random), y(random), x(random), y(random));
      TImageCanvas canvas(size);
      QImage whole(size.grownBy(QMargins(kMargin, kMargin, kMargin, kMargin)),
                   QImage::Format_RGB32);
      canvas.Erase(0xFFFFFFFFu);
      whole.fill(0xFFFFFFFFu);
      canvas.Pen = pen;
      canvas.MoveTo(line.x1(), line.y1());
      canvas.LineTo(line.x2(), line.y2());
      QPainter painter(&whole);
      painter.setPen(ToQPen(pen));
      painter.drawLine(line.translated(kMargin, kMargin));
      painter.end();
      ASSERT_EQ(canvas.Picture(),
                whole.copy(QRect(QPoint(kMargin, kMargin), size)))
          << style << " " << line.x1() << "," << line.y1() << " " << line.x2()
          << "," << line.y2();
    }
  }
}

}  // namespace

namespace {

// A picture with opacity on a freshly erased image is drawn whole and then
// veiled; over anything else it is blended as it is drawn. Both give the
// same picture, to the rounding of a channel, turned and scaled alike.
TEST(PictureOpacity, VeiledOnAnErasedImageAsBlendedOverOne) {
  QImage picture(30, 20, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      picture.setPixel(x, y,
                       qPremultiply(qRgba(8 * x, 12 * y, 90, 255 - 6 * x)));
    }
  }
  QTransform transform;
  transform.translate(40, 10).rotate(20).scale(3, 3);
  const TColor face = qRgb(240, 235, 230);
  TImageCanvas veiled(QSize(160, 120));
  TImageCanvas blended(QSize(160, 120));
  for (TImageCanvas* canvas : {&veiled, &blended}) canvas->Erase(face);
  // A line off the image: drawn on, though nothing shows.
  blended.MoveTo(-10, -10);
  blended.LineTo(-5, -10);
  for (TImageCanvas* canvas : {&veiled, &blended}) {
    canvas->DrawPicture(picture, picture.rect(), transform, 0.4, true);
  }
  const QImage& a = veiled.Picture();
  const QImage& b = blended.Picture();
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 2 ||
          std::abs(qGreen(p) - qGreen(q)) > 2 ||
          std::abs(qBlue(p) - qBlue(q)) > 2) {
        ++differing;
      }
    }
  }
  EXPECT_EQ(differing, 0);
  // The picture does show.
  EXPECT_NE(a.pixel(60, 40), face);
}

}  // namespace
