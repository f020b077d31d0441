#include "ellipse_sprites.h"

#include <QtGui/QPainter>

#include "qt_drawing.h"

const QImage& TEllipseSprites::Get(const TPen& Pen, const TBrush& Brush,
                                   int Width, int Height) {
  for (const TEntry& entry : Entries) {
    if (entry.Width == Width && entry.Height == Height && entry.Pen == Pen &&
        entry.Brush == Brush) {
      return entry.Image;
    }
  }
  const int margin = Margin(Pen);
  QImage image(Width + 2 * margin, Height + 2 * margin, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setPen(ToQPen(Pen));
    painter.setBrush(QColor::fromRgb(Brush.Color));
    painter.drawEllipse(
        EllipseBounds(margin, margin, margin + Width, margin + Height));
  }
  Entries.push_back({Pen, Brush, Width, Height, std::move(image)});
  return Entries.back().Image;
}
