#pragma once

#include <QtGui/QTransform>
#include <string>
#include <vector>

#include "canvas.h"

// A canvas that draws nothing and logs every operation with the pen and
// brush in force, so tests can check drawing exactly.
class TRecordingCanvas : public TCanvas {
 public:
  // One logged operation, e.g. "LineTo 13,271 pen 000000/1/dot".
  std::vector<std::string> Log;
  int Erases = 0;

  void MoveTo(int X, int Y) override;
  void LineTo(int X, int Y) override;
  void Ellipse(int X1, int Y1, int X2, int Y2) override;
  // Logged as "Picture WxH source X,Y,W,H opacity O smooth|sharp"; the
  // transform is kept aside.
  void DrawPicture(const QImage& Picture, const QRect& Source,
                   const QTransform& Transform, double Opacity,
                   bool Smooth) override;
  QTransform LastTransform;
  void Erase(TColor Color) override;
  void Resize(const QSize& Size) override;
  void Present(QPainter& Target) override;

  // The lines drawn, one MoveTo and LineTo pair each, as
  // "X1,Y1 X2,Y2 pen RRGGBB/WIDTH/STYLE"; other operations as logged.
  std::vector<std::string> Drawn() const;
  void Clear();
};
