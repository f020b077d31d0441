#include "image_canvas.h"

#include <QtGui/QPainter>

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
  const int margin = TEllipseSprites::Margin(Pen);
  const QRect reach(X1 - margin, Y1 - margin, width + 2 * margin,
                    height + 2 * margin);
  if (!reach.intersects(Image.rect())) return;
  CopySprite(Sprites.Get(Pen, Brush, width, height), reach.left(), reach.top());
}

// Copies the sprite's drawn pixels (the others are transparent) as the pen
// and brush in copy mode would set them, clipped to the image.
void TImageCanvas::CopySprite(const QImage& Sprite, int Left, int Top) {
  const int x0 = std::max(0, -Left);
  const int y0 = std::max(0, -Top);
  const int x1 = std::min(Sprite.width(), Image.width() - Left);
  const int y1 = std::min(Sprite.height(), Image.height() - Top);
  // The raster painter draws straight into the image's memory, so pixels
  // written here stay in order with what it drew before and draws after.
  uchar* bits = Image.bits();
  const qsizetype stride = Image.bytesPerLine();
  for (int y = y0; y < y1; ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(Sprite.constScanLine(y));
    QRgb* to = reinterpret_cast<QRgb*>(bits + (Top + y) * stride) + Left;
    for (int x = x0; x < x1; ++x) {
      if (qAlpha(from[x]) != 0) to[x] = from[x] | 0xFF000000u;
    }
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

void TImageCanvas::FlushLines() {
  if (PendingLines.empty()) return;
  QPainter& painter = Painter();
  if (!(PainterPen == PendingPen)) {
    painter.setPen(ToQPen(PendingPen));
    PainterPen = PendingPen;
  }
  painter.drawLines(PendingLines.data(), static_cast<int>(PendingLines.size()));
  PendingLines.clear();
}

void TImageCanvas::EndPainting() { ActivePainter.reset(); }
