#include "ellipse_sprites.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "qt_drawing.h"

const TEllipseSprite& TEllipseSprites::Get(const TPen& Pen, const TBrush& Brush,
                                           int Width, int Height) {
  const auto fits = [&](const TEllipseSprite& Sprite) {
    return Sprite.Width == Width && Sprite.Height == Height &&
           Sprite.Pen == Pen && Sprite.Brush == Brush;
  };
  // Points come in long runs of one look.
  if (Last < Sprites.size() && fits(Sprites[Last])) return Sprites[Last];
  for (Last = 0; Last < Sprites.size(); ++Last) {
    if (fits(Sprites[Last])) return Sprites[Last];
  }
  // Drawn onto a transparent image with room for an outline that reaches
  // beyond the box; every pixel the painter touched is kept.
  const int margin = Pen.Width + 1;
  QImage image(Width + 2 * margin, Height + 2 * margin, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setPen(ToQPen(Pen));
    painter.setBrush(QColor::fromRgb(Brush.Color));
    painter.drawEllipse(
        EllipseBounds(margin, margin, margin + Width, margin + Height));
  }
  TEllipseSprite sprite{Pen, Brush, Width, Height, {}, {}, margin};
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      const bool extends =
          !sprite.Runs.empty() && sprite.Runs.back().DY == y - margin &&
          sprite.Runs.back().DX + sprite.Runs.back().Count == x - margin;
      if (extends) {
        ++sprite.Runs.back().Count;
      } else {
        sprite.Runs.push_back({x - margin, y - margin,
                               static_cast<int>(sprite.Colors.size()), 1});
      }
      sprite.Colors.push_back(row[x] | 0xFF000000u);
    }
  }
  Sprites.push_back(std::move(sprite));
  return Sprites.back();
}
