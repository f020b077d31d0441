#pragma once

#include <QtGui/QImage>
#include <vector>

#include "canvas.h"

// Ready-drawn images of ellipses. A map draws thousands of identical small
// ellipses; copying their pixels is far cheaper than rasterising each one,
// and without antialiasing the pixels are the same.
class TEllipseSprites {
 public:
  // An image of the ellipse inscribed in a Width x Height box, drawn with
  // Pen and Brush, with the box's top-left corner at (Margin(Pen),
  // Margin(Pen)). Untouched pixels are fully transparent.
  const QImage& Get(const TPen& Pen, const TBrush& Brush, int Width,
                    int Height);

  // Room around the box for an outline that reaches beyond it.
  static int Margin(const TPen& Pen) { return Pen.Width + 1; }

  // Boxes larger than this are drawn directly rather than cached.
  static constexpr int MaxSide = 64;

 private:
  struct TEntry {
    TPen Pen;
    TBrush Brush;
    int Width;
    int Height;
    QImage Image;
  };
  std::vector<TEntry> Entries;
};
