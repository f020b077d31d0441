#pragma once

#include <QtCore/QRectF>
#include <QtGui/QTransform>

#include "canvas.h"

class QPainter;

// A canvas that draws through a painter onto any device, such as a page of
// a printer or a PDF: the operations of the window's canvas as vectors, in
// the painter's coordinates as they stand when the canvas is made, with
// whole-numbered coordinates at the centres of the window's pixels. Erase
// fills Area.
class TPainterCanvas : public TCanvas {
 public:
  TPainterCanvas(QPainter& Painter, const QRectF& Area);

  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  void DrawPicture(const QImage& Picture, const QRect& Source,
                   const QTransform& Transform, double Opacity,
                   bool Smooth) override;
  void Erase(TColor Color) override;
  // The device keeps its own size, and shows what is drawn as it comes.
  void Resize(const QSize&) override {}
  void Present(QPainter&) override {}

 private:
  void UsePen();

  QPainter& Target;
  QRectF Area;
  // Pixel edges, and pixel centres.
  QTransform Edges;
  QTransform Centres;
  int CurrentX = 0;
  int CurrentY = 0;
};
