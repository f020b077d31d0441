#pragma once

#include <QtCore/QRect>
#include <QtGui/QRgb>
#include <optional>

class QImage;
class QPainter;
class QSize;
class QTransform;

// Colours as the window draws them (opaque RGB).
using TColor = QRgb;
constexpr TColor clBlack = qRgb(0, 0, 0);
constexpr TColor clWhite = qRgb(255, 255, 255);
constexpr TColor clRed = qRgb(255, 0, 0);
constexpr TColor clGreen = qRgb(0, 128, 0);
constexpr TColor clYellow = qRgb(255, 255, 0);

enum TPenStyle { psSolid, psDot };
// The only mode the map uses: the pen colour replaces what lies under it.
enum TPenMode { pmCopy };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;

  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor Color = clWhite;

  bool operator==(const TBrush&) const = default;
};

// The drawing surface of a map window. Pen and brush persist from one
// drawing operation to the next for the life of the canvas: callers set only
// what they need and inherit the rest, which is part of how the map looks.
class TCanvas {
 public:
  TPen Pen;
  TBrush Brush;

  virtual ~TCanvas() = default;

  virtual void MoveTo(int X, int Y) = 0;
  // Draws with the pen from the current position to (X, Y), which becomes
  // the current position.
  virtual void LineTo(int X, int Y) = 0;
  // The ellipse inscribed in the rectangle from (X1, Y1) to (X2, Y2), right
  // and bottom edges excluded, outlined with the pen, filled with the brush.
  virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;

  // Draws the part Source of Picture over what the surface shows, Transform
  // taking the picture's pixels to the surface's, with Opacity from 0
  // (unseen) to 1: Smooth blends neighbouring pixels, otherwise each shows
  // as a sharp square. Pen and brush are left as they are.
  virtual void DrawPicture(const QImage& Picture, const QRect& Source,
                           const QTransform& Transform, double Opacity,
                           bool Smooth) = 0;

  // Fills the whole surface; pen and brush are left as they are.
  virtual void Erase(TColor Color) = 0;
  // Gives the surface a new size; what it showed is lost.
  virtual void Resize(const QSize& Size) = 0;
  // Completes pending drawing and shows the picture through Target; a canvas
  // that keeps no picture shows nothing.
  virtual void Present(QPainter& Target) = 0;

  // Scrolling by reuse, for a canvas that keeps its picture. MovePicture
  // moves what is drawn by (DX, DY) pixels, leaving what comes into view to
  // be drawn, and says whether it could. SetClip confines every drawing,
  // erasing included, to Area, none for the whole surface. MovesExactly
  // says whether a moved picture whose uncovered part is drawn again is
  // what drawing it all at the new place gives, pixel for pixel.
  virtual bool KeepsPicture() const { return false; }
  virtual bool MovePicture(int, int) { return false; }
  virtual void SetClip(const std::optional<QRect>&) {}
  virtual bool MovesExactly() const { return false; }
};
