#include "glyphs.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>

namespace {

constexpr int kSize = 18;

const QColor kTrain(200, 30, 30);
const QColor kWall(150, 80, 40);

void DrawMagnifier(QPainter& P, bool Plus) {
  P.drawEllipse(QRectF(2, 2, 10, 10));
  P.drawLine(QPointF(11, 11), QPointF(16, 16));
  P.drawLine(QPointF(4.5, 7), QPointF(9.5, 7));
  if (Plus) P.drawLine(QPointF(7, 4.5), QPointF(7, 9.5));
}

void DrawDot(QPainter& P, QPointF Centre, double Radius) {
  P.save();
  P.setBrush(P.pen().color());
  P.drawEllipse(Centre, Radius, Radius);
  P.restore();
}

void DrawTrain(QPainter& P, QRectF Body) {
  P.save();
  P.setPen(QPen(kTrain.darker(), 1));
  P.setBrush(kTrain);
  P.drawRect(Body);
  P.restore();
}

// A point where three lines meet: the entry from below, two exits above.
void DrawSwitch(QPainter& P) {
  P.drawLine(QPointF(9, 17), QPointF(9, 9));
  P.drawLine(QPointF(9, 9), QPointF(9, 1));
  P.drawLine(QPointF(9, 9), QPointF(2, 2));
  DrawDot(P, QPointF(9, 9), 1.5);
}

void DrawArrowHead(QPainter& P, QPointF Tip, QPointF Back1, QPointF Back2) {
  P.drawLine(Tip, Back1);
  P.drawLine(Tip, Back2);
}

void Draw(QPainter& P, TGlyph Glyph) {
  switch (Glyph) {
    case TGlyph::ZoomIn:
      DrawMagnifier(P, true);
      break;
    case TGlyph::ZoomOut:
      DrawMagnifier(P, false);
      break;
    case TGlyph::SelectPoint:
      P.drawLine(QPointF(2, 15), QPointF(9, 9));
      P.drawLine(QPointF(9, 9), QPointF(16, 12));
      P.drawEllipse(QPointF(9, 9), 4, 4);
      DrawDot(P, QPointF(9, 9), 1.5);
      break;
    case TGlyph::SelectLine:
      P.setPen(QPen(P.pen().color(), 3));
      P.drawLine(QPointF(3, 15), QPointF(15, 3));
      break;
    case TGlyph::SelectTrain:
      P.drawLine(QPointF(1, 13), QPointF(17, 13));
      DrawTrain(P, QRectF(4, 6, 10, 5));
      break;
    case TGlyph::Properties:
      P.drawRect(QRectF(3, 1.5, 12, 15));
      for (double y : {5.0, 8.5, 12.0})
        P.drawLine(QPointF(6, y), QPointF(12, y));
      break;
    case TGlyph::RotateSwitch: {
      DrawSwitch(P);
      QPainterPath turn;
      turn.arcMoveTo(QRectF(8, 4, 9, 9), 200);
      turn.arcTo(QRectF(8, 4, 9, 9), 200, -250);
      P.drawPath(turn);
      DrawArrowHead(P, turn.currentPosition(),
                    turn.currentPosition() + QPointF(-3, 0),
                    turn.currentPosition() + QPointF(0, 3));
      break;
    }
    case TGlyph::SwapSwitch:
      DrawSwitch(P);
      P.drawLine(QPointF(12, 3), QPointF(16, 7));
      DrawArrowHead(P, QPointF(12, 3), QPointF(15, 3), QPointF(12, 6));
      DrawArrowHead(P, QPointF(16, 7), QPointF(13, 7), QPointF(16, 4));
      break;
    case TGlyph::Cursor: {
      const QPointF arrow[] = {{4, 1},   {4, 15},     {7.5, 11.5}, {10, 17},
                               {12, 16}, {9.5, 10.5}, {14, 10.5}};
      P.setBrush(Qt::white);
      P.drawPolygon(arrow, 7);
      break;
    }
    case TGlyph::BuildTrack:
      P.drawLine(QPointF(2, 6), QPointF(16, 6));
      P.drawLine(QPointF(2, 12), QPointF(16, 12));
      for (double x : {4.0, 9.0, 14.0})
        P.drawLine(QPointF(x, 4), QPointF(x, 14));
      break;
    case TGlyph::BuildWall:
      P.setPen(QPen(kWall, 1));
      P.drawRect(QRectF(1.5, 4.5, 15, 9));
      P.drawLine(QPointF(1.5, 9), QPointF(16.5, 9));
      for (double x : {6.5, 11.5}) P.drawLine(QPointF(x, 4.5), QPointF(x, 9));
      for (double x : {4.0, 9.0, 14.0})
        P.drawLine(QPointF(x, 9), QPointF(x, 13.5));
      break;
    case TGlyph::BuildCurve: {
      QPainterPath curve;
      curve.moveTo(2, 16);
      curve.lineTo(2, 11);
      curve.arcTo(QRectF(2, 4, 14, 14), 180, -90);
      curve.lineTo(16, 4);
      P.drawPath(curve);
      DrawDot(P, QPointF(2, 11), 1.5);
      break;
    }
    case TGlyph::Measure:
      P.drawRect(QRectF(1.5, 6.5, 15, 5));
      for (double x : {4.5, 7.5, 10.5, 13.5})
        P.drawLine(QPointF(x, 6.5),
                   QPointF(x, x == 7.5 || x == 13.5 ? 10 : 8.5));
      break;
    case TGlyph::FindPath:
      DrawDot(P, QPointF(3, 15), 2);
      DrawDot(P, QPointF(15, 3), 2);
      P.drawLine(QPointF(3, 15), QPointF(9, 15));
      P.drawLine(QPointF(9, 15), QPointF(9, 3));
      P.drawLine(QPointF(9, 3), QPointF(15, 3));
      break;
    case TGlyph::BuildFromPoint:
      DrawDot(P, QPointF(4, 14), 2.5);
      P.drawLine(QPointF(4, 14), QPointF(15, 3));
      DrawArrowHead(P, QPointF(15, 3), QPointF(10, 3), QPointF(15, 8));
      break;
    case TGlyph::NewTrain:
      P.drawLine(QPointF(1, 15), QPointF(17, 15));
      DrawTrain(P, QRectF(2, 8, 10, 5));
      P.drawLine(QPointF(14, 1), QPointF(14, 7));
      P.drawLine(QPointF(11, 4), QPointF(17, 4));
      break;
  }
}

QPixmap Picture(TGlyph Glyph, const QColor& Ink) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Ink, 1.2));
  Draw(painter, Glyph);
  return pixmap;
}

}  // namespace

QIcon GlyphIcon(TGlyph Glyph) {
  QIcon icon(Picture(Glyph, Qt::black));
  if (Glyph == TGlyph::ZoomIn || Glyph == TGlyph::ZoomOut ||
      Glyph == TGlyph::Cursor) {
    icon.addPixmap(Picture(Glyph, Qt::gray), QIcon::Disabled);
  }
  return icon;
}
