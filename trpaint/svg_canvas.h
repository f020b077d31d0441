#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "canvas.h"
#include "file_access.h"

// A canvas that writes what is drawn on it as SVG text, as it comes: each
// line a path of its own, each ellipse a circle or an ellipse, in groups
// that share the pen (and for ellipses the brush), with the colours,
// widths and dot pattern of the window's pens. Coordinates are those of
// pixel centres, as in the window; no edge is smoothed.
class TSvgCanvas : public TCanvas {
 public:
  // Writes the document's head, for a picture of Width x Height pixels.
  // Drawn, when set, is told of every drawing done.
  TSvgCanvas(int Width, int Height, TContentWriter Write,
             std::function<void()> Drawn = {});

  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  void DrawPicture(const QImage& Picture, const QRect& Source,
                   const QTransform& Transform, double Opacity,
                   bool Smooth) override;
  // A rectangle of Color over the whole picture.
  void Erase(TColor Color) override;
  // An SVG document keeps the size it was begun with.
  void Resize(const QSize&) override {}
  void Present(QPainter&) override {}

  // Ends the document and writes what is left of it.
  void Finish();

 private:
  // Opens a group for the pen, and the brush when Filled, unless the open
  // one has them.
  void UseGroup(bool Filled);
  void Append(const std::string& Text);

  TContentWriter Write;
  std::function<void()> Drawn;
  std::string Pending;
  int CurrentX = 0;
  int CurrentY = 0;
  // What the open group draws with; none before the first.
  std::optional<TPen> GroupPen;
  std::optional<TColor> GroupFill;
};
