#include "image_canvas.h"

#include <QtGui/QPainter>
#include <algorithm>

#include "qt_drawing.h"

TImageCanvas::TImageCanvas(const QSize& Size)
    : Image(Size, QImage::Format_RGB32) {
  Image.fill(clWhite);
}

TImageCanvas::~TImageCanvas() { EndPainting(); }

void TImageCanvas::MoveTo(int X, int Y) { Current = QPoint(X, Y); }

void TImageCanvas::LineTo(int X, int Y) {
  if (!PendingLines.empty() && !(Pen == PendingPen)) FlushLines();
  PendingPen = Pen;
  const QPoint to(X, Y);
  PendingLines.emplace_back(Current, to);
  Current = to;
}

void TImageCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  FlushLines();
  const int width = X2 - X1;
  const int height = Y2 - Y1;
  const bool cached = width > 0 && height > 0 &&
                      width <= TEllipseSprites::MaxSide &&
                      height <= TEllipseSprites::MaxSide;
  if (!cached) {
    QPainter& painter = Painter();
    painter.setBrush(QColor::fromRgb(Brush.Color));
    if (!(PainterPen == Pen)) {
      painter.setPen(ToQPen(Pen));
      PainterPen = Pen;
    }
    painter.drawEllipse(EllipseBounds(X1, Y1, X2, Y2));
    return;
  }
  CopySprite(Sprites.Get(Pen, Brush, width, height), X1, Y1);
}

// The raster painter draws straight into the image's memory, so pixels
// written here stay in order with what it drew before and draws after.
void TImageCanvas::CopySprite(const TEllipseSprite& Sprite, int Left, int Top) {
  const int m = Sprite.Margin;
  if (Left + Sprite.Width + m <= 0 || Top + Sprite.Height + m <= 0 ||
      Left - m >= Image.width() || Top - m >= Image.height()) {
    return;
  }
  uchar* bits = Image.bits();
  const qsizetype stride = Image.bytesPerLine();
  const bool inside = Left - m >= 0 && Top - m >= 0 &&
                      Left + Sprite.Width + m <= Image.width() &&
                      Top + Sprite.Height + m <= Image.height();
  for (const TSpritePixel& pixel : Sprite.Pixels) {
    const int x = Left + pixel.DX;
    const int y = Top + pixel.DY;
    if (!inside &&
        (x < 0 || y < 0 || x >= Image.width() || y >= Image.height())) {
      continue;
    }
    reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel.Color;
  }
}

void TImageCanvas::Erase(TColor Color) {
  PendingLines.clear();
  EndPainting();
  Image.fill(Color);
}

void TImageCanvas::Resize(const QSize& Size) {
  PendingLines.clear();
  EndPainting();
  Image = QImage(Size, QImage::Format_RGB32);
  Image.fill(clWhite);
}

void TImageCanvas::Present(QPainter& Target) {
  Target.drawImage(0, 0, Picture());
}

const QImage& TImageCanvas::Picture() {
  FlushLines();
  EndPainting();
  return Image;
}

QPainter& TImageCanvas::Painter() {
  if (!ActivePainter) {
    ActivePainter = std::make_unique<QPainter>(&Image);
    ActivePainter->setPen(ToQPen(Pen));
    PainterPen = Pen;
  }
  return *ActivePainter;
}

// Sets the pixels of a thin horizontal or vertical line itself and says
// so; leaves every other line to the painter. The pixels are the painter's:
// from the lower end up to but not including the higher one, and for a
// dotted pen every third pixel counted from the first pixel at the start.
// Where the image edge cuts a dotted line the dots keep that phase.
bool TImageCanvas::DrawStraight(const QLine& Line, QRgb Color, bool Dotted) {
  const bool vertical = Line.x1() == Line.x2();
  if (!vertical && Line.y1() != Line.y2()) return false;
  const int from = vertical ? Line.y1() : Line.x1();
  const int to = vertical ? Line.y2() : Line.x2();
  if (from == to) return false;
  const int across = vertical ? Line.x1() : Line.y1();
  const int acrossLimit = vertical ? Image.width() : Image.height();
  if (across < 0 || across >= acrossLimit) return true;

  const int alongLimit = vertical ? Image.height() : Image.width();
  const int step = from < to ? 1 : -1;
  // The first pixel drawn, and the one after the last.
  const int first = from < to ? from : from - 1;
  const int end = from < to ? to : to - 1;
  // Skip ahead to the image without losing the phase of the dots.
  const int inside =
      step > 0 ? std::max(first, 0) : std::min(first, alongLimit - 1);
  int offset = (inside - first) * step;
  uchar* bits = Image.bits();
  const qsizetype stride = Image.bytesPerLine();
  for (int at = inside;
       (step > 0 ? at < end : at > end) && at >= 0 && at < alongLimit;
       at += step, ++offset) {
    if (Dotted && offset % 3 != 0) continue;
    const int x = vertical ? across : at;
    const int y = vertical ? at : across;
    reinterpret_cast<QRgb*>(bits + y * stride)[x] = Color;
  }
  return true;
}

void TImageCanvas::FlushLines() {
  if (PendingLines.empty()) return;
  if (PendingPen.Width == 1) {
    const bool dotted = PendingPen.Style == psDot;
    const auto rest = std::remove_if(
        PendingLines.begin(), PendingLines.end(), [&](const QLine& Line) {
          return DrawStraight(Line, PendingPen.Color, dotted);
        });
    PendingLines.erase(rest, PendingLines.end());
    if (PendingLines.empty()) return;
  }
  QPainter& painter = Painter();
  if (!(PainterPen == PendingPen)) {
    painter.setPen(ToQPen(PendingPen));
    PainterPen = PendingPen;
  }
  painter.drawLines(PendingLines.data(), static_cast<int>(PendingLines.size()));
  PendingLines.clear();
}

void TImageCanvas::EndPainting() { ActivePainter.reset(); }
