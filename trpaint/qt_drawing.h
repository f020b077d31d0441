#pragma once

#include <QtCore/QRectF>
#include <QtGui/QPen>

#include "canvas.h"

// How the canvas's pens and ellipses are expressed through QPainter; shared
// by the canvas and its cache of ellipse images so both set the same pixels.

QPen ToQPen(const TPen& Pen);

// The QPainter rectangle of an ellipse inscribed in (X1, Y1)-(X2, Y2) with
// the right and bottom edges excluded: a 1-pixel outline covers X1 to X2 - 1.
QRectF EllipseBounds(int X1, int Y1, int X2, int Y2);
