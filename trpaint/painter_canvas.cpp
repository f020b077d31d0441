#include "painter_canvas.h"

#include <QtCore/QLine>
#include <QtGui/QColor>
#include <QtGui/QPainter>

#include "qt_drawing.h"

TPainterCanvas::TPainterCanvas(QPainter& Painter, const QRectF& AArea)
    : Target(Painter),
      Area(AArea),
      Edges(Painter.transform()),
      Centres(QTransform::fromTranslate(0.5, 0.5) * Painter.transform()) {
  Target.setTransform(Centres);
}

void TPainterCanvas::UsePen() { Target.setPen(ToQPen(Pen)); }

void TPainterCanvas::MoveTo(int X, int Y) {
  CurrentX = X;
  CurrentY = Y;
}

void TPainterCanvas::LineTo(int X, int Y) {
  UsePen();
  Target.drawLine(QLine(CurrentX, CurrentY, X, Y));
  CurrentX = X;
  CurrentY = Y;
}

void TPainterCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  UsePen();
  Target.setBrush(QColor::fromRgb(Brush.Color));
  Target.drawEllipse(EllipseBounds(X1, Y1, X2, Y2));
}

// The transform places the picture on pixel edges.
void TPainterCanvas::DrawPicture(const QImage& Picture, const QRect& Source,
                                 const QTransform& Transform, double Opacity,
                                 bool Smooth) {
  Target.setTransform(Transform * Edges);
  Target.setOpacity(Opacity);
  Target.setRenderHint(QPainter::SmoothPixmapTransform, Smooth);
  Target.drawImage(QPointF(Source.topLeft()), Picture, QRectF(Source));
  Target.setRenderHint(QPainter::SmoothPixmapTransform, false);
  Target.setOpacity(1.0);
  Target.setTransform(Centres);
}

void TPainterCanvas::Erase(TColor Color) {
  Target.setTransform(Edges);
  Target.fillRect(Area, QColor::fromRgb(Color));
  Target.setTransform(Centres);
}
