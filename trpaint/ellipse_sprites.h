#pragma once

#include <QtGui/QRgb>
#include <vector>

#include "canvas.h"

// A run of neighbouring pixels of one row that drawing an ellipse sets:
// Count pixels rightward from (DX, DY), relative to the top-left corner of
// its box, coloured with the sprite's colours from First on.
struct TSpriteRun {
  int DX;
  int DY;
  int First;
  int Count;
};

// The pixels of an ellipse drawn with one pen and brush in a box of one size.
struct TEllipseSprite {
  TPen Pen;
  TBrush Brush;
  int Width;
  int Height;
  std::vector<TSpriteRun> Runs;
  std::vector<QRgb> Colors;
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
  // Where the last one asked for lies in Sprites.
  size_t Last = 0;
};
