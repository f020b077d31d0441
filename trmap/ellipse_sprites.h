#pragma once

#include <QtGui/QRgb>
#include <vector>

#include "canvas.h"

// One pixel that drawing an ellipse sets, relative to the top-left corner
// of its box.
struct TSpritePixel {
  int DX;
  int DY;
  QRgb Color;
};

// The pixels of an ellipse drawn with one pen and brush in a box of one size.
struct TEllipseSprite {
  TPen Pen;
  TBrush Brush;
  int Width;
  int Height;
  std::vector<TSpritePixel> Pixels;
  // How far the pixels reach beyond the box on any side.
  int Margin;
};

// Ready-drawn ellipses. A map draws thousands of identical small ellipses;
// copying their pixels is far cheaper than rasterising each one, and without
// antialiasing the pixels are the same.
class TEllipseSprites {
 public:
  // The ellipse inscribed in a Width x Height box, drawn with Pen and Brush.
  const TEllipseSprite& Get(const TPen& Pen, const TBrush& Brush, int Width,
                            int Height);

  // Boxes larger than this are drawn directly rather than cached.
  static constexpr int MaxSide = 64;

 private:
  std::vector<TEllipseSprite> Sprites;
};
