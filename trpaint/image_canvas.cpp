#include "image_canvas.h"

#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "qt_drawing.h"

namespace {

using TPixels = TImageCanvas::TPixels;
using TStrip = TImageCanvas::TStrip;
using TDrawnArea = TImageCanvas::TDrawnArea;

// The coordinates beyond which the canvas leaves a thin line to the
// painter: far enough out for every line a map draws, near enough that no
// sum below can overflow.
constexpr int kOwnLineReach = 1 << 22;

// Sets the pixels of a thin line itself when its ends lie within
// kOwnLineReach of the picture, and says so; any other line is left to the
// painter. The pixels are the painter's for a line within the picture: one
// per step along the longer axis from the lower end up to but not
// including the higher one, across it the 16.16 fixed-point position that
// the painter computes (sampled half a step in when it grows, as the
// painter does); for a dotted pen every third pixel counted from the start
// of the line. A line that leaves the picture sets the pixels the whole
// line has there, wherever the edge cuts it, so that a picture drawn at
// another place and moved is the same. Only the pixels of Area are set.
bool DrawThinLine(const QLine& Line, QRgb Color, bool Dotted,
                  const TPixels& Pixels, const TDrawnArea& Area) {
  if (std::max({std::abs(Line.x1()), std::abs(Line.x2()), std::abs(Line.y1()),
                std::abs(Line.y2())}) > kOwnLineReach) {
    return false;
  }
  if (std::max(Line.x1(), Line.x2()) < Area.Left ||
      std::min(Line.x1(), Line.x2()) >= Area.Right ||
      std::max(Line.y1(), Line.y2()) < Area.Top ||
      std::min(Line.y1(), Line.y2()) >= Area.Bottom) {
    return true;
  }
  const auto row = [&](int Y) {
    return reinterpret_cast<QRgb*>(Pixels.Bits +
                                   (Y - Area.ImageTop) * Pixels.Stride);
  };
  // The painter draws a line of length zero as a dot, dotted pen or not.
  if (Line.p1() == Line.p2()) {
    row(Line.y1())[Line.x1()] = Color;
    return true;
  }

  const bool alongY = std::abs(Line.dx()) < std::abs(Line.dy());
  int a1 = alongY ? Line.y1() : Line.x1();
  int a2 = alongY ? Line.y2() : Line.x2();
  int b1 = alongY ? Line.x1() : Line.y1();
  int b2 = alongY ? Line.x2() : Line.y2();
  const bool reversed = a1 > a2;
  if (reversed) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const int count = a2 - a1;
  const int64_t step = b2 == b1 ? 0 : (int64_t{b2 - b1} * 65536) / count;
  const int64_t start = int64_t{b1} * 65536 + (step > 0 ? step / 2 : 0);
  // A dotted line sets the pixels 0, 3, 6, ... counted from its start,
  // which is the higher end when the line runs backward.
  const int every = Dotted ? 3 : 1;
  int first = Dotted && reversed ? (count - 1) % 3 : 0;
  // The steps whose pixels lie in the area's extent along the line.
  const int lowest = alongY ? Area.Top : Area.Left;
  const int highest = alongY ? Area.Bottom : Area.Right;
  if (a1 + first < lowest)
    first += (lowest - a1 - first + every - 1) / every * every;
  const int last = std::min(count, highest - a1);
  // Most lines lie wholly across the area: their pixels need no checks.
  const int crossLow = alongY ? Area.Left : Area.Top;
  const int crossHigh = alongY ? Area.Right : Area.Bottom;
  const bool inside =
      std::min(b1, b2) >= crossLow && std::max(b1, b2) < crossHigh;
  const auto across = [&](int T) {
    return static_cast<int>((start + T * step) >> 16);
  };
  const auto set = [&](int X, int Y) {
    if (X >= Area.Left && X < Area.Right && Y >= Area.Top && Y < Area.Bottom)
      row(Y)[X] = Color;
  };
  if (inside && alongY) {
    for (int t = first; t < last; t += every) row(a1 + t)[across(t)] = Color;
  } else if (inside && step == 0) {
    QRgb* const pixels = row(b1);
    for (int t = first; t < last; t += every) pixels[a1 + t] = Color;
  } else if (inside) {
    for (int t = first; t < last; t += every) row(across(t))[a1 + t] = Color;
  } else if (alongY) {
    for (int t = first; t < last; t += every) set(across(t), a1 + t);
  } else {
    for (int t = first; t < last; t += every) set(a1 + t, across(t));
  }
  return true;
}

}  // namespace

TImageCanvas::TImageCanvas(const QSize& Size)
    : Image(Size, QImage::Format_RGB32), ErasedWith(clWhite) {
  Image.fill(clWhite);
  UpdateDrawnArea();
}

TImageCanvas::~TImageCanvas() { EndPainting(); }

void TImageCanvas::MoveTo(int X, int Y) { Current = QPoint(X, Y); }

void TImageCanvas::LineTo(int X, int Y) {
  ErasedWith.reset();
  if (!PendingLines.empty() && !(Pen == PendingPen)) FlushLines();
  PendingPen = Pen;
  const QPoint to(X, Y);
  PendingLines.emplace_back(Current, to);
  Current = to;
}

void TImageCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  FlushLines();
  ErasedWith.reset();
  // A window not laid out yet has no pixels; a painter could not begin.
  if (Image.isNull()) return;
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
    Approximate = true;
    return;
  }
  CopySprite(Sprites.Get(Pen, Brush, width, height), X1, Y1);
}

void TImageCanvas::DrawPicture(const QImage& Picture, const QRect& Source,
                               const QTransform& Transform, double Opacity,
                               bool Smooth) {
  FlushLines();
  if (Image.isNull()) return;
  Approximate = true;
  QPainter& painter = Painter();
  // On a freshly erased image a picture drawn whole and then veiled with
  // the erase colour at the rest of the opacity looks as the picture drawn
  // with the opacity would, and takes far less time; the veil over the
  // rest of the image changes nothing there.
  const std::optional<TColor> under = std::exchange(ErasedWith, std::nullopt);
  const bool veiled = under.has_value() && Opacity < 1.0;
  // The painter's own transform places a strip within the picture.
  const QTransform strip = painter.transform();
  painter.setTransform(Transform * strip);
  painter.setOpacity(veiled ? 1.0 : Opacity);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, Smooth);
  painter.drawImage(QPointF(Source.topLeft()), Picture, QRectF(Source));
  // Lines and ellipses are drawn untransformed and opaque.
  painter.setTransform(strip);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setOpacity(1.0);
  if (veiled) {
    QColor veil = QColor::fromRgb(*under);
    veil.setAlphaF(static_cast<float>(1.0 - Opacity));
    const QRect shown = Transform.mapRect(QRectF(Source)).toAlignedRect();
    const QRect image = strip.inverted().mapRect(Image.rect());
    painter.fillRect(shown.intersected(image), veil);
  }
}

// The raster painter draws straight into the image's memory, so pixels
// written here stay in order with what it drew before and draws after.
void TImageCanvas::CopySprite(const TEllipseSprite& Sprite, int Left, int Top) {
  const TPixels& pixels = Pixels();
  const TDrawnArea area = DrawnArea();
  const int m = Sprite.Margin;
  if (Left + Sprite.Width + m <= area.Left ||
      Top + Sprite.Height + m <= area.Top || Left - m >= area.Right ||
      Top - m >= area.Bottom) {
    return;
  }
  uchar* bits = pixels.Bits;
  const qsizetype stride = pixels.Stride;
  const bool inside = Left - m >= area.Left && Top - m >= area.Top &&
                      Left + Sprite.Width + m <= area.Right &&
                      Top + Sprite.Height + m <= area.Bottom;
  for (const TSpriteRun& run : Sprite.Runs) {
    const int y = Top + run.DY;
    int from = Left + run.DX;
    int to = from + run.Count;
    const QRgb* colors = Sprite.Colors.data() + run.First;
    if (!inside) {
      if (y < area.Top || y >= area.Bottom) continue;
      colors += std::max(0, area.Left - from);
      from = std::max(from, area.Left);
      to = std::min(to, area.Right);
      if (from >= to) continue;
    }
    // Runs are a few pixels long: a plain loop beats a call to copy them.
    QRgb* pixel =
        reinterpret_cast<QRgb*>(bits + (y - area.ImageTop) * stride) + from;
    for (int i = 0; i < to - from; ++i) pixel[i] = colors[i];
  }
}

void TImageCanvas::SetStrip(int Top, int PictureHeight) {
  FlushLines();
  EndPainting();
  Strip = TStrip{Top, PictureHeight};
  UpdateDrawnArea();
}

TImageCanvas::TStrip TImageCanvas::CurrentStrip() const {
  return Strip.value_or(TStrip{0, Image.height()});
}

void TImageCanvas::UpdateDrawnArea() {
  const TStrip strip = CurrentStrip();
  QRect area(0, strip.Top, Image.width(),
             std::min(Image.height(), strip.PictureHeight - strip.Top));
  if (Clip) area &= *Clip;
  Drawn = area.isEmpty() ? TDrawnArea{0, strip.Top, 0, strip.Top, strip.Top}
                         : TDrawnArea{area.left(), area.top(), area.right() + 1,
                                      area.bottom() + 1, strip.Top};
}

void TImageCanvas::SetClip(const std::optional<QRect>& Area) {
  FlushLines();
  EndPainting();
  Clip = Area;
  UpdateDrawnArea();
}

bool TImageCanvas::MovePicture(int DX, int DY) {
  FlushLines();
  EndPainting();
  if (Image.isNull()) return false;
  CachedPixels.reset();
  ErasedWith.reset();
  const int width = Image.width();
  const int height = Image.height();
  if (std::abs(DX) >= width || std::abs(DY) >= height) return true;
  // Rows are copied in the order that reads each before it is written.
  const qsizetype stride = Image.bytesPerLine();
  uchar* const bits = Image.bits();
  const int rows = height - std::abs(DY);
  const size_t bytes = sizeof(QRgb) * static_cast<size_t>(width - std::abs(DX));
  const int fromX = std::max(0, -DX);
  const int toX = std::max(0, DX);
  for (int i = 0; i < rows; ++i) {
    const int y = DY > 0 ? rows - 1 - i : i;
    const int fromY = DY > 0 ? y : y - DY;
    std::memmove(bits + (fromY + DY) * stride + toX * sizeof(QRgb),
                 bits + fromY * stride + fromX * sizeof(QRgb), bytes);
  }
  return true;
}

const TImageCanvas::TPixels& TImageCanvas::Pixels() {
  if (!CachedPixels) {
    CachedPixels = TPixels{Image.bits(), Image.bytesPerLine(), Image.width(),
                           Image.height()};
  }
  return *CachedPixels;
}

void TImageCanvas::Erase(TColor Color) {
  CachedPixels.reset();
  PendingLines.clear();
  EndPainting();
  if (Clip) {
    // A window not laid out yet has no pixels; a painter could not begin.
    if (Image.isNull()) return;
    QPainter(&Image).fillRect(Clip->translated(0, -CurrentStrip().Top),
                              QColor::fromRgb(Color));
  } else {
    Image.fill(Color);
    Approximate = false;
  }
  // Drawing reaches only what was erased.
  ErasedWith = Color;
}

void TImageCanvas::Resize(const QSize& Size) {
  CachedPixels.reset();
  PendingLines.clear();
  EndPainting();
  Image = QImage(Size, QImage::Format_RGB32);
  UpdateDrawnArea();
  Image.fill(clWhite);
  ErasedWith = clWhite;
  Approximate = false;
}

void TImageCanvas::Present(QPainter& Target) {
  Target.drawImage(0, 0, Picture());
}

const QImage& TImageCanvas::Picture() {
  FlushLines();
  EndPainting();
  // Whoever gets the picture may keep a copy that shares its pixels.
  CachedPixels.reset();
  return Image;
}

QPainter& TImageCanvas::Painter() {
  if (!ActivePainter) {
    ActivePainter = std::make_unique<QPainter>(&Image);
    ActivePainter->translate(0, -CurrentStrip().Top);
    if (Clip) ActivePainter->setClipRect(*Clip);
    ActivePainter->setPen(ToQPen(Pen));
    PainterPen = Pen;
  }
  return *ActivePainter;
}

void TImageCanvas::FlushLines() {
  if (PendingLines.empty()) return;
  if (Image.isNull()) {
    PendingLines.clear();
    return;
  }
  if (PendingPen.Width == 1) {
    const bool dotted = PendingPen.Style == psDot;
    const TPixels& pixels = Pixels();
    const TDrawnArea area = DrawnArea();
    const auto rest = std::remove_if(
        PendingLines.begin(), PendingLines.end(), [&](const QLine& Line) {
          return DrawThinLine(Line, PendingPen.Color, dotted, pixels, area);
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
  Approximate = true;
  PendingLines.clear();
}

void TImageCanvas::EndPainting() { ActivePainter.reset(); }
