#include "qt_drawing.h"

#include <QtGui/QColor>

QPen ToQPen(const TPen& Pen) {
  // Flat caps: a line covers exactly its own length, so a segment of length
  // zero leaves no mark.
  return QPen(QColor::fromRgb(Pen.Color), Pen.Width,
              Pen.Style == psDot ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap,
              Qt::MiterJoin);
}

QRectF EllipseBounds(int X1, int Y1, int X2, int Y2) {
  return QRectF(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
}
